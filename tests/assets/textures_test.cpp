// Textures in a real GL context: names, scaled sizes, colours, placeholders, the bind cache.
#include "tests/assets/gl_fixture.h"
#include "tests/assets/test_files.h"

namespace {
class Textures : public GlTest {
  protected:
    std::string picture(const std::string& name, int w, int h,
                        const std::function<Rgb(int, int)>& pixel, uint16_t bits = 24) {
        return dir.write(name, makeBmp(w, h, pixel, bits));
    }
    // The uploaded image of texture n as the GL holds it.
    std::vector<uint8_t> uploaded(int n, GLint* w, GLint* h) {
        glBindTexture(GL_TEXTURE_2D, GLuint(n));
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, h);
        std::vector<uint8_t> pixels(size_t(*w) * size_t(*h) * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
    TempDir dir;
};

Rgb quadrants(int x, int y) {
    return {uint8_t(x < 32 ? 255 : 0), uint8_t(y < 32 ? 255 : 0), uint8_t(x >= 32 ? 200 : 10)};
}
} // namespace

TEST_F(Textures, PictureBecomesTextureWithItsColoursAndBottomRowFirst) {
    EXPECT_EQ(loadTexture(picture("a.bmp", 64, 64, quadrants).c_str()), 2);
    GLint w = 0, h = 0;
    const std::vector<uint8_t> p = uploaded(1, &w, &h);
    ASSERT_EQ(w, 64);
    ASSERT_EQ(h, 64);
    // First row in memory is the picture's bottom row: (0, 0) is the lower-left corner.
    EXPECT_EQ(p[0], 255);
    EXPECT_EQ(p[1], 255);
    EXPECT_EQ(p[2], 10);
    const uint8_t* topRight = &p[(size_t(63) * 64 + 63) * 3];
    EXPECT_EQ(topRight[0], 0);
    EXPECT_EQ(topRight[1], 0);
    EXPECT_EQ(topRight[2], 200);
    EXPECT_EQ(textureTable[1].pixels, p);
}

TEST_F(Textures, ScaledToPowersOfTwoWithinTheLimit) {
    struct Case {
        int w, h, scaledW, scaledH;
    };
    int n = 1;
    for (Case c : {
             Case{64,  64,  64,  64 },
             Case{100, 60,  128, 64 },
             Case{512, 512, 256, 256},
             Case{1,   300, 1,   256}
    }) {
        loadTexture(picture("p.bmp", c.w, c.h, quadrants).c_str());
        EXPECT_EQ(imageWidth, c.w);
        EXPECT_EQ(textureTable[size_t(n)].width, c.scaledW);
        EXPECT_EQ(textureTable[size_t(n)].height, c.scaledH);
        EXPECT_EQ(textureWidth, c.scaledW);
        EXPECT_EQ(textureHeight, c.scaledH);
        GLint w = 0, h = 0;
        uploaded(n, &w, &h);
        EXPECT_EQ(w, c.scaledW);
        EXPECT_EQ(h, c.scaledH);
        ++n;
    }
}

TEST_F(Textures, WidthsThatAreNotMultiplesOfFourReadCorrectly) {
    // Rows of distinct colours: a row read with the wrong padding would mix them.
    loadTexture(picture("odd.bmp", 3, 2, [](int, int y) {
                    return y == 0 ? Rgb{255, 0, 0} : Rgb{0, 0, 255};
                }).c_str());
    const TextureImage& t = textureTable[1];
    ASSERT_EQ(t.width, 4);
    ASSERT_EQ(t.height, 2);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(t.pixels[size_t(x) * 3], 255) << x;
        EXPECT_EQ(t.pixels[size_t(x) * 3 + 2], 0) << x;
        EXPECT_EQ(t.pixels[size_t(4 + x) * 3], 0) << x;
        EXPECT_EQ(t.pixels[size_t(4 + x) * 3 + 2], 255) << x;
    }
}

TEST_F(Textures, ConsecutiveNamesFromOneAndTheFullTable) {
    const std::string file = picture("p.bmp", 4, 4, quadrants);
    EXPECT_EQ(loadTexture(file.c_str()), 2);
    EXPECT_EQ(loadTexture(file.c_str()), 3);
    EXPECT_EQ(loadTexture(file.c_str()), 4);
    for (int name = 4; name <= 29; ++name)
        EXPECT_EQ(loadTexture(file.c_str()), name + 1);
    glBindTexture(GL_TEXTURE_2D, 3);
    EXPECT_EQ(loadTexture(file.c_str()), 30);
    EXPECT_EQ(loadTexture(file.c_str()), 30);
    EXPECT_EQ(nextTextureName, 30);
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), 3); // nothing bound, nothing made
    EXPECT_EQ(glIsTexture(30), GL_FALSE);
}

TEST_F(Textures, UnreadablePicturesStillUseANameAndShowAPlaceholder) {
    const std::string palette = picture("palette.bmp", 4, 4, quadrants, 8);
    EXPECT_EQ(loadTexture(palette.c_str()), 2);
    EXPECT_EQ(loadTexture(dir.path("missing.bmp").c_str()), 3);
    std::vector<uint8_t> hostile = makeBmp(4, 4, quadrants);
    hostile[21]                  = 0x7F; // width above 2^24
    EXPECT_EQ(loadTexture(dir.write("hostile.bmp", hostile).c_str()), 4);
    EXPECT_EQ(textureWidth, MAX_TEXTURE_SIDE); // no picture was scaled
    for (int n = 1; n <= 3; ++n) {
        GLint w = 0, h = 0;
        const std::vector<uint8_t> p = uploaded(n, &w, &h);
        EXPECT_EQ(w, PLACEHOLDER_SIDE) << n;
        EXPECT_EQ(h, PLACEHOLDER_SIDE) << n;
        EXPECT_EQ(p[0], 255); // magenta corner
        EXPECT_EQ(p[1], 0);
        EXPECT_EQ(p[2], 255);
    }
}

TEST_F(Textures, TruncatedPictureGetsThePlaceholder) {
    std::vector<uint8_t> bytes = makeBmp(4, 4, [](int, int) { return Rgb{255, 255, 255}; });
    bytes.resize(54 + 4 * 3 * 2); // the bottom two rows
    loadTexture(dir.write("short.bmp", bytes).c_str());
    GLint w = 0, h = 0;
    const std::vector<uint8_t> p = uploaded(1, &w, &h);
    EXPECT_EQ(w, PLACEHOLDER_SIDE);
    EXPECT_EQ(p[1], 0); // magenta, not white
}

TEST_F(Textures, BindTextureSkipsTheNameItBoundLast) {
    bindTexture(2);
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), 2);
    EXPECT_EQ(boundTexture, 2);
    glBindTexture(GL_TEXTURE_2D, 5); // a bind the cache does not learn of
    bindTexture(2);
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), 5);
    bindTexture(3);
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), 3);
    loadTexture(dir.path("missing.bmp").c_str()); // binds directly, cache unchanged
    EXPECT_EQ(boundTexture, 3);
}
