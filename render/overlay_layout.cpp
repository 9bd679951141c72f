// The overlay's sizes, all in one table of shares of the 640 x 480 screen.
#include "render/overlay_layout.h"

#include <algorithm>

namespace {
constexpr float MOST_SCALE = 8.0f; // past 5120 x 3840 things stop growing

// Each size in pixels of the 640 x 480 screen, the share of its height it always was.
constexpr float BASE_H              = static_cast<float>(LAYOUT_BASE_HEIGHT);
constexpr float TEXT_HEIGHT         = BASE_H / 34.0f;
constexpr float MARGIN              = BASE_H / 60.0f;
constexpr float TAG_LIFT            = BASE_H / 30.0f;
constexpr float ARROW_SIZE          = BASE_H / 40.0f;
constexpr float EDGE_MARGIN         = BASE_H / 20.0f;
constexpr float FLASH_BAND          = BASE_H * 0.04f;
constexpr float MARK_INNER          = BASE_H * 0.025f;
constexpr float MARK_OUTER          = BASE_H * 0.045f;
constexpr float WAITING_TEXT_HEIGHT = BASE_H * 0.04f;
} // namespace

OverlayLayout overlayLayout(int drawableWidth, int drawableHeight, float pixelRatio) {
    const float w     = static_cast<float>(std::max(drawableWidth, 1));
    const float h     = static_cast<float>(std::max(drawableHeight, 1));
    const float ratio = std::max(pixelRatio, 1.0f);
    const float fits  = std::min(w / LAYOUT_BASE_WIDTH, h / BASE_H);
    const float scale = std::clamp(fits, ratio, MOST_SCALE * ratio);
    OverlayLayout l{};
    l.scale             = scale;
    l.aspect            = w / h;
    l.hudScale          = scale * BASE_H / h;
    l.textHeight        = TEXT_HEIGHT * scale;
    l.margin            = MARGIN * scale;
    l.tagLift           = TAG_LIFT * scale;
    l.arrowSize         = ARROW_SIZE * scale;
    l.edgeMargin        = EDGE_MARGIN * scale;
    l.flashBand         = FLASH_BAND * scale;
    l.markInner         = MARK_INNER * scale;
    l.markOuter         = MARK_OUTER * scale;
    l.waitingTextHeight = WAITING_TEXT_HEIGHT * scale;
    return l;
}
