// One hidden 640 x 480 window for every drawing test of a binary, with the game's fixed GL
// state, the overlay pictures made from marked colours, the generated font, and a clean
// world per test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "tests/render/frame_readback.h"
#include "tests/render/test_art.h"

constexpr int VIEW_W = 640;
constexpr int VIEW_H = 480;

// The overlay pictures: every cell of the digit strip has its own red level, the two
// caption halves their own green levels, crosshair and dead picture their own blue levels.
inline int digitCellRed(int cell) {
    return 15 * cell + 15;
}
constexpr int SCORE_CAPTION_GREEN  = 100;
constexpr int HEALTH_CAPTION_GREEN = 200;
constexpr int CROSS_BLUE           = 200;
constexpr int DEAD_BLUE            = 90;

struct TestTextures {
    unsigned numbers, text, cross, dead; // the marked overlay pictures
    unsigned black;                      // an overlay that adds nothing
    unsigned red, green;                 // planet textures
    unsigned font;                       // the generated font picture
};
extern TestTextures testTextures;
extern Frame fontPicture; // its texels, bottom row first (grey, so in any channel order)

class RenderTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    void SetUp() override; // empty world, local player 0 alive at the origin looking along -z,
                           // overlay pictures blank, every list empty
    Frame frame() const { return readBackBuffer(VIEW_W, VIEW_H); }
    // The colour at an eye-space point.
    const uint8_t* colourAt(const Frame& f, float x, float y, float z) const;
    void useMarkedOverlay();
};

// Expects a pixel within tolerance of (r, g, b).
::testing::AssertionResult pixelNear(const uint8_t* px, int r, int g, int b, int tolerance = 3);
