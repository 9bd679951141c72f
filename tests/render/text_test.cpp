// Overlay text read back as pixels, with the generated font: where letters land and in what
// colour, the font's cells at their own size, unprintable characters, bright ground.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/render.h"
#include "render/text.h"
#include "tests/render/render_fixture.h"

namespace {
constexpr float WHITE[3] = {1.0f, 1.0f, 1.0f};
constexpr int LIT        = 24; // a channel above this shows ink

using TextOverlay = RenderTest;

Frame drawn(float x, float y, float height, const char* text, const float colour[3]) {
    glClear(GL_COLOR_BUFFER_BIT);
    beginScreenOverlay();
    drawText(x, y, height, text, colour);
    endScreenOverlay();
    return readBackBuffer(VIEW_W, VIEW_H);
}

// Window pixels count down from the top; frames count up from the bottom.
const uint8_t* windowPixel(const Frame& f, int x, int y) {
    return f.at(x, f.height - 1 - y);
}

TEST_F(TextOverlay, LettersLieInTheirBoxInTheirColourAndSpanItsWidth) {
    const struct {
        float x, y, height;
        const char* text;
        int slot;
    } cases[] = {
        {40.0f,  30.0f,  20.0f, "ALICE destroyed BOB",                7},
        {300.4f, 200.6f, 12.0f, "Connecting to 192.168.0.20:2345...", 1},
        {10.0f,  440.0f, 16.0f, "_jq~{|}W",                           6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const float* colour = slotColours[c.slot];
        const int main      = int(std::max_element(colour, colour + 3) - colour);
        const Frame f       = drawn(c.x, c.y, c.height, c.text, colour);
        const float left = std::round(c.x), top = std::round(c.y);
        const float right = left + textWidth(c.text, c.height), advance = textWidth("W", c.height);
        float inkLeft = VIEW_W, inkRight = 0.0f;
        for (int y = 0; y < VIEW_H; ++y)
            for (int x = 0; x < VIEW_W; ++x) {
                const uint8_t* px = windowPixel(f, x, y);
                if (px[main] <= LIT) continue;
                ASSERT_TRUE(x >= left && x < right && y >= top && y < top + c.height)
                    << x << "," << y;
                for (int k = 0; k < 3; ++k)
                    ASSERT_NEAR(px[k], colour[k] / colour[main] * px[main], 3) << x << "," << y;
                inkLeft  = std::fmin(inkLeft, float(x));
                inkRight = std::fmax(inkRight, float(x + 1));
            }
        EXPECT_LT(inkLeft, left + 0.5f * advance);
        EXPECT_GT(inkRight, right - 0.5f * advance);
    }
}

// At the cell height, the characters in order, 16 a line, give back the picture texel for
// texel, even from a corner between pixels.
TEST_F(TextOverlay, AtItsOwnSizeTheTextIsTheFontPicture) {
    const int cellW = 12, cellH = 20, columns = 16, first = 32, last = 126;
    beginScreenOverlay();
    for (int c = first; c <= last; c += columns) {
        char line[columns + 1] = {};
        for (int k = 0; k < columns && c + k <= last; ++k)
            line[k] = char(c + k);
        drawText(0.4f, float((c - first) / columns * cellH) - 0.4f, float(cellH), line, WHITE);
    }
    endScreenOverlay();
    const Frame f = frame();
    int worst     = 0;
    for (int y = 0; y < (last - first) / columns * cellH + cellH; ++y)
        for (int x = 0; x < columns * cellW; ++x)
            worst = std::max(worst,
                             std::abs(windowPixel(f, x, y)[0] - windowPixel(fontPicture, x, y)[0]));
    EXPECT_LE(worst, 2);
}

TEST_F(TextOverlay, UnprintableCharactersDrawAsQuestionMarks) {
    EXPECT_EQ(drawn(100.0f, 90.0f, 14.0f, "a\x01z\x7f\xe9\t", WHITE).rgb,
              drawn(100.0f, 90.0f, 14.0f, "a?z???", WHITE).rgb);
}

// Over white a bar keeps its colour on a dark shadow and a box blends by its alpha; afterwards
// the 3D projection and the switches are as before.
TEST_F(TextOverlay, ReadableOnBrightGroundAndTheSceneStateComesBack) {
    const float blue[3] = {0.0f, 0.0f, 1.0f}, orange[3] = {1.0f, 0.5f, 0.0f};
    GLfloat before[16], after[16];
    glGetFloatv(GL_PROJECTION_MATRIX, before);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    beginScreenOverlay();
    fillRect(400.0f, 10.0f, 20.0f, 10.0f, orange, 0.5f);
    drawText(20.0f, 20.0f, 20.0f, "|", blue); // its core is the cell's sixth column
    endScreenOverlay();
    const Frame f = frame();
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    EXPECT_TRUE(pixelNear(windowPixel(f, 410, 15), 255, 191, 128, 2));
    EXPECT_TRUE(pixelNear(windowPixel(f, 410, 25), 255, 255, 255, 0));
    EXPECT_TRUE(pixelNear(windowPixel(f, 25, 30), 0, 0, 255));
    const uint8_t* shadow = windowPixel(f, 26, 31);
    EXPECT_LT(std::max({shadow[0], shadow[1], shadow[2]}), 128);
    EXPECT_TRUE(pixelNear(windowPixel(f, 23, 30), 255, 255, 255, 0)); // none to the left
    EXPECT_EQ(0, std::memcmp(before, after, sizeof before));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST) && glIsEnabled(GL_LIGHTING) && !glIsEnabled(GL_BLEND));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

} // namespace
