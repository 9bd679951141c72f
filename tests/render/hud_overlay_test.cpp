// The overlay read back as pixels: which digit cell lands at each pen position, the
// captions, and the crosshair against the dead picture.
#include <GL/gl.h>

#include "render/render.h"
#include "tests/render/render_fixture.h"
#include "world/world_state.h"

namespace {

constexpr float DIGIT_Y    = -3.1f;
constexpr float DIGIT_Z    = -6.0f;
constexpr float SCORE_PEN  = -4.5f;
constexpr float HEALTH_PEN = 2.7f;
constexpr float ADVANCE    = 0.3f;
constexpr float CAPTION_Y  = -2.7f; // above the digits, inside the captions
constexpr int NO_DIGIT     = -1;

class HudOverlay : public RenderTest {
  protected:
    void SetUp() override {
        RenderTest::SetUp();
        useMarkedOverlay();
    }
    Frame drawWith(int score, int health) {
        localScore            = score;
        playerTable[0].health = health;
        glClear(GL_COLOR_BUFFER_BIT);
        drawOverlay();
        return frame();
    }
    // The digit cell shown at character position n after the pen, or NO_DIGIT.
    int cellAt(const Frame& f, float pen, int n) {
        const uint8_t* px = colourAt(f, pen + ADVANCE * float(n + 1), DIGIT_Y, DIGIT_Z);
        if (px[0] == 0) return NO_DIGIT;
        const int cell = (px[0] - 15 + 7) / 15;
        EXPECT_NEAR(px[0], digitCellRed(cell), 2) << "not the centre of a cell";
        return cell;
    }
    std::vector<int> shown(const Frame& f, float pen) {
        std::vector<int> cells;
        for (int n = 0; n < 4; ++n)
            cells.push_back(cellAt(f, pen, n));
        return cells;
    }
};

using Cells = std::vector<int>;

TEST_F(HudOverlay, ScoreIsWrittenFromThePenAndCappedAt999) {
    EXPECT_EQ(shown(drawWith(0, 100), SCORE_PEN), (Cells{0, NO_DIGIT, NO_DIGIT, NO_DIGIT}));
    EXPECT_EQ(shown(drawWith(42, 100), SCORE_PEN), (Cells{4, 2, NO_DIGIT, NO_DIGIT}));
    EXPECT_EQ(shown(drawWith(999, 100), SCORE_PEN), (Cells{9, 9, 9, NO_DIGIT}));
    EXPECT_EQ(shown(drawWith(1000, 100), SCORE_PEN), (Cells{9, 9, 9, NO_DIGIT}));
    EXPECT_EQ(shown(drawWith(2147483647, 100), SCORE_PEN), (Cells{9, 9, 9, NO_DIGIT}));
}

TEST_F(HudOverlay, HealthIsLeftAlignedAndClampedTo0To100) {
    EXPECT_EQ(shown(drawWith(0, 100), HEALTH_PEN), (Cells{1, 0, 0, NO_DIGIT}));
    EXPECT_EQ(shown(drawWith(0, 7), HEALTH_PEN), (Cells{7, NO_DIGIT, NO_DIGIT, NO_DIGIT}));
    EXPECT_EQ(shown(drawWith(0, 250), HEALTH_PEN), (Cells{1, 0, 0, NO_DIGIT}));
    EXPECT_EQ(shown(drawWith(0, 0), HEALTH_PEN), (Cells{0, NO_DIGIT, NO_DIGIT, NO_DIGIT}));
    EXPECT_EQ(shown(drawWith(0, -5), HEALTH_PEN), (Cells{0, NO_DIGIT, NO_DIGIT, NO_DIGIT}));
}

TEST_F(HudOverlay, CrosshairWhileAliveDeadPictureAtHealthExactlyZero) {
    // The dead picture is 2 x 1 at depth 5; the crosshair 1 x 1 at depth 10, so a quarter
    // unit wide at depth 5. Beside the crosshair, still on the dead picture:
    const float besideX = 0.6f, besideZ = -5.0f;
    for (int health : {1, 100, -1, -40}) {
        const Frame f = drawWith(0, health);
        EXPECT_TRUE(pixelNear(colourAt(f, 0.0f, 0.0f, -10.0f), 0, 0, CROSS_BLUE)) << health;
        EXPECT_TRUE(pixelNear(colourAt(f, besideX, 0.0f, besideZ), 0, 0, 0)) << health;
    }
    const Frame dead = drawWith(0, 0);
    EXPECT_TRUE(pixelNear(colourAt(dead, 0.0f, 0.0f, -5.0f), 0, 0, DEAD_BLUE));
    EXPECT_TRUE(pixelNear(colourAt(dead, besideX, 0.0f, besideZ), 0, 0, DEAD_BLUE));
    EXPECT_TRUE(pixelNear(colourAt(dead, 0.0f, 0.6f, -5.0f), 0, 0, 0)); // above it
}

TEST_F(HudOverlay, CaptionsShowTheirHalvesAboveTheNumbers) {
    const Frame f = drawWith(0, 100);
    EXPECT_TRUE(pixelNear(colourAt(f, -3.9f, CAPTION_Y, DIGIT_Z), 0, SCORE_CAPTION_GREEN, 0));
    EXPECT_TRUE(pixelNear(colourAt(f, 3.34f, CAPTION_Y, DIGIT_Z), 0, HEALTH_CAPTION_GREEN, 0));
    EXPECT_TRUE(pixelNear(colourAt(f, -3.9f, -2.5f, DIGIT_Z), 0, 0, 0));     // 0.4 high
    EXPECT_TRUE(pixelNear(colourAt(f, -4.5f, CAPTION_Y, DIGIT_Z), 0, 0, 0)); // 1.0 wide
    EXPECT_TRUE(pixelNear(colourAt(f, 3.94f, CAPTION_Y, DIGIT_Z), 0, 0, 0));
}

TEST_F(HudOverlay, OverlayAddsToTheSceneAndOverlapsAddUp) {
    glClearColor(0.2f, 0.0f, 0.0f, 0.0f);
    const Frame f = drawWith(5, 100);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_TRUE(
        pixelNear(colourAt(f, SCORE_PEN + ADVANCE, DIGIT_Y, DIGIT_Z), 51 + digitCellRed(5), 0, 0));
    EXPECT_TRUE(pixelNear(colourAt(f, 0.0f, 0.0f, -10.0f), 51, 0, CROSS_BLUE));
    // Where the score caption's bottom edge overlaps the first digit, both show.
    const uint8_t* both = colourAt(f, SCORE_PEN + ADVANCE, -2.97f, DIGIT_Z);
    EXPECT_GT(both[0], 51);
    EXPECT_GT(both[1], 0);
}

TEST_F(HudOverlay, ASpaceDrawsCell11AndAdvancesThePen) {
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    drawDigits(-1.0f, 0.0f, DIGIT_Z, " 7 ");
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_NEAR(m[12], -1.0f + 3 * ADVANCE, 1e-5f) << "the pen is left after the last character";
    EXPECT_NEAR(m[13], 0.0f, 1e-6f);
    EXPECT_NEAR(m[14], DIGIT_Z, 1e-6f);
    const Frame f = frame();
    for (int n = 0; n < 3; ++n) {
        const uint8_t* px = colourAt(f, -1.0f + ADVANCE * float(n + 1), 0.0f, DIGIT_Z);
        EXPECT_NEAR(px[0], digitCellRed(n == 1 ? 7 : 11), 2) << "character " << n;
    }
}

TEST_F(HudOverlay, LeavesTheStateTheNextFrameStartsFrom) {
    glEnable(GL_LIGHTING);
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glColor3f(0.1f, 0.2f, 0.3f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    drawWith(3, 50);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint src = 0, dst = 0;
    glGetIntegerv(GL_BLEND_SRC, &src);
    glGetIntegerv(GL_BLEND_DST, &dst);
    EXPECT_EQ(src, GL_ONE);
    EXPECT_EQ(dst, GL_ONE);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0] + colour[1] + colour[2] + colour[3], 4.0f);
}

} // namespace
