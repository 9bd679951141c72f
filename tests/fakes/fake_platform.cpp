// Platform stand-in: a real steady clock (or a test's own), no window, error boxes recorded.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "app/fatal_error.h"
#include "app/platform.h"
#include "app/shutdown.h"
#include "net/net.h"
#include "tests/fakes/fakes.h"

FakeRecord fakeRecord;

void resetFakes() { fakeRecord = FakeRecord{}; }

uint32_t platformMilliseconds() {
    if (fakeRecord.fakeClock) return *fakeRecord.fakeClock;
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void platformSleep(uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void centreCursor() { ++fakeRecord.cursorCentrings; }
void platformShowCursor(bool) {}
void platformSwapBuffers() {}

void platformErrorBox(const char* title, const char* text, const ScreenArea&) {
    std::fprintf(stderr, "%s: %s\n", title, text);
    fakeRecord.errors.emplace_back(text);
}

void failGame(int exitCode, const char* text, bool) {
    std::fprintf(stderr, "voranis: %s\n", text);
    fakeRecord.errors.emplace_back(text);
    std::exit(exitCode);
}

void renderFrame() {}
void renderWaitingScreen(const char*) {}

void shutdownGame() {
    ++fakeRecord.shutdowns;
    netShutdown();
}
