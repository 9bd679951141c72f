// The overlay pictures. The overlay adds them to the scene, so black shows nothing and the
// glow around each line brightens what lies behind it a little.
#include <cmath>

#include "tools/pictures.h"
#include "tools/stroke_font.h"

namespace {
constexpr Rgb HUD_COLOUR  = {0.45f, 0.95f, 1.0f};
constexpr Rgb DEAD_COLOUR = {1.0f, 0.32f, 0.12f};
constexpr Rgb HINT_COLOUR = {0.75f, 0.8f, 0.9f};

constexpr int DIGIT_CELLS     = 16;
constexpr int NUMBERS_WIDTH   = 256;
constexpr int NUMBERS_HEIGHT  = 32;
constexpr int CAPTIONS_WIDTH  = 256;
constexpr int CAPTIONS_HEIGHT = 64;
constexpr int CROSSHAIR_SIDE  = 128;
constexpr int DEAD_WIDTH      = 256;
constexpr int DEAD_HEIGHT     = 128;

// On screen a digit cell is square and a caption half is 2.5 times as wide as high.
constexpr float DIGIT_TEXEL_ASPECT   = (NUMBERS_HEIGHT * 1.0f) / (NUMBERS_WIDTH / DIGIT_CELLS);
constexpr float CAPTION_TEXEL_ASPECT = 2.5f * CAPTIONS_HEIGHT / (CAPTIONS_WIDTH / 2);
} // namespace

Picture makeNumbersPicture() {
    Picture picture = makePicture(NUMBERS_WIDTH, NUMBERS_HEIGHT);
    const TextStyle style{HUD_COLOUR, 21.0f, 3.2f, 0.35f, 2.0f, DIGIT_TEXEL_ASPECT};
    const int cell = NUMBERS_WIDTH / DIGIT_CELLS;
    for (int digit = 0; digit <= 9; ++digit) {
        const char text[2] = {static_cast<char>('0' + digit), 0};
        drawText(picture, text, cell * (digit + 0.5f), 5.5f, style);
    }
    return picture; // cell 11, the space, stays black like the other unused cells
}

Picture makeCaptionsPicture() {
    Picture picture = makePicture(CAPTIONS_WIDTH, CAPTIONS_HEIGHT);
    const TextStyle style{scaleRgb(HUD_COLOUR, 0.8f), 24.0f, 3.4f, 0.3f, 2.5f,
                          CAPTION_TEXEL_ASPECT};
    const TextStyle rule{scaleRgb(HUD_COLOUR, 0.45f), 0.0f, 1.6f, 0.3f, 1.5f, CAPTION_TEXEL_ASPECT};
    const float half = CAPTIONS_WIDTH / 2.0f;
    drawText(picture, "SCORE", 0.5f * half, 24.0f, style);
    drawText(picture, "HEALTH", 1.5f * half, 24.0f, style);
    for (float left : {0.0f, half})
        drawGlowLine(picture, left + 14, 13, left + half - 14, 13, rule);
    return picture;
}

Picture makeCrosshairPicture() {
    Picture picture = makePicture(CROSSHAIR_SIDE, CROSSHAIR_SIDE);
    const TextStyle line{
        {0.45f, 1.0f, 0.7f},
        0.0f, 2.6f, 0.45f, 2.5f, 1.0f
    };
    const float c = CROSSHAIR_SIDE / 2.0f;
    // Four arcs of a ring, broken where the ticks point in.
    const float ring = 40.0f, pi = 3.14159265f;
    const int arcSteps = 10;
    for (int quarter = 0; quarter < 4; ++quarter) {
        const float start = quarter * 0.5f * pi + 0.2f, end = (quarter + 1) * 0.5f * pi - 0.2f;
        for (int k = 0; k < arcSteps; ++k) {
            const float a0 = start + (end - start) * k / arcSteps;
            const float a1 = start + (end - start) * (k + 1) / arcSteps;
            drawGlowLine(picture, c + ring * std::cos(a0), c + ring * std::sin(a0),
                         c + ring * std::cos(a1), c + ring * std::sin(a1), line);
        }
    }
    // Ticks from outside the ring toward a clear centre.
    const float dirs[4][2] = {
        {1,  0 },
        {-1, 0 },
        {0,  1 },
        {0,  -1}
    };
    for (const auto& d : dirs)
        drawGlowLine(picture, c + 12 * d[0], c + 12 * d[1], c + 50 * d[0], c + 50 * d[1], line);
    const TextStyle dot{
        {0.6f, 1.0f, 0.8f},
        0.0f, 3.5f, 0.5f, 2.0f, 1.0f
    };
    drawGlowLine(picture, c - 0.5f, c, c + 0.5f, c, dot);
    return picture;
}

Picture makeDeadPicture() {
    Picture picture = makePicture(DEAD_WIDTH, DEAD_HEIGHT);
    const TextStyle title{DEAD_COLOUR, 26.0f, 4.0f, 0.45f, 4.0f, 1.0f};
    const TextStyle frame{scaleRgb(DEAD_COLOUR, 0.7f), 0.0f, 2.0f, 0.4f, 3.0f, 1.0f};
    const TextStyle hint{HINT_COLOUR, 11.0f, 1.7f, 0.25f, 1.5f, 1.0f};
    const float c = DEAD_WIDTH / 2.0f;
    drawText(picture, "DESTROYED", c, 58.0f, title);
    drawGlowLine(picture, 12, 104, DEAD_WIDTH - 12, 104, frame);
    drawGlowLine(picture, 12, 44, DEAD_WIDTH - 12, 44, frame);
    drawText(picture, "RIGHT CLICK TO RESPAWN", c, 20.0f, hint);
    return picture;
}
