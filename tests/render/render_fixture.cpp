// The shared window, fixed GL state and marked overlay pictures for drawing tests.
#include "tests/render/render_fixture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "assets/asset_loading.h"
#include "assets/bmp_reader.h"
#include "render/render.h"
#include "tests/assets/gl_context.h"
#include "tests/tools/generated_files.h"
#include "world/world_state.h"

TestTextures testTextures;
Frame fontPicture;

namespace {
TestGlContext* glContext = nullptr;

unsigned makeDigitStrip() {
    std::vector<uint8_t> rgb;
    for (int row = 0; row < 4; ++row)
        for (int cell = 0; cell < 16; ++cell)
            for (int texel = 0; texel < 16; ++texel)
                rgb.insert(rgb.end(), {uint8_t(digitCellRed(cell)), 0, 0});
    return makeTexture(256, 4, rgb);
}

unsigned makeCaptions() {
    std::vector<uint8_t> rgb;
    for (int row = 0; row < 4; ++row)
        for (int texel = 0; texel < 64; ++texel)
            rgb.insert(rgb.end(),
                       {0, uint8_t(texel < 32 ? SCORE_CAPTION_GREEN : HEALTH_CAPTION_GREEN), 0});
    return makeTexture(64, 4, rgb);
}

Frame readFontPicture() {
    const std::string path = gameDir() + "/font.bmp";
    FILE* file             = std::fopen(path.c_str(), "rb");
    BmpHeader header;
    Frame picture;
    if (!file || readBmpStream(file, &header, &picture.rgb) != BMP_OK) {
        std::fprintf(stderr, "cannot read %s: build the game_data target\n", path.c_str());
        std::abort();
    }
    std::fclose(file);
    picture.width  = header.width;
    picture.height = header.height;
    return picture;
}
} // namespace

void RenderTest::SetUpTestSuite() {
    if (glContext) return;
    std::string error;
    glContext = createTestGlContext(VIEW_W, VIEW_H, &error);
    if (!glContext) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::abort();
    }
    setupScene(VIEW_W, VIEW_H);
    testTextures.numbers = makeDigitStrip();
    testTextures.text    = makeCaptions();
    testTextures.cross   = makeSolidTexture(0, 0, CROSS_BLUE);
    testTextures.dead    = makeSolidTexture(0, 0, DEAD_BLUE);
    testTextures.black   = makeSolidTexture(0, 0, 0);
    testTextures.red     = makeSolidTexture(255, 0, 0);
    testTextures.green   = makeSolidTexture(0, 255, 0);
    fontPicture          = readFontPicture();
    testTextures.font    = makeTexture(fontPicture.width, fontPicture.height, fontPicture.rgb);
}

void RenderTest::SetUp() {
    resetWorld();
    resetPlayerTable();
    localPlayer    = 0;
    Player& me     = playerTable[0];
    me.slot        = 0;
    me.pos[0]      = 0.0f;
    numbersTexture = int32_t(testTextures.black);
    textTexture    = int32_t(testTextures.black);
    crossTexture   = int32_t(testTextures.black);
    deadTexture    = int32_t(testTextures.black);
    fontTexture    = int32_t(testTextures.font);
    for (unsigned list = LIST_SHIP; list <= LIST_STONE2; ++list)
        recordList(list, [] {});
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void RenderTest::useMarkedOverlay() {
    numbersTexture = int32_t(testTextures.numbers);
    textTexture    = int32_t(testTextures.text);
    crossTexture   = int32_t(testTextures.cross);
    deadTexture    = int32_t(testTextures.dead);
}

const uint8_t* RenderTest::colourAt(const Frame& f, float x, float y, float z) const {
    const PixelPos p = eyeToPixel(x, y, z, VIEW_W, VIEW_H);
    return f.at(p.x, p.y);
}

::testing::AssertionResult pixelNear(const uint8_t* px, int r, int g, int b, int tolerance) {
    const int want[3] = {r, g, b};
    for (int c = 0; c < 3; ++c) {
        if (std::abs(int(px[c]) - want[c]) > tolerance) {
            return ::testing::AssertionFailure()
                   << "pixel (" << int(px[0]) << ", " << int(px[1]) << ", " << int(px[2])
                   << "), expected (" << r << ", " << g << ", " << b << ") within " << tolerance;
        }
    }
    return ::testing::AssertionSuccess();
}
