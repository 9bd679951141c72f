// The bot's plan each step: find the nearest living ship, turn toward it within the turn
// limit, keep its distance, slide from side to side, keep clear of planets ahead, fire when
// the aim is good and the target in range.
#include "bot/bot_brain.h"

#include <cmath>

#include "world/contact.h"
#include "world/control_state.h"
#include "world/step_input.h"
#include "world/step_simulation.h"
#include "world/vector.h"

// clang-format off
const BotSkill BOT_SKILLS[BOT_SKILL_LEVELS] = {
    // turn  aim  react  range  shot every  lead
    {  1.5f, 8.0f,  40,  22.0f,  40,        0.0f },  // 1 easy
    {  3.0f, 5.0f,  20,  28.0f,  25,        0.5f },  // 2 normal
    {  5.0f, 3.0f,   8,  34.0f,  10,        1.0f },  // 3 hard
};
// clang-format on

namespace {
constexpr float FULL_TURN         = 360.0f;
constexpr float HALF_TURN         = 180.0f;
constexpr int STRAFE_MIN_STEPS    = 60;
constexpr int STRAFE_SPREAD_STEPS = 90;
constexpr int RESPAWN_MIN_STEPS   = 66; // a second or two at the step rate
constexpr int RESPAWN_SPREAD      = 66;
constexpr float AVOID_RADIUS      = 2.0f * SHIP_RADIUS; // keeps a margin off planet surfaces
constexpr float MOST_STEP         = 0.2f; // a ship moves less a step; more is a respawn

uint32_t nextRandom(BotMind* mind) {
    mind->seed = mind->seed * 1664525u + 1013904223u;
    return mind->seed >> 8;
}

int32_t nearestLivingShip(const WorldState& world, const Player& self) {
    int32_t best   = -1;
    float bestDist = INFINITY;
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        const Player& p = world.players[i];
        if (i == world.localPlayer || p.slot < 0 || p.health <= 0 || !isFinitePoint(p.pos))
            continue;
        const float d = distance(self.pos, p.pos);
        if (d < bestDist) {
            bestDist = d;
            best     = i;
        }
    }
    return best;
}

float limited(float value, float limit) {
    return std::fmax(-limit, std::fmin(limit, value));
}

// A planet along the path the ship would fly for a while from here.
bool planetAhead(const WorldState& world, const Player& self, const float step[3]) {
    for (int n = 1; n <= BOT_LOOK_AHEAD; n += 4) {
        const float at[3] = {self.pos[0] + step[0] * n, self.pos[1] + step[1] * n,
                             self.pos[2] + step[2] * n};
        if (findObstacle(world, at, AVOID_RADIUS, world.localPlayer) == -1) return true;
    }
    return false;
}

// Asks the step to turn the view toward yaw and pitch, by at most limit in each, as a mouse
// would.
void turnToward(StepInput& input, const Player& self, float yaw, float pitch, float limit) {
    input.turnYaw   = limited(turnBetween(self.yaw, yaw), limit);
    input.turnPitch = limited(pitch - self.pitch, limit);
}
} // namespace

void resetBotMind(BotMind* mind, uint32_t seed) {
    *mind        = BotMind{};
    mind->target = -1;
    mind->seed   = seed;
}

void aimAt(const float from[3], const float to[3], float* yaw, float* pitch) {
    const float dx = to[0] - from[0], dy = to[1] - from[1], dz = to[2] - from[2];
    const float flat = std::sqrt(dx * dx + dz * dz);
    // forwardStep looks along (cos a, -sin pitch, sin a) with a = yaw + 270 degrees.
    float y = std::atan2(dz, dx) / DEG_TO_RAD - 270.0f;
    while (y < 0.0f)
        y += FULL_TURN;
    while (y >= FULL_TURN)
        y -= FULL_TURN;
    *yaw   = y;
    *pitch = -std::atan2(dy, flat) / DEG_TO_RAD;
}

bool botWantsRespawn(BotMind* mind) {
    if (mind->deadSteps == 0)
        mind->respawnAfter =
            RESPAWN_MIN_STEPS + static_cast<int>(nextRandom(mind) % RESPAWN_SPREAD);
    return ++mind->deadSteps >= mind->respawnAfter;
}

void thinkBot(WorldState& world, BotMind* mind, const BotSkill& skill) {
    const Player& self = world.players[world.localPlayer];
    StepInput& input   = world.input;
    mind->deadSteps    = 0;
    input.controls     = ControlState{0, 0, 0, 0, 0, input.controls.fire};
    if (--mind->stepsToThink <= 0) {
        mind->target       = nearestLivingShip(world, self);
        mind->stepsToThink = skill.reactionSteps;
    }
    if (--mind->strafeSteps <= 0) {
        mind->strafeLeft = nextRandom(mind) % 2 == 0;
        mind->strafeSteps =
            STRAFE_MIN_STEPS + static_cast<int>(nextRandom(mind) % STRAFE_SPREAD_STEPS);
    }
    const int32_t t    = mind->target;
    const bool hunting = isValidSlot(t) && world.players[t].slot >= 0 &&
                         world.players[t].health > 0 && isFinitePoint(world.players[t].pos);
    float step[3];
    forwardStep(self.yaw, self.pitch, &step[0], &step[1], &step[2]);
    if (planetAhead(world, self, step)) {
        // Back away from it, level the view and turn aside. Climbing instead held a bot under a
        // planet above it for good: every way it turned, its raised view met the planet.
        input.controls.backward = 1;
        turnToward(input, self, self.yaw + HALF_TURN / 2.0f, 0.0f, skill.turnPerStep);
        return;
    }
    if (!hunting) {
        input.controls.forward = 1;
        turnToward(input, self, self.yaw + skill.turnPerStep / 2.0f, 0.0f, skill.turnPerStep);
        return;
    }
    const Player& target = world.players[t];
    // Where the target will be when a rocket gets there, if it keeps going as it went.
    const float distance = ::distance(self.pos, target.pos);
    const float flight   = distance / (ROCKET_SPEED * FORWARD_STEP) * skill.lead;
    float aimPoint[3];
    for (int a = 0; a < 3; ++a) {
        const float moved  = target.pos[a] - mind->targetWas[a];
        aimPoint[a]        = target.pos[a] + (std::fabs(moved) < MOST_STEP ? moved * flight : 0.0f);
        mind->targetWas[a] = target.pos[a];
    }
    float yaw = 0.0f, pitch = 0.0f;
    aimAt(self.pos, aimPoint, &yaw, &pitch);
    turnToward(input, self, yaw, pitch, skill.turnPerStep);
    input.controls.forward     = distance > BOT_FAR;
    input.controls.backward    = distance < BOT_NEAR;
    input.controls.strafeLeft  = mind->strafeLeft;
    input.controls.strafeRight = !mind->strafeLeft;
    // It judges its aim by where the step is about to turn it.
    float viewYaw = self.yaw, viewPitch = self.pitch;
    turnView(viewYaw, viewPitch, input.turnYaw, input.turnPitch);
    const float off = std::fabs(turnBetween(viewYaw, yaw)) + std::fabs(viewPitch - pitch);
    if (--mind->stepsToShoot <= 0 && off <= skill.aimTolerance && distance <= skill.fireRange) {
        input.controls.fire = 1;
        mind->stepsToShoot  = skill.shotEvery;
    }
}
