// The self-pipe: the handler only sets a flag and writes a byte, both async-signal-safe.
// A handler reaches nothing but file-scope state, so the flag and the pipe live here.
#include "server/stop_signal.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace {
volatile sig_atomic_t stopFlag  = 0;
int wakeRead                    = -1;
volatile sig_atomic_t wakeWrite = -1; // read by the handler

extern "C" void onStopSignal(int) {
    const int saved = errno;
    stopFlag        = 1;
    const char byte = 1;
    // Non-blocking: a full pipe is readable already, which is all the byte is for.
    [[maybe_unused]] const ssize_t written = ::write(wakeWrite, &byte, 1);
    errno                                  = saved;
}
} // namespace

int installStopSignals() {
    if (wakeRead >= 0) return wakeRead;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return -1;
    wakeWrite = ends[1];
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    action.sa_flags   = SA_RESTART; // writes to the log go on; the pipe ends the waits
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGTERM);
    sigaddset(&action.sa_mask, SIGINT);
    // On failure the pipe stays open: a handler already installed writes to it.
    if (sigaction(SIGTERM, &action, nullptr) != 0 || sigaction(SIGINT, &action, nullptr) != 0)
        return -1;
    wakeRead = ends[0];
    return wakeRead;
}

bool stopRequested() {
    return stopFlag != 0;
}
