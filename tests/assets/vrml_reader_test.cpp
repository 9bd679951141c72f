// The model reader: counts, parses, the line rules and their quirks, malformed files.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstring>

#include "assets/model_lines.h"
#include "assets/vrml_model.h"
#include "tests/assets/fake_textures.h"
#include "tests/assets/test_files.h"

namespace {
const std::vector<std::string> FIVE_POINTS = {"0 0 0", "1 0 0", "0 2 0", "-1 0 3", "0.5 -4 1"};

class ModelReader : public ::testing::Test {
  protected:
    void SetUp() override { resetFakeTextures(); }
    void TearDown() override { freeModel(&model); }
    void load(const std::string& text) { loadModel(&model, dir.write("m.wrl", text).c_str()); }
    ModelStatus read(const std::string& text) {
        FILE* f             = std::fopen(dir.write("m.wrl", text).c_str(), "rt");
        const ModelStatus s = readModel(&model, f);
        std::fclose(f);
        return s;
    }
    std::vector<int32_t> triangle(const std::vector<int32_t>& corners, size_t t) {
        return {corners[3 * t], corners[3 * t + 1], corners[3 * t + 2]};
    }
    TempDir dir;
    Model model{};
};

// Replaces the first occurrence of what in text.
std::string replaced(std::string text, const std::string& what, const std::string& with) {
    const size_t at = text.find(what);
    if (at != std::string::npos) text.replace(at, what.size(), with);
    return text;
}
} // namespace

TEST_F(ModelReader, CountsAndParsesTheGameLayout) {
    TestFaceSet a;
    a.triangles = {"0, 1, 2, -1,", "0,  2 , 3,   -1,", "1, 3, 4, -1,", "4, 3, 2, -1,"};
    load(makeModelText(FIVE_POINTS, {a}));
    EXPECT_EQ(model.cullFace, unsigned(GL_BACK));
    EXPECT_EQ(model.vertexCount, 6u); // five lines with a comma each, plus one
    EXPECT_EQ(model.normalCount, 6u);
    EXPECT_EQ(model.texCoordCount, 6u);
    ASSERT_EQ(model.vertices.size(), 6u);
    EXPECT_FLOAT_EQ(model.vertices[3][0], -1.0f);
    EXPECT_FLOAT_EQ(model.vertices[4][1], -4.0f);
    EXPECT_EQ(model.vertices[5], (std::array<float, 3>{0, 0, 0})); // unset entries are zero
    EXPECT_FLOAT_EQ(model.normals[2][2], 1.0f);
    EXPECT_FLOAT_EQ(model.texCoords[1][0], 0.5f);

    ASSERT_EQ(model.faceSetCount, 1u);
    const FaceSet& s = model.faceSets[0];
    EXPECT_EQ(s.triangleCount, 4u);
    EXPECT_EQ(triangle(s.coordIndex, 1), (std::vector<int32_t>{0, 2, 3}));
    EXPECT_EQ(triangle(s.normalIndex, 3), (std::vector<int32_t>{4, 3, 2}));
    EXPECT_EQ(triangle(s.texCoordIndex, 2), (std::vector<int32_t>{1, 3, 4}));
    EXPECT_FLOAT_EQ(s.diffuse[0], 0.8f);
    EXPECT_FLOAT_EQ(s.diffuse[2], 0.2f);
    EXPECT_EQ(s.transparency, 1.0f);
    EXPECT_EQ(s.textureName, 0);
    EXPECT_TRUE(fakeTextureFiles.empty());

    // Extents include the unset sixth point at the origin.
    EXPECT_FLOAT_EQ(model.minX, -1.0f);
    EXPECT_FLOAT_EQ(model.maxX, 1.0f);
    EXPECT_FLOAT_EQ(model.minY, -4.0f);
    EXPECT_FLOAT_EQ(model.sizeY, 6.0f);
    EXPECT_FLOAT_EQ(model.sizeZ, 3.0f);
}

TEST_F(ModelReader, FaceSetsTakeTheirOwnMaterialAndTexture) {
    TestFaceSet hull, glass, planet;
    hull.textureFile    = "HULL.BMP";
    hull.diffuse        = "1   0\t0.5";
    glass.transparency  = "0.5";
    glass.diffuse       = "0 0 1";
    glass.textureFile   = "";
    planet.textureFile  = "-";
    planet.transparency = "0.25";
    planet.triangles    = {"2, 1, 0, -1,", "3,4,0,-1,"};
    load(makeModelText(FIVE_POINTS, {hull, glass, planet}));
    ASSERT_EQ(model.faceSetCount, 3u);
    EXPECT_EQ(fakeTextureFiles, (std::vector<std::string>{"hull.bmp"}));
    EXPECT_EQ(model.faceSets[0].textureName, 1);
    EXPECT_STREQ(model.faceSets[0].textureFile, "hull.bmp");
    EXPECT_EQ(model.faceSets[1].textureName, 0);
    EXPECT_EQ(model.faceSets[2].textureName, -1);
    EXPECT_FLOAT_EQ(model.faceSets[0].diffuse[2], 0.5f);
    EXPECT_FLOAT_EQ(model.faceSets[1].diffuse[2], 1.0f);
    EXPECT_EQ(model.faceSets[0].transparency, 1.0f);
    EXPECT_EQ(model.faceSets[1].transparency, 0.5f);
    EXPECT_EQ(model.faceSets[2].transparency, 0.25f);
    EXPECT_EQ(model.faceSets[2].triangleCount, 2u);
    EXPECT_EQ(triangle(model.faceSets[2].normalIndex, 1), (std::vector<int32_t>{3, 4, 0}));
}

TEST_F(ModelReader, VertexOrdering) {
    const std::string ccw = makeModelText(FIVE_POINTS, {TestFaceSet{}});
    load(replaced(ccw, "vertexOrdering COUNTERCLOCKWISE", "vertexOrdering CLOCKWISE"));
    EXPECT_EQ(model.cullFace, unsigned(GL_FRONT));
    freeModel(&model);
    load(replaced(ccw, "vertexOrdering COUNTERCLOCKWISE", "vertexOrdering\n COUNTERCLOCKWISE"));
    EXPECT_EQ(model.cullFace, unsigned(GL_FRONT));
    freeModel(&model);
    load(replaced(ccw, "vertexOrdering COUNTERCLOCKWISE", ""));
    EXPECT_EQ(model.cullFace, unsigned(GL_FRONT));
}

TEST_F(ModelReader, CommentRules) {
    const std::string base = makeModelText(FIVE_POINTS, {TestFaceSet{}});
    // A '#' after the first column drops the line with its keyword: the points come from
    // the list that follows instead.
    load(replaced(base, "  Coordinate3 {\n",
                  "  # Coordinate3 {\n  Coordinate3 { # x\n"
                  "  Coordinate3 {\n"));
    EXPECT_EQ(model.vertexCount, 6u);
    freeModel(&model);
    // One in the first column keeps the line, and its keyword counts.
    load(replaced(base, "    point [\n", "#point [\n"));
    EXPECT_EQ(model.vertexCount, 6u);
    EXPECT_FLOAT_EQ(model.vertices[1][0], 1.0f);
}

TEST_F(ModelReader, QuadrilateralsAndClosingBrackets) {
    TestFaceSet s;
    s.triangles            = {"0,1,2,3,-1,", "4,3,2,-1]"};
    const std::string text = makeModelText(FIVE_POINTS, {s});
    // The bracket after the last number closes each list, so the separate lines after them
    // must go for the reader to stay in step.
    load(replaced(replaced(replaced(text, "4,3,2,-1]\n      ]\n", "4,3,2,-1]\n"),
                           "4,3,2,-1]\n      ]\n", "4,3,2,-1]\n"),
                  "4,3,2,-1]\n      ]\n", "4,3,2,-1]\n"));
    const FaceSet& f = model.faceSets[0];
    ASSERT_EQ(f.triangleCount, 2u);
    EXPECT_EQ(triangle(f.coordIndex, 0), (std::vector<int32_t>{3, 1, 2}));
    EXPECT_EQ(triangle(f.coordIndex, 1), (std::vector<int32_t>{4, 3, 2}));
    EXPECT_EQ(triangle(f.texCoordIndex, 0), (std::vector<int32_t>{3, 1, 2}));
}

TEST_F(ModelReader, ANumberWithoutACommaEndsItsLine) {
    TestFaceSet s;
    s.triangles            = {"0,1,2,-1,", "4,3 2,-1,", "3]"};
    const std::string text = makeModelText(FIVE_POINTS, {s});
    load(text); // would spin for ever if such a line were read again and again
    const FaceSet& f = model.faceSets[0];
    ASSERT_EQ(f.triangleCount, 2u);
    EXPECT_EQ(triangle(f.coordIndex, 1), (std::vector<int32_t>{4, 3, 0}));
}

TEST_F(ModelReader, ListsLongerThanTheirCountAreNotStoredPastIt) {
    std::string text = makeModelText({"1 1 1"}, {TestFaceSet{}});
    // Three point lines but one comma: two entries.
    text = replaced(text, "      1 1 1,\n", "      1 1 1,\n      2 2 2\n      3 3 3\n");
    // Index lines without "-1" add lines but no triangles.
    text = replaced(
        text, "        0, 1, 2, -1,\n      ]\n      normalIndex",
        "        0, 1, 2, -1,\n        5,6,7,\n        8,9,10,\n      ]\n      normalIndex");
    ASSERT_EQ(read(text), MODEL_OK);
    ASSERT_EQ(model.vertexCount, 2u);
    EXPECT_FLOAT_EQ(model.vertices[1][0], 2.0f);
    ASSERT_EQ(model.faceSets[0].triangleCount, 1u);
    EXPECT_EQ(model.faceSets[0].coordIndex, (std::vector<int32_t>{0, 1, 2}));
}

TEST_F(ModelReader, OutOfRangeIndicesAreKeptAsGiven) {
    TestFaceSet s;
    s.triangles = {"0, 99, 2, -1,", "-7, 1, 2, -1,"};
    load(makeModelText(FIVE_POINTS, {s}));
    EXPECT_EQ(triangle(model.faceSets[0].coordIndex, 0), (std::vector<int32_t>{0, 99, 2}));
    // A line that begins with '-' yields no number; its triangle stays zero.
    EXPECT_EQ(model.faceSets[0].triangleCount, 3u);
    EXPECT_EQ(triangle(model.faceSets[0].coordIndex, 1), (std::vector<int32_t>{0, 0, 0}));
}

TEST_F(ModelReader, FaceSetKeywordInTheFirstColumnIsNotCounted) {
    std::string text = makeModelText(FIVE_POINTS, {TestFaceSet{}, TestFaceSet{}});
    text             = replaced(text, "    IndexedFaceSet {", "IndexedFaceSet {");
    load(text);
    EXPECT_EQ(model.faceSetCount, 1u);
}

TEST_F(ModelReader, MissingKeywordsAreReportedNotWaitedFor) {
    const std::string text = makeModelText(FIVE_POINTS, {TestFaceSet{}});
    for (const char* keyword : {"Coordinate3", "vector", "TextureCoordinate2", "diffuseColor",
                                "filename", "normalIndex", "textureCoordIndex"}) {
        EXPECT_EQ(read(replaced(text, keyword, "nothing")), MODEL_MISSING_KEYWORD) << keyword;
        freeModel(&model);
    }
    EXPECT_EQ(read(text.substr(0, text.find("      ]\n      normalIndex"))), MODEL_MISSING_KEYWORD);
    freeModel(&model);
    EXPECT_EQ(read(""), MODEL_MISSING_KEYWORD);
}

TEST_F(ModelReader, FreeModelEmptiesAllButTheCullSide) {
    load(makeModelText(FIVE_POINTS, {TestFaceSet{}}));
    scaleModel(&model, 2.0f);
    EXPECT_FLOAT_EQ(model.vertices[3][2], 6.0f);
    EXPECT_FLOAT_EQ(model.sizeZ, 3.0f); // extents keep their unscaled values
    freeModel(&model);
    EXPECT_EQ(model.vertexCount + model.normalCount + model.texCoordCount + model.faceSetCount, 0u);
    EXPECT_TRUE(model.vertices.empty() && model.faceSets.empty());
    EXPECT_EQ(model.minX, 0.0f);
    EXPECT_EQ(model.sizeY, 0.0f);
    EXPECT_EQ(model.cullFace, unsigned(GL_BACK));
}

TEST(ModelFile, MissingFileOrKeywordIsReported) {
    TempDir dir;
    Model model{};
    EXPECT_EQ(loadModel(&model, dir.path("absent.wrl").c_str()), MODEL_CANNOT_OPEN);
    const std::string broken = dir.write("broken.wrl", "#VRML V1.0 ascii\nSeparator {\n}\n");
    EXPECT_EQ(loadModel(&model, broken.c_str()), MODEL_MISSING_KEYWORD);
    freeModel(&model);
}

TEST(ModelLines, CompactBlanks) {
    char a[MODEL_LINE_SIZE] = "  0,  1 ,2,   -1,";
    compactBlanks(a);
    EXPECT_STREQ(a, "0,1,2,-1,");
    char b[MODEL_LINE_SIZE] = "\tdiffuseColor   0.8\t 0.2 0.2  \n";
    compactBlanks(b);
    EXPECT_STREQ(b, "diffuseColor 0.8 0.2 0.2 \n");
    char c[MODEL_LINE_SIZE] = "   ";
    compactBlanks(c);
    EXPECT_STREQ(c, "");
}

TEST(ModelLines, FindLastCountCharLower) {
    EXPECT_EQ(findLast("normalindex normal", "normal"), 12);
    EXPECT_EQ(findLast("indexedfaceset", "indexedfaceset"), 0);
    EXPECT_EQ(findLast("faceset", "indexedfaceset"), -1);
    EXPECT_EQ(findLast("  #", "#"), 2);
    EXPECT_EQ(countChar("0,1,2,-1,", ','), 4);
    char t[] = "CoordIndex [Z@\xC4]";
    toLowerAscii(t);
    EXPECT_STREQ(t, "coordindex [z@\xC4]");
}

TEST(ModelLines, ExtractQuoted) {
    char d[MODEL_LINE_SIZE];
    extractQuoted("filename \"hull.bmp\" x", d);
    EXPECT_STREQ(d, "hull.bmp");
    extractQuoted("filename \"open\n", d);
    EXPECT_STREQ(d, "open\n");
    extractQuoted("filename none", d);
    EXPECT_STREQ(d, "");
}

TEST(ModelLines, ReadLineSplitsLongLinesAndSkipsComments) {
    const std::string text = std::string(300, 'A') + "\n  # Point [\n#Point\n";
    FILE* f                = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    char line[MODEL_LINE_SIZE];
    ASSERT_TRUE(readLine(line, f));
    EXPECT_EQ(std::strlen(line), 254u);
    EXPECT_EQ(line[0], 'a');
    ASSERT_TRUE(readLine(line, f));
    EXPECT_EQ(std::strlen(line), 300u - 254u + 1u);
    ASSERT_TRUE(readLine(line, f));
    EXPECT_STREQ(line, "#point\n");
    EXPECT_FALSE(readLine(line, f));
    EXPECT_STREQ(line, "#point\n"); // the end leaves the buffer as it was
    std::fclose(f);
}
