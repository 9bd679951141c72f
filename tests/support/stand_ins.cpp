// Weak stand-ins for the frame's network, sound, platform, drawing and failure funnel.
#include "tests/support/stand_ins.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "app/fatal_error.h"
#include "net/net.h"
#include "platform/platform.h"
#include "render/render.h"
#include "sound/sound.h"

#define STAND_IN __attribute__((weak))

StandIns standIns;

void resetStandIns() {
    standIns = StandIns{};
}

std::vector<Record> sentOfType(int32_t type) {
    std::vector<Record> out;
    for (const FrameCall& c : standIns.calls)
        if (c.what == Call::SEND && recordType(c.record) == type) out.push_back(c.record);
    return out;
}

int callsOf(Call what) {
    return int(std::count_if(standIns.calls.begin(), standIns.calls.end(),
                             [&](const FrameCall& c) { return c.what == what; }));
}

STAND_IN NetEnding netExchange(NetSession&, WorldState&, int32_t, uint32_t) {
    if (standIns.onExchange) standIns.onExchange();
    return NetEnding{};
}
STAND_IN void netSend(NetSession&, const NetMessage& msg) {
    std::array<uint32_t, WIRE_WORDS> words;
    std::copy(msg.word, msg.word + WIRE_WORDS, words.begin());
    standIns.calls.push_back({Call::SEND, wordsRecord(words), {}});
}
STAND_IN uint32_t netFreeDroppedSlots(NetSession&, WorldState&) {
    return 0;
}
STAND_IN void netSendTo(NetSession&, int32_t, const NetMessage&) {}
STAND_IN void netTellArena(NetSession&, const char*) {}
STAND_IN uint32_t netTakeWelcomedSlots(NetSession&) {
    return 0;
}
STAND_IN int platformFolderNames(const char*, const char*, char*, int, int) {
    return 0;
}
STAND_IN NetEnding checkGlobalTimeout(NetSession&) {
    ++standIns.silenceChecks;
    return NetEnding{};
}
STAND_IN void netWait(NetSession&, uint32_t, uint32_t microseconds) {
    const uint32_t milliseconds = (microseconds + 999) / 1000;
    standIns.waitedMs += milliseconds;
    if (standIns.manualClock)
        standIns.clockMs += milliseconds;
    else
        std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
}
STAND_IN void netJoinTarget(const NetSession&, char text[NET_ADDRESS_TEXT_SIZE]) {
    text[0] = '\0';
}

namespace {
void heard(Call what, const float p[3]) {
    standIns.calls.push_back({what, {}, {}});
    std::copy(p, p + 3, standIns.calls.back().pos);
}
} // namespace
STAND_IN void soundUpdateListener(const float p[3], const float*) {
    heard(Call::LISTENER, p);
}
STAND_IN void soundPlayShot(const float p[3]) {
    heard(Call::SHOT, p);
}
STAND_IN void soundPlayExplosion(const float p[3]) {
    heard(Call::EXPLOSION, p);
}
STAND_IN uint32_t platformMilliseconds() {
    using namespace std::chrono;
    const auto steady = duration_cast<milliseconds>(steady_clock::now().time_since_epoch());
    return standIns.manualClock ? standIns.clockMs++ : uint32_t(steady.count());
}
STAND_IN uint64_t platformMicroseconds() {
    using namespace std::chrono;
    const auto steady = duration_cast<microseconds>(steady_clock::now().time_since_epoch());
    return standIns.manualClock ? uint64_t(standIns.clockMs) * 1000 : uint64_t(steady.count());
}
STAND_IN void platformTextInput(bool) {}
STAND_IN void platformLoginName(char* name, int size) {
    std::snprintf(name, size_t(size), "tester");
}
STAND_IN void centreCursor() {
    ++standIns.cursorCentrings;
}
STAND_IN void platformSwapBuffers() {}
STAND_IN void fitSceneToWindow() {}
STAND_IN void platformSleep(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
STAND_IN void renderFrame(const WorldState&, const OverlayView&) {}
STAND_IN void renderWaitingScreen(const char*) {}
STAND_IN void failGame(int exitCode, const char* text, bool) {
    std::fprintf(stderr, "voranis: %s\n", text);
    std::exit(exitCode);
}
