// applyStepInput: the look turn and the respawn request, once a step.
#include "world/step_input.h"

#include <cmath>

#include "world/contact.h"
#include "world/world_state.h"

void turnView(float& yaw, float& pitch, float turnYaw, float turnPitch) {
    yaw = std::fmod(yaw + turnYaw, YAW_LIMIT);
    if (yaw < 0.0f) yaw += YAW_LIMIT;
    pitch += turnPitch;
    if (pitch > PITCH_LIMIT) {
        pitch = PITCH_LIMIT;
    } else if (pitch < -PITCH_LIMIT) {
        pitch = -PITCH_LIMIT;
    }
}

void applyStepInput(WorldState& world) {
    StepInput& input = world.input;
    if (isValidSlot(world.localPlayer)) {
        Player& l = world.players[world.localPlayer];
        turnView(l.yaw, l.pitch, input.turnYaw, input.turnPitch);
        if (input.respawn && l.health < 1) spawnLocalPlayer(world, world.localPlayer);
    }
    input.turnYaw = input.turnPitch = 0.0f;
    input.respawn                   = false;
}
