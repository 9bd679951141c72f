// What the overlay shows besides the world: the scoreboard while Tab is held, the chat line,
// the short flashes when the local ship is hit or one of its rockets hits a ship, and a notice
// such as "Screenshot saved: NAME" for a few seconds.
#pragma once

#include <cstdint>

#include "render/overlay_view.h"

constexpr uint32_t HIT_FLASH_MS = 300;
constexpr uint32_t HIT_MARK_MS  = 250;
constexpr uint32_t NOTICE_MS    = 3000;

void holdScoreboard(bool held);
void noteLocalHit(uint32_t nowMs);
void noteRocketHitShip(uint32_t nowMs);
// Shown from nowMs for NOTICE_MS, in place of the one before; cut to NOTICE_TEXT_SIZE.
void showNotice(const char* text, uint32_t nowMs);
OverlayView overlayView(uint32_t nowMs);
void resetHudState();
