// simulateStep: the simulation step, in a fixed order, with no time scaling.
#include "world/step_simulation.h"

#include "world/contact.h"
#include "world/control_state.h"
#include "world/game_trig.h"
#include "world/roster.h"
#include "world/step_input.h"
#include "world/world_state.h"

namespace {
StepEvent& addEvent(StepReport* report, StepEventKind kind, int32_t slot) {
    // The table holds the most one step can report; the last entry is never overrun.
    int n        = report->count < MAX_STEP_EVENTS ? report->count++ : MAX_STEP_EVENTS - 1;
    StepEvent& e = report->event[n];
    e            = StepEvent{};
    e.kind       = kind;
    e.slot       = slot;
    return e;
}

void reportAt(const WorldState& world, StepReport* report, StepEventKind kind, const float pos[3]) {
    StepEvent& e = addEvent(report, kind, world.localPlayer);
    for (int a = 0; a < 3; ++a)
        e.pos[a] = pos[a];
}

void reportRocket(const WorldState& world, StepReport* report, int32_t slot, int32_t j) {
    const Player& p = world.players[slot];
    StepEvent& e    = addEvent(report, StepEventKind::ROCKET_RECORD, slot);
    e.rocket        = j;
    e.life          = p.rocketLife[j];
    for (int a = 0; a < 3; ++a) {
        e.pos[a] = p.rocketPos[j][a];
        e.vel[a] = p.rocketVel[j][a];
    }
}

void reportListener(const WorldState& world, StepReport* report, const Player& l) {
    StepEvent& e = addEvent(report, StepEventKind::LISTENER, world.localPlayer);
    for (int a = 0; a < 3; ++a) {
        e.pos[a] = l.pos[a];
        e.vel[a] = l.vel[a];
    }
}

// Decrement that stays defined for any life a peer may have sent.
void ageRocket(int32_t& life) {
    life = static_cast<int32_t>(static_cast<uint32_t>(life) - 1u);
}

bool touchesSomething(const WorldState& world, const Player& l) {
    return findObstacle(world, l.pos, SHIP_RADIUS, world.localPlayer) != 0;
}

// Moves the local ship by sign x vel on the axes given; a contact sends it one full step
// back past where it started.
void moveShip(const WorldState& world, Player& l, float sign, bool allAxes) {
    for (int a = 0; a < 3; ++a) {
        if (allAxes || a != 1) l.pos[a] += sign * l.vel[a];
    }
    if (!touchesSomething(world, l)) return;
    for (int a = 0; a < 3; ++a) {
        if (allAxes || a != 1) l.pos[a] -= 2.0f * sign * l.vel[a];
    }
}

void moveLocalShip(WorldState& world, Player& l) {
    if (world.input.controls.strafeRight) {
        strafeStep(l.yaw, &l.vel[0], &l.vel[2]);
        moveShip(world, l, -1.0f, false);
    }
    if (world.input.controls.strafeLeft) {
        strafeStep(l.yaw, &l.vel[0], &l.vel[2]);
        moveShip(world, l, 1.0f, false);
    }
    if (world.input.controls.vertical) {
        l.vel[0] = 0.0f;
        l.vel[1] = CLIMB_STEP;
        l.vel[2] = 0.0f;
    } else {
        forwardStep(l.yaw, l.pitch, &l.vel[0], &l.vel[1], &l.vel[2]);
    }
    if (world.input.controls.forward) moveShip(world, l, 1.0f, true);
    if (world.input.controls.backward) moveShip(world, l, -1.0f, true);
}

void fireShot(WorldState& world, Player& l, StepReport* report) {
    if (!world.input.controls.fire || l.health <= 0) return;
    if (world.input.controls.vertical) forwardStep(l.yaw, l.pitch, &l.vel[0], &l.vel[1], &l.vel[2]);
    for (int j = 0; j < ROCKETS_PER_PLAYER; ++j) {
        if (l.rocketLife[j] >= ROCKET_REUSE_BELOW) continue;
        const float heard[3] = {l.pos[0], l.pos[1] + SHOT_SOUND_HEIGHT, l.pos[2]};
        reportAt(world, report, StepEventKind::SHOT_SOUND, heard);
        l.rocketLife[j] = ROCKET_LAUNCH_LIFE;
        for (int a = 0; a < 3; ++a) {
            l.rocketPos[j][a] = l.pos[a];
            l.rocketVel[j][a] = ROCKET_SPEED * l.vel[a];
        }
        reportRocket(world, report, world.localPlayer, j);
        break;
    }
    world.input.controls.fire = 0;
}

// A rocket of player i that touches obstacle t: damage, impact, ageing.
void rocketContact(WorldState& world, int i, int j, int32_t t, StepReport* report) {
    Player& p     = world.players[i];
    int32_t& life = p.rocketLife[j];
    if (i != world.localPlayer && t - 1 == world.localPlayer && life > ROCKET_DAMAGE_ABOVE) {
        Player& l = world.players[world.localPlayer];
        l.health -= 1;
        if (l.health <= 0) {
            l.killer = i;
            world.roster.localDeaths += 1;
            addEvent(report, StepEventKind::LOCAL_DEATH, i);
        }
    }
    if (life > ROCKET_BURST_ABOVE) {
        reportAt(world, report, StepEventKind::EXPLOSION_SOUND, p.rocketPos[j]);
        life = ROCKET_BURST_LIFE;
        if (i == world.localPlayer) reportRocket(world, report, i, j);
        if (i == world.localPlayer && t > 0)
            addEvent(report, StepEventKind::ROCKET_HIT_SHIP, t - 1);
    }
    if (life > 0) ageRocket(life);
}

void flyRockets(WorldState& world, StepReport* report) {
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        Player& p = world.players[i];
        if (p.killer == world.localPlayer) {
            p.killer = NO_KILLER;
            world.localScore += 1;
        }
        if (p.slot < 0) continue;
        for (int j = 0; j < ROCKETS_PER_PLAYER; ++j) {
            if (p.rocketLife[j] == 0) continue;
            int32_t t = findObstacle(world, p.rocketPos[j], ROCKET_RADIUS, i);
            if (t != 0) {
                rocketContact(world, i, j, t, report);
                continue;
            }
            for (int a = 0; a < 3; ++a)
                p.rocketPos[j][a] += p.rocketVel[j][a];
            ageRocket(p.rocketLife[j]);
        }
    }
}

void advanceAngles(WorldState& world) {
    world.spinAngle += SPIN_STEP;
    world.pulseAngle += PULSE_STEP;
    if (world.spinAngle >= ANGLE_LIMIT) world.spinAngle = 0.0f;
    if (world.pulseAngle >= ANGLE_LIMIT) world.pulseAngle = 0.0f;
}
} // namespace

void forwardStep(float yaw, float pitch, float* x, float* y, float* z) {
    float a = (yaw + 270.0f) * DEG_TO_RAD;
    float c = gameCos(pitch * DEG_TO_RAD);
    *x      = gameCos(a) * c * FORWARD_STEP;
    *z      = gameSin(a) * c * FORWARD_STEP;
    *y      = -gameSin(pitch * DEG_TO_RAD) * FORWARD_STEP;
}

void strafeStep(float yaw, float* x, float* z) {
    float a = (yaw + 180.0f) * DEG_TO_RAD;
    *x      = gameCos(a) * STRAFE_STEP;
    *z      = gameSin(a) * STRAFE_STEP;
}

void simulateStep(WorldState& world, StepReport* report) {
    report->count = 0;
    applyStepInput(world);
    if (isValidSlot(world.localPlayer)) {
        Player& l = world.players[world.localPlayer];
        l.killer  = NO_KILLER;
        reportListener(world, report, l);
        moveLocalShip(world, l);
        fireShot(world, l, report);
        const int32_t healthBefore = l.health;
        flyRockets(world, report);
        if (l.health < healthBefore)
            addEvent(report, StepEventKind::LOCAL_DAMAGE, world.localPlayer);
        addEvent(report, StepEventKind::STATE_RECORD, world.localPlayer);
    }
    advanceAngles(world);
}
