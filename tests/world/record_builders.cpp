// The state and rocket records the frame update hands to netSend, built from the player
// table in the wire layout. Weak, so the network library's own builders take over in any
// test that links it.
#include <cstring>

#include "net/net_message.h"
#include "world/world_state.h"

namespace {
uint32_t bits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}
} // namespace

__attribute__((weak)) NetMessage makeStateMessage(int32_t slot) {
    const Player& p = playerTable[slot];
    return NetMessage{
        {static_cast<uint32_t>(MSG_STATE), static_cast<uint32_t>(slot),
         static_cast<uint32_t>(p.killer), static_cast<uint32_t>(p.health), bits(p.pos[0]),
         bits(p.pos[1]), bits(p.pos[2]), bits(p.yaw), bits(p.pitch), 0}
    };
}

__attribute__((weak)) NetMessage makeRocketMessage(int32_t slot, int32_t rocket) {
    const Player& p = playerTable[slot];
    return NetMessage{
        {static_cast<uint32_t>(MSG_ROCKET), static_cast<uint32_t>(slot),
         static_cast<uint32_t>(rocket), static_cast<uint32_t>(p.rocketLife[rocket]),
         bits(p.rocketPos[rocket][0]), bits(p.rocketPos[rocket][1]), bits(p.rocketPos[rocket][2]),
         bits(p.rocketVel[rocket][0]), bits(p.rocketVel[rocket][1]), bits(p.rocketVel[rocket][2])}
    };
}
