// The quit message: posted by Escape, close and the set-up dialog's close box.
#include "app/main_loop.h"

namespace {
bool quitPosted = false;
int quitCode    = 0;
} // namespace

void postQuitMessage(int exitCode) {
    if (quitPosted) return;
    quitPosted = true;
    quitCode   = exitCode;
}

bool quitMessagePosted() {
    return quitPosted;
}
int quitExitCode() {
    return quitCode;
}

void clearQuitMessage() {
    quitPosted = false;
    quitCode   = 0;
}
