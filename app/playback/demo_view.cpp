// The demo's views: the free camera's flight, and the world seen from any player.
#include "app/playback/demo_view.h"

#include <cstring>

#include "world/remote_track.h"
#include "world/step_input.h"
#include "world/step_simulation.h"

FreeCamera freeCameraAt(const Player& eye) {
    FreeCamera camera{};
    std::memcpy(camera.pos, eye.pos, sizeof camera.pos);
    camera.yaw   = eye.yaw;
    camera.pitch = eye.pitch;
    return camera;
}

void flyFreeCamera(FreeCamera& camera) {
    turnView(camera.yaw, camera.pitch, camera.turnYaw, camera.turnPitch);
    camera.turnYaw = camera.turnPitch = 0.0f;
    float step[3]                     = {0.0f, 0.0f, 0.0f};
    const ControlState& held          = camera.held;
    if (held.strafeLeft != held.strafeRight) {
        strafeStep(camera.yaw, &step[0], &step[2]);
        const float sign = held.strafeLeft ? 1.0f : -1.0f;
        camera.pos[0] += sign * step[0];
        camera.pos[2] += sign * step[2];
    }
    if (held.forward == held.backward) return;
    if (held.vertical) {
        step[0] = step[2] = 0.0f;
        step[1]           = CLIMB_STEP;
    } else {
        forwardStep(camera.yaw, camera.pitch, &step[0], &step[1], &step[2]);
    }
    const float sign = held.forward ? 1.0f : -1.0f;
    for (int a = 0; a < 3; ++a)
        camera.pos[a] += sign * step[a];
}

Player freeCameraEye(const FreeCamera& camera) {
    Player eye{};
    eye.slot = FREE_SLOT;
    std::memcpy(eye.pos, camera.pos, sizeof eye.pos);
    eye.yaw   = camera.yaw;
    eye.pitch = camera.pitch;
    return eye;
}

void lookThrough(const WorldState& world, int32_t slot, WorldState* seen) {
    *seen               = world;
    const int32_t local = world.localPlayer;
    if (slot == local) return;
    Roster& roster = seen->roster;
    if (isValidSlot(local)) {
        setPlayerInfo(roster, local, world.localScore, world.roster.localDeaths,
                      world.roster.localName);
    }
    seen->localPlayer  = isValidSlot(slot) ? slot : FREE_SLOT;
    seen->localScore   = 0;
    roster.localDeaths = 0;
    if (!isValidSlot(slot)) return;
    // Its machine's numbers become the local ones; a slot never heard from stays nameless.
    char name[PLAYER_NAME_BYTES + 1];
    playerName(world, slot, name);
    setLocalName(roster, name);
    if (!world.roster.known[slot]) return;
    seen->localScore   = world.roster.kills[slot];
    roster.localDeaths = world.roster.deaths[slot];
}

Player playerEye(const WorldState& world, int32_t slot, uint32_t nowMs) {
    const int shown      = isValidSlot(slot) ? slot : 0;
    Player eye           = world.players[shown];
    const TrackPose pose = drawnShipPose(world, shown, nowMs);
    std::memcpy(eye.pos, pose.pos, sizeof eye.pos);
    eye.yaw   = pose.yaw;
    eye.pitch = pose.pitch;
    return eye;
}
