// The overlay's own state and the view handed to the drawing.
#include "app/hud_state.h"

#include <cstdio>

#include "app/chat_input.h"

namespace {
bool scoreboardHeld           = false;
bool flashing                 = false;
uint32_t flashAt              = 0;
bool marking                  = false;
uint32_t markAt               = 0;
char notice[NOTICE_TEXT_SIZE] = "";
uint32_t noticeAt             = 0;

// 1 at the start, falling to 0 over the length; 0 once over.
float fading(bool on, uint32_t since, uint32_t nowMs, uint32_t length) {
    const uint32_t age = nowMs - since;
    if (!on || age >= length) return 0.0f;
    return 1.0f - static_cast<float>(age) / static_cast<float>(length);
}
} // namespace

void holdScoreboard(bool held) {
    scoreboardHeld = held;
}

void noteLocalHit(uint32_t nowMs) {
    flashing = true;
    flashAt  = nowMs;
}

void noteRocketHitShip(uint32_t nowMs) {
    marking = true;
    markAt  = nowMs;
}

void showNotice(const char* text, uint32_t nowMs) {
    std::snprintf(notice, sizeof notice, "%s", text);
    noticeAt = nowMs;
}

OverlayView overlayView(uint32_t nowMs) {
    OverlayView v{};
    v.nowMs      = nowMs;
    v.scoreboard = scoreboardHeld;
    v.chatOpen   = chatIsOpen();
    chatText(v.chatText);
    v.hitFlash = fading(flashing, flashAt, nowMs, HIT_FLASH_MS);
    v.hitMark  = fading(marking, markAt, nowMs, HIT_MARK_MS);
    if (nowMs - noticeAt < NOTICE_MS) std::snprintf(v.notice, sizeof v.notice, "%s", notice);
    return v;
}

void resetHudState() {
    scoreboardHeld = false;
    flashing       = false;
    marking        = false;
    notice[0]      = '\0';
}
