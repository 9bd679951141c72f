// FLTK's own fatal errors, which it would otherwise end the process with, told in the
// game's words: mostly that there is no display to open.
#include <FL/Fl.H>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

namespace {
constexpr int FAILURE_TEXT_SIZE = 1024;

// Fl::fatal takes no data of the caller's: where its errors go is kept here.
ToolkitFailure failureGoesTo = nullptr;

void toolkitFailure(const char* format, ...) {
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
    failureGoesTo(text);
    std::exit(1); // FLTK's fatal errors never return
}
} // namespace

void platformRouteToolkitFailures(ToolkitFailure fail) {
    failureGoesTo = fail;
    Fl::fatal     = toolkitFailure;
}
