// Every generated picture loads through the game's texture loader at the size written,
// with its colours; the overlay pictures keep the layouts the overlay draws from; and the
// whole start-up loading fits the texture table.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <cmath>
#include <cstdlib>

#include "assets/asset_loading.h"
#include "assets/textures.h"
#include "tests/assets/gl_fixture.h"
#include "tests/tools/generated_files.h"
#include "tools/asset_pack.h"
#include "tools/pictures.h"
#include "world/world_state.h"

namespace {
class GeneratedPictures : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(inGame.ok()) << "no game folder at " << gameDir();
        resetWorld();
    }
    InGameDir inGame;
};

int32_t littleEndian32(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<int32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24);
}

bool isPowerOfTwo(int v) {
    return v > 0 && (v & (v - 1)) == 0;
}

float brightest(const Picture& p, int x0, int x1, int y0, int y1) {
    float most = 0.0f;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const Rgb c = pixelAt(p, x, y);
            most        = std::fmax(most, std::fmax(c.r, std::fmax(c.g, c.b)));
        }
    return most;
}
} // namespace

TEST_F(GeneratedPictures, LoadAtTheSizeWrittenWithTheirColours) {
    for (const AssetFile& file : makeAssetPack()) {
        if (file.name.find(".bmp") == std::string::npos) continue;
        SCOPED_TRACE(file.name);
        const int width = littleEndian32(file.bytes, 18), height = littleEndian32(file.bytes, 22);
        EXPECT_TRUE(isPowerOfTwo(width) && isPowerOfTwo(height));
        EXPECT_LE(std::max(width, height), MAX_TEXTURE_SIDE);
        const int name = loadTexture(file.name.c_str()) - 1;
        ASSERT_GT(name, 0);
        const TextureImage& image = textureTable[name];
        ASSERT_EQ(image.width, width);
        ASSERT_EQ(image.height, height);
        GLint uploaded = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &uploaded);
        EXPECT_EQ(uploaded, width);
        // Blue-green-red in the file, red-green-blue in the texture, rows in the same order.
        int worst = 0;
        for (size_t i = 0; i + 2 < image.pixels.size(); i += 3)
            for (int k = 0; k < 3; ++k)
                worst = std::max(worst, std::abs(image.pixels[i + k] - file.bytes[54 + i + 2 - k]));
        EXPECT_LE(worst, 1);
    }
}

// Start-up loading of the real folder: model textures, the five overlay pictures and the
// planets all get names of their own inside the 29 the table holds.
TEST_F(GeneratedPictures, StartUpLoadingFitsTheTextureTable) {
    char problem[ASSET_PROBLEM_SIZE];
    ASSERT_TRUE(loadAssets(problem)) << problem;
    EXPECT_LT(nextTextureName, TEXTURE_TABLE_SIZE); // no name reused
    EXPECT_EQ(textTexture, numbersTexture + 1);
    EXPECT_EQ(deadTexture, numbersTexture + 3);
    EXPECT_EQ(fontTexture, numbersTexture + 4);
    EXPECT_EQ(planetTextureBase, fontTexture + 1);
    EXPECT_EQ(nextTextureName, planetTextureBase + PLANET_KIND_COUNT);
    for (int name = 1; name < nextTextureName; ++name)
        EXPECT_FALSE(textureTable[name].pixels.empty()) << "texture " << name << " missing";
}

// Cells 0 to 9 hold the digits and every other cell is black, with black between cells
// so that filtering never bleeds one digit into the next.
TEST(OverlayPictures, DigitStripLayout) {
    const Picture p = makeNumbersPicture();
    const int cell  = p.width / 16;
    for (int k = 0; k < 16; ++k) {
        const float ink = brightest(p, k * cell, (k + 1) * cell, 0, p.height);
        if (k <= 9)
            EXPECT_GT(ink, 0.5f) << "digit " << k;
        else
            EXPECT_LT(ink, 0.002f) << "cell " << k; // black once written as bytes
        EXPECT_LT(brightest(p, k * cell, k * cell + 1, 0, p.height), 0.02f) << "edge of " << k;
    }
    EXPECT_LT(brightest(p, 0, p.width, p.height - 1, p.height), 0.02f); // top row
    EXPECT_LT(brightest(p, 0, p.width, 0, 1), 0.02f);                   // bottom row
}

TEST(OverlayPictures, CaptionsOnePerHalf) {
    const Picture p = makeCaptionsPicture();
    const int half  = p.width / 2;
    EXPECT_GT(brightest(p, 0, half, 0, p.height), 0.5f);
    EXPECT_GT(brightest(p, half, p.width, 0, p.height), 0.5f);
    EXPECT_LT(brightest(p, half - 1, half + 1, 0, p.height), 0.02f);
}

TEST(OverlayPictures, CrosshairAndDeadPicture) {
    const Picture cross = makeCrosshairPicture();
    EXPECT_EQ(cross.width, cross.height);
    const int c = cross.width / 2;
    EXPECT_GT(brightest(cross, c - 2, c + 2, c - 2, c + 2), 0.5f); // the centre dot
    EXPECT_LT(brightest(cross, 0, 4, 0, 4), 0.02f);                // black corners add nothing
    const Picture dead = makeDeadPicture();
    EXPECT_EQ(dead.width, 2 * dead.height); // drawn 2 wide and 1 high
    EXPECT_GT(brightest(dead, 0, dead.width, 0, dead.height), 0.5f);
    EXPECT_LT(brightest(dead, 0, 4, 0, 4), 0.02f);
}

// Every printable character has a cell of its own, 16 a row from the top left: each but the
// space has ink, none of it in the cell's outer texels that the overlay leaves undrawn (the
// first column, the last two, the top and bottom rows), and no two differ by less than a dot.
TEST(OverlayPictures, FontHasADistinctGlyphInEveryCell) {
    constexpr float DOT_INK = 3.0f; // a full stop, in texels of full ink
    const Picture p         = makeFontPicture();
    constexpr int w = FONT_CELL_WIDTH, h = FONT_CELL_HEIGHT;
    constexpr int EDGES[4][4] = {
        {0,     1, 0,     h},
        {w - 2, w, 0,     h},
        {0,     w, 0,     1},
        {0,     w, h - 1, h}
    };
    const auto x0 = [&](int cell) { return (cell % FONT_COLUMNS) * w; };
    const auto y0 = [&](int cell) { return p.height - (cell / FONT_COLUMNS + 1) * h; };
    for (int cell = 0; cell <= FONT_LAST_CHAR - FONT_FIRST_CHAR; ++cell) {
        const int x = x0(cell), y = y0(cell);
        SCOPED_TRACE(char(FONT_FIRST_CHAR + cell));
        EXPECT_EQ(brightest(p, x, x + w, y, y + h) > 0.5f, cell != 0);
        for (const auto& edge : EDGES) // columns from, to, rows from, to
            EXPECT_LT(brightest(p, x + edge[0], x + edge[1], y + edge[2], y + edge[3]), 0.002f);
        for (int other = 1; other < cell; ++other) {
            float difference = 0.0f;
            for (int v = 0; v < h; ++v)
                for (int u = 0; u < w; ++u)
                    difference += std::fabs(pixelAt(p, x + u, y + v).r -
                                            pixelAt(p, x0(other) + u, y0(other) + v).r);
            EXPECT_GT(difference, DOT_INK) << "like " << char(FONT_FIRST_CHAR + other);
        }
    }
}

// A planet picture has no seam: its first and last columns are neighbours on the sphere.
TEST(PlanetPictures, WrapAroundWithoutASeam) {
    for (int kind = 0; kind < PLANET_KIND_COUNT; ++kind) {
        const Picture p = makePlanetPicture(kind);
        float jump = 0.0f, inside = 0.0f;
        for (int y = 0; y < p.height; ++y) {
            const Rgb a = pixelAt(p, p.width - 1, y), b = pixelAt(p, 0, y);
            const Rgb m = pixelAt(p, p.width / 2, y), n = pixelAt(p, p.width / 2 + 1, y);
            jump += std::fabs(a.r - b.r) + std::fabs(a.g - b.g) + std::fabs(a.b - b.b);
            inside += std::fabs(m.r - n.r) + std::fabs(m.g - n.g) + std::fabs(m.b - n.b);
        }
        EXPECT_LT(jump, 2.0f * inside + 1.0f) << PLANET_KINDS[kind];
    }
}
