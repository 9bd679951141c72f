// The demo's time bar: a dim track, the part played, a tick for each kill, and the clock.
#include "render/time_bar.h"

#include <cstdio>

#include "render/render.h"
#include "render/text.h"

namespace {
constexpr float BAR_LEFT_SHARE   = 0.22f; // of the width: the score and health keep the corners
constexpr float BAR_WIDTH_SHARE  = 0.56f;
constexpr float BAR_HEIGHT_SHARE = 0.35f; // of the text height
constexpr float NOTICE_ROW_SHARE = 1.3f;  // of the text height: the foot's notice stays below
constexpr float MARK_RISE        = 0.5f;  // a kill's tick stands out this much of the bar's height
constexpr float MARK_WIDTH       = 2.0f;  // drawable pixels at scale 1
constexpr float TRACK_ALPHA      = 0.5f;
constexpr float TRACK[3]         = {0.35f, 0.35f, 0.35f};
constexpr float PLAYED[3]        = {0.9f, 0.9f, 0.9f};
constexpr float KILL[3]          = {1.0f, 0.2f, 0.2f};
constexpr float CLOCK_INK[3]     = {1.0f, 1.0f, 1.0f};
constexpr uint32_t SECONDS_PER_MINUTE = 60;

// The share of the whole a time stands at, 0 to 1; an empty demo is all played.
float shareOf(uint32_t ms, uint32_t totalMs) {
    if (totalMs == 0 || ms >= totalMs) return 1.0f;
    return static_cast<float>(ms) / static_cast<float>(totalMs);
}
} // namespace

TimeBarPlace timeBarPlace() {
    const float w      = static_cast<float>(drawable.width);
    const float h      = static_cast<float>(drawable.height);
    const float height = drawable.layout.textHeight * BAR_HEIGHT_SHARE;
    const float notice = drawable.layout.textHeight * NOTICE_ROW_SHARE;
    return TimeBarPlace{w * BAR_LEFT_SHARE, h - drawable.layout.margin - notice - height,
                        w * BAR_WIDTH_SHARE, height};
}

void timeBarClock(uint32_t elapsedMs, uint32_t totalMs, char text[TIME_BAR_STATUS_SIZE]) {
    const uint32_t e = elapsedMs / MS_PER_SECOND, t = totalMs / MS_PER_SECOND;
    std::snprintf(text, TIME_BAR_STATUS_SIZE, "%u:%02u / %u:%02u", e / SECONDS_PER_MINUTE,
                  e % SECONDS_PER_MINUTE, t / SECONDS_PER_MINUTE, t % SECONDS_PER_MINUTE);
}

void drawTimeBar(const TimeBarView& bar) {
    const TimeBarPlace p = timeBarPlace();
    fillRect(p.x, p.y, p.w, p.h, TRACK, TRACK_ALPHA);
    fillRect(p.x, p.y, p.w * shareOf(bar.elapsedMs, bar.totalMs), p.h, PLAYED, 1.0f);
    const float rise  = p.h * MARK_RISE;
    const float width = MARK_WIDTH * drawable.layout.scale;
    for (int k = 0; k < bar.killCount; ++k) {
        const float x = p.x + p.w * shareOf(bar.killMs[k], bar.totalMs) - width / 2.0f;
        fillRect(x, p.y - rise, width, p.h + 2.0f * rise, KILL, 1.0f);
    }
    char clock[TIME_BAR_STATUS_SIZE];
    timeBarClock(bar.elapsedMs, bar.totalMs, clock);
    const float textHeight = drawable.layout.textHeight;
    const float top        = p.y - rise - textHeight * 1.2f;
    drawText(p.x, top, textHeight, clock, CLOCK_INK);
    drawText(p.x + p.w - textWidth(bar.status, textHeight), top, textHeight, bar.status, CLOCK_INK);
}
