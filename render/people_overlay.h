// Who plays, on the overlay: the scoreboard while Tab is held, who destroyed whom, the chat,
// the line being typed, a notice such as "Screenshot saved: NAME", and the flashes of a hit
// taken or given.
#pragma once

#include "render/overlay_view.h"

// Inside the overlay, after the score, health and crosshair.
void drawPeopleOverlay(const WorldState& world, const OverlayView& view);

// The scoreboard's order: slots in use by kills, then fewer deaths, then slot; returns how
// many. A player whose numbers never came counts as 0 kills and 0 deaths.
int scoreboardOrder(const WorldState& world, int order[MAX_PLAYERS]);

// The slot whose scoreboard row holds the point (drawable pixels, origin top left); FREE_SLOT
// for none.
int scoreboardSlotAt(const WorldState& world, float x, float y);
