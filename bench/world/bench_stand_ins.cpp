// What the frame update calls outside the world, reduced to nothing: no peers, no sound,
// no window. The clock and sleep come from the real platform layer (voranis_platform).
#include <cstring>

#include "net/net.h"
#include "sound/sound.h"
#include "world/world_state.h"

namespace {
uint32_t bits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}
} // namespace

// A sink the compiler cannot see through, so the records are really built.
volatile uint32_t benchRecordSink;

void netExchange(int32_t) {}
void netSend(const NetMessage& msg) {
    benchRecordSink = msg.word[0] ^ msg.word[4];
}
void checkGlobalTimeout() {}

NetMessage makeStateMessage(int32_t slot) {
    const Player& p = playerTable[slot];
    return NetMessage{
        {static_cast<uint32_t>(MSG_STATE), static_cast<uint32_t>(slot),
         static_cast<uint32_t>(p.killer), static_cast<uint32_t>(p.health), bits(p.pos[0]),
         bits(p.pos[1]), bits(p.pos[2]), bits(p.yaw), bits(p.pitch), 0}
    };
}

NetMessage makeRocketMessage(int32_t slot, int32_t rocket) {
    const Player& p = playerTable[slot];
    return NetMessage{
        {static_cast<uint32_t>(MSG_ROCKET), static_cast<uint32_t>(slot),
         static_cast<uint32_t>(rocket), static_cast<uint32_t>(p.rocketLife[rocket]),
         bits(p.rocketPos[rocket][0]), bits(p.rocketPos[rocket][1]), bits(p.rocketPos[rocket][2]),
         bits(p.rocketVel[rocket][0]), bits(p.rocketVel[rocket][1]), bits(p.rocketVel[rocket][2])}
    };
}

void soundUpdateListener() {}
void soundPlayShot(const float*) {}
void soundPlayExplosion(const float*) {}

void centreCursor() {}
