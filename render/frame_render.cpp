// One frame from the world tables: sky, camera and light, planets, ships, rockets, overlay.
#include <GL/gl.h>

#include <cmath>
#include <cstdint>

#include "assets/asset_loading.h"
#include "assets/textures.h"
#include "render/people_overlay.h"
#include "render/render.h"
#include "render/ship_markers.h"
#include "render/text.h"
#include "render/time_bar.h"
#include "world/random.h"
#include "world/vector.h"
#include "world/world_state.h"

// clang-format off
const float slotColours[MAX_PLAYERS][3] = {
    // red   green  blue
    { 1.0f,  0.0f,  0.0f },  // 0 red
    { 0.0f,  0.0f,  1.0f },  // 1 blue
    { 0.0f,  1.0f,  0.0f },  // 2 green
    { 1.0f,  1.0f,  0.0f },  // 3 yellow
    { 1.0f,  0.0f,  1.0f },  // 4 magenta
    { 0.0f,  1.0f,  1.0f },  // 5 cyan
    { 0.5f,  1.0f,  0.5f },  // 6 pale green
    { 1.0f,  0.5f,  0.0f },  // 7 orange
};
const float slotTextColours[MAX_PLAYERS][3] = {
    // red   green  blue
    { 1.0f,  0.4f,  0.4f },  // 0 red
    { 0.5f,  0.6f,  1.0f },  // 1 blue
    { 0.4f,  1.0f,  0.4f },  // 2 green
    { 1.0f,  1.0f,  0.4f },  // 3 yellow
    { 1.0f,  0.5f,  1.0f },  // 4 magenta
    { 0.4f,  1.0f,  1.0f },  // 5 cyan
    { 0.7f,  1.0f,  0.7f },  // 6 pale green
    { 1.0f,  0.7f,  0.3f },  // 7 orange
};
// clang-format on

namespace {
// The explosions' axes come from a generator of the drawing's own: how often a machine draws
// must not change where the next ship spawns.
uint32_t effectsRandom = 1;

// The texture a planet wears: the universe file's number past the first TEXTURE line's name.
// The number is the file's to choose, so a sum beyond the names binds none rather than
// overflowing.
int planetTextureName(const WorldState& world, int32_t number) {
    int64_t name = int64_t{world.planetTextureBase} + number;
    return name >= 0 && name <= INT32_MAX ? static_cast<int>(name) : 0;
}

constexpr float DAMAGED_ALPHA_PER_DEGREE  = 0.0027777778f; // pulseAngle / 360
constexpr float EXPLOSION_COLOUR[3]       = {1.0f, 0.5f, 0.5f};
constexpr float EXPLOSION_ALPHA_PER_LIFE  = 0.005f;
constexpr float EXPLOSION_SHRINK_PER_LIFE = 0.01f;
constexpr int EXPLOSION_AXIS_STEPS        = 100;    // each axis component is a draw mod this ...
constexpr float EXPLOSION_AXIS_SCALE      = 100.0f; // ... times this

// The sky turns with the view but never moves with it, and lies behind everything.
void drawSky(const Player& viewer) {
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glRotatef(viewer.pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(viewer.yaw, 0.0f, 1.0f, 0.0f);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glCallList(LIST_SKY);
    glEnable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glClear(GL_DEPTH_BUFFER_BIT);
}

// The eye and the one point light sit at the centre of the local ship.
void placeCamera(const Player& viewer) {
    glLoadIdentity();
    glRotatef(viewer.pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(viewer.yaw, 0.0f, 1.0f, 0.0f);
    glTranslatef(-viewer.pos[0], -viewer.pos[1], -viewer.pos[2]);
    const float lightPos[4] = {viewer.pos[0], viewer.pos[1], viewer.pos[2], 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, lightPos);
}

void drawPlanets(const WorldState& world, const Player& viewer) {
    const int count = world.planetCount < MAX_PLANETS ? world.planetCount : MAX_PLANETS;
    for (int p = 0; p < count; ++p) {
        const float* pos   = world.planets.pos[p];
        const float radius = world.planets.radius[p];
        if (!isFinitePoint(pos) || !std::isfinite(radius)) continue;
        glPushMatrix();
        glTranslatef(pos[0], pos[1], pos[2]);
        glScalef(radius, radius, radius);
        glRotatef(world.spinAngle * world.planets.spin[p], 0.0f, 1.0f, 0.0f);
        bindTexture(planetTextureName(world, world.planets.texture[p]));
        glCallList(planetDetailList(distance(viewer.pos, pos), radius));
        glPopMatrix();
    }
}

// Each where its track puts it at nowMs, between its records.
void drawShips(const WorldState& world, uint32_t nowMs) {
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        const Player& ship = world.players[i];
        if (i == world.localPlayer || ship.slot < 0 || ship.health <= 0) continue;
        const TrackPose pose = drawnShipPose(world, i, nowMs);
        if (!isFinitePoint(pose.pos) || !std::isfinite(pose.yaw) || !std::isfinite(pose.pitch))
            continue;
        glPushMatrix();
        glTranslatef(pose.pos[0], pose.pos[1], pose.pos[2]);
        glRotatef(-pose.yaw, 0.0f, 1.0f, 0.0f);
        glRotatef(-pose.pitch, 1.0f, 0.0f, 0.0f);
        const bool damaged = ship.health <= DAMAGED_SHIP_HEALTH;
        if (damaged) {
            glEnable(GL_BLEND);
            glColor4f(slotColours[i][0], slotColours[i][1], slotColours[i][2],
                      world.pulseAngle * DAMAGED_ALPHA_PER_DEGREE);
        } else {
            glColor3fv(slotColours[i]);
        }
        glCallList(LIST_SHIP);
        if (damaged) glDisable(GL_BLEND);
        glPopMatrix();
    }
}

// Grows and fades as its life runs down, turned about a fresh random axis every frame.
void drawExplosion(const WorldState& world, const float pos[3], int life) {
    const float az =
        static_cast<float>(randFrom(effectsRandom) % EXPLOSION_AXIS_STEPS) * EXPLOSION_AXIS_SCALE;
    const float ay =
        static_cast<float>(randFrom(effectsRandom) % EXPLOSION_AXIS_STEPS) * EXPLOSION_AXIS_SCALE;
    const float ax =
        static_cast<float>(randFrom(effectsRandom) % EXPLOSION_AXIS_STEPS) * EXPLOSION_AXIS_SCALE;
    if (!isFinitePoint(pos)) return;
    glPushMatrix();
    glTranslatef(pos[0], pos[1], pos[2]);
    glEnable(GL_BLEND);
    glColor4f(EXPLOSION_COLOUR[0], EXPLOSION_COLOUR[1], EXPLOSION_COLOUR[2],
              static_cast<float>(life) * EXPLOSION_ALPHA_PER_LIFE);
    const float s = 1.0f - static_cast<float>(life) * EXPLOSION_SHRINK_PER_LIFE;
    glScalef(s, s, s);
    // A zero axis names no rotation at all.
    if (ax != 0.0f || ay != 0.0f || az != 0.0f) glRotatef(world.pulseAngle, ax, ay, az);
    glCallList(LIST_EXPLOSION);
    glDisable(GL_BLEND);
    glPopMatrix();
}

void drawRocket(const WorldState& world, const float pos[3], const float colour[3]) {
    if (!isFinitePoint(pos)) return;
    glPushMatrix();
    glTranslatef(pos[0], pos[1], pos[2]);
    glRotatef(world.pulseAngle, 0.0f, 0.0f, 1.0f);
    glColor3fv(colour);
    glCallList(LIST_ROCKET);
    glPopMatrix();
}

// Every player in use, the local one and the dead included, shows its rockets.
void drawRockets(const WorldState& world) {
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        const Player& owner = world.players[i];
        if (owner.slot < 0) continue;
        for (int j = 0; j < ROCKETS_PER_PLAYER; ++j) {
            const int life = owner.rocketLife[j];
            if (life >= FLYING_ROCKET_LIFE) {
                drawRocket(world, owner.rocketPos[j], slotColours[i]);
            } else if (life >= 1) {
                drawExplosion(world, owner.rocketPos[j], life);
            }
        }
    }
}

} // namespace

unsigned planetDetailList(float distance, float radius) {
    if (2.0f * radius > distance) return LIST_STONE2;
    if (distance > PLANET_DETAIL_DISTANCE) return LIST_STONE0;
    return LIST_STONE1;
}

namespace {
// The scene from viewer, then the overlay: the HUD of world's local player when asked, the
// markers of the other ships, who plays, and the time bar when there is one.
void drawFrameFrom(const WorldState& world, const OverlayView& view, const Player& viewer, bool hud,
                   const TimeBarView* bar) {
    drawSky(viewer);
    placeCamera(viewer);
    drawPlanets(world, viewer);
    drawShips(world, view.nowMs);
    drawRockets(world);
    if (hud) drawOverlay(world);
    beginScreenOverlay();
    drawShipMarkers(world, viewer, view.nowMs);
    drawPeopleOverlay(world, view);
    if (bar) drawTimeBar(*bar);
    endScreenOverlay();
    glFlush();
}
} // namespace

void renderFrame(const WorldState& world, const OverlayView& view) {
    if (!isValidSlot(world.localPlayer)) {
        // No ship to look from yet: show an empty frame rather than read outside the table.
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glFlush();
        return;
    }
    drawFrameFrom(world, view, world.players[world.localPlayer], true, nullptr);
}

void renderOnlookerFrame(const WorldState& world, const OverlayView& view, const Player& eye,
                         const TimeBarView& bar) {
    drawFrameFrom(world, view, eye, isValidSlot(world.localPlayer), &bar);
}
