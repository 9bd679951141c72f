// The readers' quirks and bounds: BMP pictures, VRML models (fuzz/corpus's, edited), universe.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <sstream>

#include "assets/bmp_reader.h"
#include "assets/textures.h"
#include "assets/vrml_model.h"
#include "tests/support/test_paths.h"
#include "world/universe.h"
#include "world/world_state.h"

namespace {
// This program's own world, as each program owns its own.
WorldState testWorld;
} // namespace

std::vector<std::string> texturesAsked; // the model reader's; here they are only heard
int loadTexture(const char* fileName) {
    texturesAsked.emplace_back(fileName);
    return 7;
}

namespace {

// The text as a FILE*, as the readers take a file: a temporary one, as every system has.
FILE* fileHolding(const std::string& text) {
    FILE* file = std::tmpfile();
    if (file == nullptr) return nullptr;
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    return file;
}

struct Stream {
    std::string text;
    FILE* file = fileHolding(text);
    ~Stream() {
        if (file) std::fclose(file);
    }
};

// A picture whose pixel (x, y) is blue x, green y, red x + y, rows bottom first and padded.
std::string bmp(uint32_t width, uint32_t height, uint32_t planesAndBits) {
    std::string b(BMP_HEADER_SIZE, '\0');
    for (uint32_t at : {18u, 22u, 26u})
        for (int i = 0; i < 4; ++i)
            b[at + i] = char((at == 18 ? width : at == 22 ? height : planesAndBits) >> (8 * i));
    for (uint32_t y = 0; width <= 64 && height <= 64 && y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x)
            b += {char(x), char(y), char(x + y)};
        b.resize(b.size() + (4 - width * 3 % 4) % 4, '\0');
    }
    return b;
}

std::string model(const std::string& was = "", const std::string& now = "") {
    std::stringstream s;
    s << std::ifstream(sourceDir() + "/fuzz/corpus/vrml/small.wrl").rdbuf();
    std::string text = s.str();
    const size_t at  = was.empty() ? std::string::npos : text.find(was);
    return at == std::string::npos ? text : text.replace(at, was.size(), now);
}
} // namespace

TEST(BmpReader, ReadsRowsBottomFirstWithoutTheirPaddingAndRefusesWhatItCannotHold) {
    const uint32_t RGB = 1 | 24 << 16; // one plane, 24 bits
    const struct {
        uint32_t width, height, planesAndBits;
        size_t cut; // bytes taken off the end
        BmpStatus status;
    } cases[] = {
  // clang-format off
        {1, 3, RGB, 0, BMP_OK}, {2, 3, RGB, 0, BMP_OK}, {3, 2, RGB, 0, BMP_OK}, {4, 2, RGB, 0, BMP_OK},
        {5, 4, RGB, 1, BMP_OK}, {5, 4, RGB, 2, BMP_SHORT_PIXELS}, // the last row may lack its padding
        {4, 4, 1 | 8 << 16, 0, BMP_NOT_24_BIT}, {4, 4, 1 | 32 << 16, 0, BMP_NOT_24_BIT},
        {4, 4, 2 | 24 << 16, 0, BMP_NOT_24_BIT}, {4, 4, RGB, 60, BMP_SHORT_HEADER},
        {0, 4, RGB, 0, BMP_BAD_SIZE}, {4, 0, RGB, 0, BMP_BAD_SIZE}, {~0u, 4, RGB, 0, BMP_BAD_SIZE},
        {4, 1u << 31, RGB, 0, BMP_BAD_SIZE}, {16385, 1, RGB, 0, BMP_BAD_SIZE},
        {1, 16385, RGB, 0, BMP_BAD_SIZE}, {4096, 2049, RGB, 0, BMP_BAD_SIZE}, // too many pixels
        {16384, 512, RGB, 0, BMP_SHORT_PIXELS}, // as many as may be, and none in the file
  // clang-format on
    };
    for (const auto& c : cases) {
        std::string b = bmp(c.width, c.height, c.planesAndBits);
        Stream s{b.substr(0, b.size() > c.cut ? b.size() - c.cut : 0)};
        BmpHeader header;
        std::vector<uint8_t> pixels, expected;
        EXPECT_EQ(readBmpStream(s.file, &header, &pixels), c.status) << c.width << "x" << c.height;
        for (uint32_t y = 0; c.status == BMP_OK && y < c.height; ++y)
            for (uint32_t x = 0; x < c.width; ++x)
                expected.insert(expected.end(), {uint8_t(x), uint8_t(y), uint8_t(x + y)});
        EXPECT_EQ(pixels, expected) << c.width << "x" << c.height;
        EXPECT_EQ(pixels.capacity() > 0, c.status == BMP_OK) << "reserved for a refused picture";
    }
}

TEST(ModelReader, ReadsEveryPartOfTheGamesLayout) {
    Stream s{model()};
    Model m{};
    ASSERT_EQ(readModel(&m, s.file), MODEL_OK);
    ASSERT_EQ(
        std::vector<unsigned>({m.vertexCount, m.normalCount, m.texCoordCount, m.faceSetCount}),
        std::vector<unsigned>({4, 2, 2, 2}));
    EXPECT_EQ(m.normals[1][1], 1.0f);
    EXPECT_EQ(m.texCoords[1][0], 0.5f);
    EXPECT_EQ(std::vector<float>({m.minX, m.maxX, m.minY, m.maxY, m.sizeX, m.sizeY, m.sizeZ}),
              std::vector<float>({-1, 1, 0, 2, 2, 2, 3}));
    const FaceSet &a = m.faceSets[0], &b = m.faceSets[1];
    EXPECT_EQ(texturesAsked, std::vector<std::string>{"hull.bmp"});
    EXPECT_EQ(std::vector<float>({float(a.textureName), float(b.textureName), a.transparency,
                                  b.transparency, a.diffuse[0], a.diffuse[1], a.diffuse[2]}),
              std::vector<float>({6, -1, 1, 0.5f, 0.8f, 0.2f, 0.5f})); // "-": the caller's
    EXPECT_EQ(a.coordIndex, (std::vector<int32_t>{0, 1, 2, 0, 2, 3}));
    EXPECT_EQ(a.normalIndex, (std::vector<int32_t>{1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(b.texCoordIndex, (std::vector<int32_t>{1, 0, 0}));
    freeModel(&m);
}

TEST(ModelReader, QuirksOfItsLinesAndListsAndMissingKeywords) {
    const std::vector<int32_t> as = {0, 1, 2, 0, 2, 3}, none;
    const ModelStatus OK = MODEL_OK, MISSING = MODEL_MISSING_KEYWORD;
    const unsigned CCW = GL_BACK, CW = GL_FRONT; // the face culled
    const struct {
        const char *what, *was, *now;
        ModelStatus status;
        uint32_t vertices, faceSets;
        unsigned cull;
        std::vector<int32_t> firstCoords; // of the first face set
    } cases[] = {
  // clang-format off
        {"'#' after column 1 drops a line", " 1 0 0,\n", " 1 0 0, # x\n",        OK, 3, 2, CCW, as},
        {"'#' in column 1 keeps it",        "Coordinate3", "#Coordinate3",        OK, 4, 2, CCW, as},
        {"clockwise",                       "COUNTERCLOCKWISE", "CLOCKWISE",      OK, 4, 2, CW,  as},
        {"ordering on a line of its own",   "g COUNTER", "g\n COUNTER",           OK, 4, 2, CW,  as},
        {"a 4th number overwrites the 1st", " 0, 2 , 3,", " 0, 2, 3, 4,",     OK, 4, 2, CCW, {0, 1, 2, 4, 2, 3}},
        {"a number and no comma ends it",   " 0, 2 , 3,", " 0, 2 3,",         OK, 4, 2, CCW, {0, 1, 2, 0, 2, 0}},
        {"index lines past the count",      " 0, 2 , 3, -1,\n", " 0, 2 , 3, -1,\n 7, 8,\n", OK, 4, 2, CCW, as},
        {"a face set in column 1 is none",  " IndexedFaceSet", "IndexedFaceSet", OK, 4, 1, CCW, as},
        {"no Coordinate3",                  "Coordinate3", "x",                   MISSING, 0, 0, CCW, none},
        {"no vector",                       "vector", "x",                        MISSING, 4, 0, CCW, none},
        {"no second filename",              "filename \"-\"", "x",                MISSING, 4, 2, CCW, none},
  // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Stream s{model(c.was, c.now)};
        Model m{};
        EXPECT_EQ(readModel(&m, s.file), c.status);
        EXPECT_EQ(std::vector<unsigned>({m.vertexCount, m.faceSetCount, m.cullFace}),
                  std::vector<unsigned>({c.vertices, c.faceSets, c.cull}));
        EXPECT_EQ(c.status == OK ? m.vertices.back()[0] : -1, -1);
        EXPECT_EQ(c.firstCoords.empty() ? none : m.faceSets[0].coordIndex, c.firstCoords);
        freeModel(&m);
    }
}

TEST(UniverseFile, NamesPicturesAndFillsThePlanetsTableLineByLine) {
    std::string full, names;
    for (int i = 0; i < MAX_PLANETS + 5; ++i)
        full += "PLANET " + std::to_string(i) + " 0 0 1 0 0\n";
    for (int i = 0; i < MAX_UNIVERSE_TEXTURES + 3; ++i)
        names += "TEXTURE t\n";
    const struct {
        std::string text;
        int planets;
        std::string pictures; // each followed by a space
        float last[6];        // x, y, z, radius, texture, spin of the last planet read
    } cases[] = {
  // clang-format off
        {"TEXTURE rock\nTEXTURE ice extra words\nTEXTUREsand\n", 0, "rock.bmp ice.bmp sand.bmp ", {}},
        {"PLANET 0 -5 -40 8 2 1.5 rock\n", 1, "", {0, -5, -40, 8, 2, 1.5f}},
        {"PLANET 1e1 +2.5 -.5 7 x 3\n", 1, "", {10, 2.5f, -0.5f, 7, 0, 0}},
        {"PLANET 4 5 6 7 8 9.5name\n", 1, "", {4, 5, 6, 7, 8, 9.5f}},
        {"planet 1 2 3 4 0 0\n PLANET 1 2 3 4 0 0\n\tTEXTURE a\nPLANET rock 1\nPLANET\nTEXTURE\n", 0, "", {}},
        {"TEXTURE a\r\nPLANET 5 6 7 8 1 0", 1, "a.bmp ", {5, 6, 7, 8, 1, 0}},
        {std::string(254, 'x') + "PLANET 1 2 3 4 0 0\n" + std::string(300, 'y'), 1, "", {1, 2, 3, 4, 0, 0}},
        {full + "TEXTURE late\n", MAX_PLANETS, "late.bmp ", {MAX_PLANETS - 1, 0, 0, 1, 0, 0}},
        {names, 0, std::string(MAX_UNIVERSE_TEXTURES, '.'), {}},
  // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 60));
        resetWorld(testWorld);
        Stream s{c.text};
        UniverseTextures t{};
        readUniverse(testWorld, s.file, &t);
        std::string pictures;
        for (int i = 0; i < t.count; ++i)
            pictures += c.text == names ? "." : t.fileName[i] + std::string(" ");
        EXPECT_EQ(testWorld.planetCount, c.planets);
        EXPECT_EQ(pictures, c.pictures);
        const int k = std::max(testWorld.planetCount - 1, 0);
        EXPECT_EQ(
            std::vector<float>({testWorld.planets.pos[k][0], testWorld.planets.pos[k][1],
                                testWorld.planets.pos[k][2], testWorld.planets.radius[k],
                                float(testWorld.planets.texture[k]), testWorld.planets.spin[k]}),
            std::vector<float>(c.last, c.last + 6));
    }
    UniverseTextures t{};
    EXPECT_FALSE(loadUniverse(testWorld, "/nonexistent/universe.uni", &t));
    EXPECT_EQ(errno, ENOENT);
}
