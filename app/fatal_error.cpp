// failGame: restore, tell, show, shut down, exit.
#include "app/fatal_error.h"

#include <FL/Fl.H>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

[[noreturn]] void toolkitFailure(const char* format, ...) {
    char message[FAILURE_TEXT_SIZE];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    char text[FAILURE_TEXT_SIZE + 64];
    const char* display = std::getenv("DISPLAY");
    if (std::strstr(message, "display") && display) {
        std::snprintf(text, sizeof text,
                      "cannot open display \"%s\": start the game from a desktop session, or set "
                      "DISPLAY to a running X server",
                      display);
    } else if (std::strstr(message, "display")) {
        std::snprintf(text, sizeof text,
                      "no display: DISPLAY is not set; start the game from a desktop session");
    } else {
        std::snprintf(text, sizeof text, "the dialog toolkit failed: %s", message);
    }
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
    Fl::fatal = toolkitFailure;
}
