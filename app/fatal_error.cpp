// failGame: restore, tell, show, shut down, exit.
#include "app/fatal_error.h"

#include <cstdio>
#include <cstdlib>

#include "app/shutdown.h"
#include "platform/platform.h"

namespace {
constexpr const char* PROGRAM_NAME        = "voranis";
constexpr const char* NETWORK_ERROR_TITLE = "NETWORK ERROR";
constexpr int FAILURE_TEXT_SIZE           = 1024;

// Standard error takes one line: the text's own line breaks become blanks.
void writeLine(const char* text) {
    char line[FAILURE_TEXT_SIZE];
    std::snprintf(line, sizeof line, "%s", text);
    for (char* c = line; *c; ++c) {
        if (*c == '\n') *c = ' ';
    }
    std::fprintf(stderr, "%s: %s\n", PROGRAM_NAME, line);
    std::fflush(stderr);
}

[[noreturn]] void toolkitFailure(const char* text) {
    failGame(1, text, false);
}
} // namespace

void failGame(int exitCode, const char* text, bool networkBox) {
    platformRestoreDisplayMode();
    platformShowCursor(true);
    writeLine(text);
    if (networkBox) platformErrorBox(NETWORK_ERROR_TITLE, text, platformWindowArea());
    shutdownGame();
    std::exit(exitCode);
}

void routeToolkitFailures() {
    platformRouteToolkitFailures(toolkitFailure);
}
