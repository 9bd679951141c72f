// A bot's brain: it plays the local ship of a machine without a player, by the same rules,
// the same keys and no faster turns than a player's mouse. Each step it reads the world and
// fills the step's input (control flags, look turn, respawn request) as a player's hands would.
#pragma once

#include <cstdint>

#include "step/bot_launcher.h"
#include "world/world_state.h"

// One row per skill level, 1 (easy) to 3 (hard).
struct BotSkill {
    float turnPerStep;  // degrees the view may turn in a step, each of yaw and pitch
    float aimTolerance; // degrees off the target at which it still fires
    int reactionSteps;  // steps before it notices a new target or a change of plan
    float fireRange;    // fires only at ships nearer than this
    int shotEvery;      // steps between two shots at the least, as fast as a finger clicks
    float lead; // how far ahead of a moving target it aims, 1 being where its rocket meets it
};

extern const BotSkill BOT_SKILLS[BOT_SKILL_LEVELS];

struct BotMind {
    int32_t target;   // the ship it hunts, -1 for none
    int stepsToThink; // until it looks for a target again
    int strafeSteps;  // until it changes the side it slides to
    bool strafeLeft;
    int deadSteps;      // steps dead so far
    int respawnAfter;   // steps dead before it comes back
    int stepsToShoot;   // until it may fire again
    uint32_t seed;      // its own dice, apart from the game's generator
    float targetWas[3]; // where the target stood the step before, to tell how it moves
};

constexpr float BOT_NEAR     = 4.0f;  // closer than this it backs off
constexpr float BOT_FAR      = 10.0f; // farther than this it closes in
constexpr int BOT_LOOK_AHEAD = 25;    // steps of flight it checks for planets ahead

void resetBotMind(BotMind* mind, uint32_t seed);

// True when the bot wants its dead ship back now (as a right click would).
bool botWantsRespawn(BotMind* mind);

// Sets the control flags and the look turn of world.input for this step; the local ship must
// be alive.
void thinkBot(WorldState& world, BotMind* mind, const BotSkill& skill);

// Yaw and pitch that look from one point to another, in the game's convention.
void aimAt(const float from[3], const float to[3], float* yaw, float* pitch);
