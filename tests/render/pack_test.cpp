// Pictures into textures and models into display lists in a real Mesa context; the generated
// pack's models and pictures through the game's own readers.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "assets/asset_loading.h"
#include "assets/bmp_reader.h"
#include "assets/display_lists.h"
#include "assets/textures.h"
#include "render/render.h"
#include "tests/support/game_driver.h"
#include "tests/support/gl_frame.h"
#include "tests/support/test_paths.h"
#include "tools/models.h" // SKY_RADIUS
#include "tools/sound_synth.h"
#include "world/contact.h"
#include "world/world_state.h"

namespace {
// This program's own world, as each program owns its own.
WorldState testWorld;

constexpr int SIDE = 64;

// Triangles a list draws with nothing culled or clipped (a token, a count, three corners each).
int drawnTriangles(unsigned list) {
    std::vector<GLfloat> buffer(1 << 20);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-60, 60, -60, 60, -60, 60);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glFeedbackBuffer(GLsizei(buffer.size()), GL_2D, buffer.data());
    glDisable(GL_CULL_FACE);
    glRenderMode(GL_FEEDBACK);
    glCallList(list);
    return glRenderMode(GL_RENDER) / (2 + 3 * 2);
}

class Pack : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static GameDriver screen; // a display of the test's own, whatever else runs
        setenv("DISPLAY", screen.display().c_str(), 1);
        std::string error;
        static GlWindow* window = openGlWindow(SIDE, SIDE, &error); // kept for the whole suite
        ASSERT_NE(window, nullptr) << error;
    }
    void SetUp() override {
        resetTextures();
        initTextures(TEXTURE_TABLE_SIZE);
        resetWorld(testWorld);
        ASSERT_EQ(chdir(gameDir().c_str()), 0) << "no game folder at " << gameDir();
    }
};
} // namespace

// Every model draws all its triangles (none outside its lists); planets are unit spheres in the
// caller's texture; every picture reaches an overlay texture exactly and a world texture closely
// (as DXT1 where the GL offers it); a missing picture is the placeholder; a full table reuses
// its last name.
TEST_F(Pack, EveryModelAndPictureOfThePackReadsWholeAndAMissingOneIsAPlaceholder) {
    for (std::string file : {"ship", "rocket", "explode", "sky", "stone0", "stone1", "stone2"}) {
        SCOPED_TRACE(file);
        const float radius = file == "sky" ? SKY_RADIUS : file.rfind("stone", 0) == 0 ? 1.0f : 0.0f;
        Model model{};
        ASSERT_EQ(loadModel(&model, (file + ".wrl").c_str()), MODEL_OK);
        EXPECT_EQ(model.cullFace, uint32_t(GL_BACK));
        float offSphere = 0;
        for (const auto& v : model.vertices)
            offSphere = std::max(offSphere, std::fabs(std::hypot(v[0], v[1], v[2]) - radius));
        EXPECT_TRUE(radius == 0 || offSphere < 1e-3f) << offSphere;
        int triangles = 0;
        for (const FaceSet& set : model.faceSets) {
            EXPECT_EQ(set.textureName == -1, radius == 1.0f);
            EXPECT_TRUE(set.textureName <= 0 ||
                        readTexture(set.textureName).width > PLACEHOLDER_SIDE);
            triangles += int(set.triangleCount);
        }
        compileModel(model, LIST_SHIP);
        EXPECT_GT(triangles, 0);
        EXPECT_EQ(drawnTriangles(LIST_SHIP), triangles);
        std::vector<int32_t> FaceSet::*lists[] = {&FaceSet::coordIndex, &FaceSet::normalIndex,
                                                  &FaceSet::texCoordIndex};
        const std::size_t ends[]               = {model.vertices.size(), model.normals.size(),
                                                  model.texCoords.size()};
        for (int k = 0; k < 6; ++k) { // a triangle naming what is not there is left out
            Model spoilt                          = model;
            (spoilt.faceSets[0].*lists[k % 3])[0] = k < 3 ? -1 : int32_t(ends[k % 3]);
            compileModel(spoilt, LIST_SHIP);
            EXPECT_EQ(drawnTriangles(LIST_SHIP), triangles - 1) << k;
        }
        ++model.faceSets[0].triangleCount; // one the lists do not reach
        compileModel(model, LIST_SHIP);
        EXPECT_EQ(drawnTriangles(LIST_SHIP), triangles);
        EXPECT_TRUE(file != "ship" || std::fabs(model.sizeZ - 2 * SHIP_RADIUS) < 0.05f);
        freeModel(&model);
    }
    const bool compressed =
        namesExtension(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), S3TC_EXTENSION);
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        if (entry.path().extension() != ".bmp") continue;
        resetTextures(); // two names a picture: its exact texels, then as the world keeps it
        initTextures(TEXTURE_TABLE_SIZE);
        const std::string file = fileText(entry.path());
        uint16_t size[4]       = {}; // the width's and height's low halves, as the file gives them
        std::memcpy(size, file.data() + 18, sizeof size);
        std::string texels(file.size() - BMP_HEADER_SIZE, '\0'); // each one as the file has it
        glBindTexture(GL_TEXTURE_2D, GLuint(loadOverlayTexture(entry.path().c_str()) - 1));
        glGetTexImage(GL_TEXTURE_2D, 0, GL_BGR, GL_UNSIGNED_BYTE, texels.data());
        EXPECT_TRUE(texels == file.substr(BMP_HEADER_SIZE)) << entry.path();
        const Picture t = readTexture(unsigned(loadTexture(entry.path().c_str()) - 1));
        GLint last = 0, kept = 0; // the last mipmap's width: 1; kept as DXT1 where the GL can
        glGetTexLevelParameteriv(GL_TEXTURE_2D, int(std::log2(std::max(t.width, t.height))),
                                 GL_TEXTURE_WIDTH, &last);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_COMPRESSED, &kept);
        EXPECT_EQ(std::vector<int>({t.width, t.height, last, kept}),
                  std::vector<int>({size[0], size[2], 1, compressed}))
            << entry.path();
        glGetTexImage(GL_TEXTURE_2D, 0, GL_BGR, GL_UNSIGNED_BYTE, texels.data());
        double off = 0; // the blocks' mean error a channel: small beside a scrambled picture's
        for (std::size_t i = 0; i < texels.size(); ++i)
            off += std::abs(int(uint8_t(texels[i])) - int(uint8_t(file[BMP_HEADER_SIZE + i])));
        EXPECT_LT(off / double(texels.size()), 8.0) << entry.path();
        // Lava glows red over green over blue, the ocean the other way round: two channels
        // swapped anywhere from the generator to the texture turn one of these over.
        const std::string stem = entry.path().stem();
        if (stem != "lava" && stem != "ocean") continue;
        double total[3] = {}; // blue, green, red over the whole picture
        for (std::size_t i = 0; i < texels.size(); ++i)
            total[i % 3] += uint8_t(texels[i]);
        const int hot = stem == "lava" ? 2 : 0;
        EXPECT_GT(total[hot], total[1]) << stem;
        EXPECT_GT(total[1], total[2 - hot]) << stem;
    }
    const Picture missing = readTexture(unsigned(loadTexture("missing.bmp") - 1));
    EXPECT_TRUE(missing.width == PLACEHOLDER_SIDE && missing.rgb[0] > 200 && missing.rgb[2] > 200);
    while (textureNames.nextTextureName < TEXTURE_TABLE_SIZE)
        loadTexture("missing.bmp");
    EXPECT_EQ(loadTexture("missing.bmp"), TEXTURE_TABLE_SIZE);
    EXPECT_FALSE(glIsTexture(TEXTURE_TABLE_SIZE));
}

// Only a whole name in GL_EXTENSIONS counts: Mesa also names GL_EXT_texture_compression_s3tc_srgb.
TEST(Textures, AnExtensionIsNamedOnlyByItsWholeName) {
    for (auto [list, named] : {
             std::pair("GL_A GL_EXT_texture_compression_s3tc GL_B", true),
             {"GL_EXT_texture_compression_s3tc",                                      true },
             {"GL_EXT_texture_compression_s3tc_srgb GL_EXT_texture_compression_s3tc", true },
             {"GL_EXT_texture_compression_s3tc_srgb",                                 false},
             {"XGL_EXT_texture_compression_s3tc",                                     false},
             {"",                                                                     false},
    })
        EXPECT_EQ(namesExtension(list, S3TC_EXTENSION), named) << list;
    EXPECT_FALSE(namesExtension(nullptr, S3TC_EXTENSION));
}

// Start-up loading: every picture a name of its own, the planets as the universe was laid out.
TEST_F(Pack, StartUpLoadingReadsEveryFileAndTheUniverse) {
    char problem[ASSET_PROBLEM_SIZE];
    ASSERT_TRUE(loadAssets(testWorld, problem)) << problem;
    EXPECT_LT(textureNames.nextTextureName, TEXTURE_TABLE_SIZE);
    for (int name = 1; name < textureNames.nextTextureName; ++name)
        EXPECT_GT(readTexture(unsigned(name)).width, PLACEHOLDER_SIDE) << "texture " << name;
    const OverlayTextures& o = overlayTextures;
    EXPECT_EQ(readTexture(unsigned(o.fontTexture)).width, 256);
    for (int32_t overlay :
         {o.numbersTexture, o.textTexture, o.crossTexture, o.deadTexture, o.fontTexture}) {
        GLint levelOne = -1; // none: a mipmap would blur the overlay where it is drawn small
        glBindTexture(GL_TEXTURE_2D, GLuint(overlay));
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &levelOne);
        EXPECT_EQ(levelOne, 0) << "texture " << overlay;
    }
    // The universe as laid out, written here: a row lost from the generator's table would be
    // lost from a comparison with that table too. Vorun first, Pebble the smallest, Verdant last.
    ASSERT_EQ(testWorld.planetCount, 15);
    for (const std::vector<float>& m : {
             std::vector<float>{0,  0,  -6, -44, 9.5f, 3},
             {7,  5,  2,  -5,  1.5f, 0},
             {14, 27, 8,  27,  2,    4}
    }) {
        const int k     = int(m[0]);
        const float* at = testWorld.planets.pos[k];
        EXPECT_EQ(std::vector<float>({float(k), at[0], at[1], at[2], testWorld.planets.radius[k],
                                      float(testWorld.planets.texture[k])}),
                  m);
    }
    for (int k = 0; k < testWorld.planetCount; ++k)
        EXPECT_GE(testWorld.planets.radius[k], 1.5f) << "planet " << k << " is too small to see";
}

// The pack's sounds as the game's sound library reads them: short mono 16-bit PCM at the
// pack's rate (a sound written at another rate plays at another pitch and length).
TEST(AssetPack, TheSoundsAreShortMonoPcm) {
    for (auto [file, shortest, longest] : {
             std::tuple("shoot", 0.2, 0.8), {"explode", 0.8, 2.5}
    }) {
        const std::string wav = fileText(gameDir() + "/" + file + ".wav");
        ASSERT_GE(wav.size(), 44u) << file;
        auto field = [&](int at, int bytes) {
            uint32_t v = 0;
            std::memcpy(&v, wav.data() + at, std::size_t(bytes));
            return v;
        };
        EXPECT_EQ(std::vector<uint32_t>({field(20, 2), field(22, 2), field(24, 4), field(34, 2)}),
                  std::vector<uint32_t>({1, 1, SOUND_RATE, 16}))
            << file << ": PCM, mono, the rate, 16 bits";
        const double seconds = field(40, 4) / 2.0 / SOUND_RATE;
        EXPECT_TRUE(seconds >= shortest && seconds <= longest) << file << " lasts " << seconds;
    }
}
