// Pictures into textures and models into display lists in a real Mesa context, and the
// generated pack read through the game's own readers.
#include <AL/alut.h>
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "assets/asset_loading.h"
#include "assets/display_lists.h"
#include "assets/textures.h"
#include "render/render.h"
#include "tests/support/game_driver.h"
#include "tests/support/gl_frame.h"
#include "tests/support/test_paths.h"
#include "tools/models.h" // SKY_RADIUS
#include "tools/sound_synth.h"
#include "tools/universe_file.h"
#include "world/contact.h"
#include "world/world_state.h"

namespace {
constexpr int SIDE = 64;

// A 24-bit picture, its bottom quarter (a row at least) red and the rest blue, its rows
// padded to four bytes.
std::vector<uint8_t> bmp(int w, int h) {
    const int stride = (w * 3 + 3) & ~3;
    std::vector<uint8_t> b(54 + std::size_t(stride) * h);
    // clang-format off
    const uint32_t header[][2] = {{0, 'B' | 'M' << 8}, {2, uint32_t(b.size())}, {10, 54}, {14, 40},
                                  {18, uint32_t(w)}, {22, uint32_t(h)}, {26, 1}, {28, 24}};
    // clang-format on
    for (const auto& field : header)
        for (int i = 0; i < 4 && field[0] + i < 30; ++i)
            b[field[0] + i] = uint8_t(field[1] >> (8 * i));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b[54 + y * stride + x * 3 + (y < std::max(1, h / 4) ? 2 : 0)] = 255;
    return b;
}

// One triangle across the middle of the view, facing the eye; index lists may be spoilt.
Model triangle(float red, float transparency, int spoilt = -1, int32_t index = 0) {
    Model m{};
    m.cullFace  = GL_BACK;
    m.vertices  = {{{-2, -2, -3}}, {{2, -2, -3}}, {{0, 2, -3}}};
    m.normals   = {{{0, 0, 1}}};
    m.texCoords = {{{0, 0}}};
    FaceSet s{};
    s.diffuse[0]    = red;
    s.transparency  = transparency;
    s.triangleCount = 1;
    s.coordIndex    = {0, 1, 2};
    s.normalIndex = s.texCoordIndex = {0, 0, 0};
    std::vector<int32_t>* lists[]   = {&s.coordIndex, &s.normalIndex, &s.texCoordIndex};
    if (spoilt >= 0) (*lists[spoilt % 3])[std::size_t(spoilt / 3)] = index;
    m.faceSets = {s};
    return m;
}

// Triangles a list hands to the rasteriser with nothing culled or clipped: each comes back
// as a token, a count and three 2D corners.
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
        ASSERT_NE(openGlWindow(SIDE, SIDE, &error), nullptr) << error;
    }
    void SetUp() override {
        resetTextures();
        initTextures(TEXTURE_TABLE_SIZE);
        resetWorld();
        ASSERT_EQ(chdir(gameDir().c_str()), 0) << "no game folder at " << gameDir();
    }
};
} // namespace

// Bad pictures get the magenta placeholder; a full table gives out its last name again.
TEST_F(Pack, PicturesBecomeTexturesAtPowerOfTwoSizesAndBadOnesAPlaceholder) {
    // clang-format off
    const struct { const char* name; std::vector<uint8_t> bytes; int w, h; } cases[] = {
        {"rounded-up", bmp(100, 60), 128, 64}, {"at-most-256", bmp(512, 512), 256, 256},
        {"padded-rows", bmp(3, 2), 4, 2}, {"missing", {}, 0, 0}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = "/tmp/voranis-pack-" + std::to_string(getpid()) + c.name;
        if (!c.bytes.empty())
            std::ofstream(path).write(reinterpret_cast<const char*>(c.bytes.data()),
                                      std::streamsize(c.bytes.size()));
        const TextureImage& t = textureTable[loadTexture(path.c_str()) - 1];
        std::remove(path.c_str());
        GLint uploaded = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &uploaded);
        EXPECT_EQ(uploaded, t.width);
        EXPECT_EQ(t.width, c.w ? c.w : PLACEHOLDER_SIDE);
        EXPECT_EQ(t.height, c.h ? c.h : PLACEHOLDER_SIDE);
        EXPECT_GT(t.pixels[0], 200) << "the bottom left: red, or magenta";
        EXPECT_EQ(t.pixels[2] > 200, c.w == 0);
        EXPECT_TRUE(c.h != 2 || t.pixels[std::size_t(t.width) * 3 + 2] == 255) << "row 1 blue";
    }
    while (nextTextureName < TEXTURE_TABLE_SIZE)
        loadTexture("missing.bmp");
    EXPECT_EQ(loadTexture("missing.bmp"), TEXTURE_TABLE_SIZE);
    EXPECT_FALSE(glIsTexture(TEXTURE_TABLE_SIZE));
}

// Over a blue ground, the caller's colour (0.3, 0.4, 0.5) current: a face set's own colour,
// blended by its transparency, or (black) the caller's; a triangle naming an entry outside
// the model's lists is left out, and so is one the lists do not reach.
TEST_F(Pack, FaceSetsDrawInTheirColourAndNeverReadOutsideTheModel) {
    std::vector<std::pair<Model, int>> cases = {
        {triangle(1, 1.0f),  0xff0000},
        {triangle(1, 0.25f), 0xbf0040},
        {triangle(0, 1.0f),  0x4d6680}
    };
    for (int spoilt = 0; spoilt < 9; ++spoilt)
        for (int32_t index : {-1, 3, 1 << 30})
            cases.push_back({triangle(1, 1.0f, spoilt, index), 0x0000ff});
    cases.push_back(cases[0]);
    cases.back().first.faceSets[0].triangleCount = 2;
    setupScene(SIDE, SIDE);
    glDisable(GL_LIGHTING);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        compileModel(cases[i].first, LIST_SHIP);
        glClearColor(0, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_BLEND);
        glColor3f(0.3f, 0.4f, 0.5f);
        glCallList(LIST_SHIP);
        const Picture p = readFrame(SIDE, SIDE);
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(p.at(SIDE / 2, SIDE / 2)[k], cases[i].second >> (16 - 8 * k) & 0xff, 2)
                << "case " << i;
    }
}

// Every model reads whole and its list draws every triangle, the back culled (counter-
// clockwise files). The ship is as long as it collides; planets are unit spheres wearing the
// texture the caller bound; the sky lies inside the far plane; every picture is at its size.
TEST_F(Pack, EveryModelAndPictureOfThePackReadsWhole) {
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
            EXPECT_EQ(set.textureName == -1, radius == 1.0f) << "planets wear the caller's";
            EXPECT_TRUE(set.textureName <= 0 ||
                        textureTable[set.textureName].width > PLACEHOLDER_SIDE);
            triangles += int(set.triangleCount);
        }
        compileModel(model, LIST_SHIP);
        EXPECT_GT(triangles, 0);
        EXPECT_EQ(drawnTriangles(LIST_SHIP), triangles);
        EXPECT_TRUE(file != "ship" || std::fabs(model.sizeZ - 2 * SHIP_RADIUS) < 0.05f);
        freeModel(&model);
    }
    resetTextures();
    initTextures(TEXTURE_TABLE_SIZE);
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        if (entry.path().extension() != ".bmp") continue;
        uint16_t size[4] = {}; // the width's and height's low halves, as the file gives them
        std::ifstream(entry.path()).seekg(18).read(reinterpret_cast<char*>(size), sizeof size);
        const TextureImage& t = textureTable[loadTexture(entry.path().c_str()) - 1];
        EXPECT_EQ(std::vector<int>({t.width, t.height}), std::vector<int>({size[0], size[2]}))
            << entry.path();
    }
}

// Start-up loading of the game folder: the models, the overlay's pictures and the font, and
// the universe's planets where the generator put them, each picture a name of its own.
TEST_F(Pack, StartUpLoadingReadsEveryFileAndTheUniverse) {
    char problem[ASSET_PROBLEM_SIZE];
    ASSERT_TRUE(loadAssets(problem)) << problem;
    EXPECT_LT(nextTextureName, TEXTURE_TABLE_SIZE);
    for (int name = 1; name < nextTextureName; ++name)
        EXPECT_GT(textureTable[name].width, PLACEHOLDER_SIDE) << "texture " << name;
    EXPECT_EQ(textureTable[fontTexture].width, 256);
    ASSERT_EQ(planetCount, UNIVERSE_PLANET_COUNT);
    for (int k = 0; k < planetCount; ++k) {
        const PlanetPlacement& p = UNIVERSE[k];
        const float* at          = planets.pos[k];
        EXPECT_EQ(
            std::vector<float>({at[0], at[1], at[2], planets.radius[k], float(planets.texture[k])}),
            std::vector<float>({p.x, p.y, p.z, p.radius, float(p.kind)}))
            << p.name;
    }
}

// Through ALUT, as the game reads them: short mono 16-bit PCM at the pack's rate.
TEST(AssetPack, TheSoundsAreShortMonoPcm) {
    setenv("ALSOFT_DRIVERS", "null", 1);
    ASSERT_TRUE(alutInit(nullptr, nullptr)) << alutGetErrorString(alutGetError());
    for (auto [file, shortest, longest] : {
             std::tuple("shoot", 0.2f, 0.8f), {"explode", 0.8f, 2.5f}
    }) {
        SCOPED_TRACE(file);
        ALenum format = 0;
        ALsizei size  = 0;
        ALfloat rate  = 0;
        void* data    = alutLoadMemoryFromFile((gameDir() + "/" + file + ".wav").c_str(), &format,
                                               &size, &rate);
        ASSERT_NE(data, nullptr) << alutGetErrorString(alutGetError());
        EXPECT_EQ(format, AL_FORMAT_MONO16);
        EXPECT_EQ(rate, ALfloat(SOUND_RATE));
        EXPECT_GE(size / 2 / rate, shortest);
        EXPECT_LE(size / 2 / rate, longest);
        std::free(data);
    }
    alutExit();
}
