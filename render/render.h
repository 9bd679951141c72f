// Drawing: the fixed GL state, the frame and the overlay.
#pragma once

#include "render/overlay_layout.h"
#include "render/overlay_view.h"
#include "render/time_bar.h"
#include "world/world_state.h"

constexpr float PLANET_DETAIL_DISTANCE = 22.0f; // beyond it a planet gets the coarsest mesh
constexpr int DAMAGED_SHIP_HEALTH      = 10;    // at or below it a ship pulses
constexpr int FLYING_ROCKET_LIFE       = 100;   // from here up a rocket flies, below it bursts

// Each player slot's colour, for its ship and its flying rockets.
extern const float slotColours[MAX_PLAYERS][3];
// The same colours lightened for text, so that even blue names read on the dark sky.
extern const float slotTextColours[MAX_PLAYERS][3];

// The drawable's size in pixels, the projection's vertical field of view and the overlay's
// sizes for it, as setSceneSize last set them. One value for the one GL drawable: every
// drawing call reads it, only setSceneSize writes it.
struct DrawableView {
    int width, height;
    float fovDegrees;
    OverlayLayout layout;
};
extern DrawableView drawable;

// The fixed GL state, for a drawable of that size at one pixel a point, seen with a vertical
// field of view of fovDegrees.
void setupScene(int width, int height, float fovDegrees);
// The viewport, the projection's shape and the overlay's sizes for a new drawable size.
void setSceneSize(int width, int height, float pixelRatio, float fovDegrees);
// Draws the frame into the back buffer, with what the view adds to the overlay; the caller
// shows it.
void renderFrame(const WorldState& world, const OverlayView& view);
// The frame as someone watching a demo sees it: from eye, without the ship of world's local
// player (FREE_SLOT for a free camera, which shows no score, health or crosshair either),
// with the time bar at the bottom.
void renderOnlookerFrame(const WorldState& world, const OverlayView& view, const Player& eye,
                         const TimeBarView& bar);
// "Connecting to ADDRESS...", while a joiner waits for its place in the game.
void renderWaitingScreen(const char* address);
void drawOverlay(const WorldState& world);
void drawDigits(float x, float y, float z, const char* text);

// The planet mesh for a viewer at the given distance from a planet's centre.
unsigned planetDetailList(float distance, float radius);
