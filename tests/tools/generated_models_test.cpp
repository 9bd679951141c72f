// Every generated model reads back through the game's own reader with the counts, indices,
// colours and textures it was written with, and compiles into a display list that draws
// every triangle.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <cmath>
#include <functional>
#include <vector>

#include "assets/asset_loading.h"
#include "assets/display_lists.h"
#include "assets/textures.h"
#include "assets/vrml_model.h"
#include "tests/assets/gl_fixture.h"
#include "tests/tools/generated_files.h"
#include "tools/models.h"

namespace {
struct ModelCase {
    const char* file;
    std::function<Mesh()> build;
};

const std::vector<ModelCase> MODELS = {
    {"ship.wrl",    makeShipMesh                                   },
    {"rocket.wrl",  makeRocketMesh                                 },
    {"explode.wrl", makeExplosionMesh                              },
    {"sky.wrl",     makeSkyMesh                                    },
    {"stone0.wrl",  [] { return makePlanetMesh(PLANET_DETAIL[0]); }},
    {"stone1.wrl",  [] { return makePlanetMesh(PLANET_DETAIL[1]); }},
    {"stone2.wrl",  [] { return makePlanetMesh(PLANET_DETAIL[2]); }},
};

bool isBlack(const float c[3]) {
    return c[0] == 0.0f && c[1] == 0.0f && c[2] == 0.0f;
}

class GeneratedModels : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(inGame.ok()) << "no game folder at " << gameDir();
    }
    void TearDown() override { freeModel(&model); }

    void load(const char* file) { loadModel(&model, file); }

    // Triangles the list hands to the rasteriser, counted in feedback mode with nothing
    // culled and every model inside the view volume.
    static int drawnTriangles(unsigned list, size_t expected) {
        std::vector<GLfloat> buffer(expected * 16 + 64);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-60, 60, -60, 60, -60, 60);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_2D, buffer.data());
        glDisable(GL_CULL_FACE); // lists choose only the side; here nothing is culled
        glRenderMode(GL_FEEDBACK);
        glCallList(list);
        const GLint used = glRenderMode(GL_RENDER);
        int polygons     = 0;
        for (GLint i = 0; i < used;) {
            const GLint token = static_cast<GLint>(buffer[i]);
            if (token == GL_POLYGON_TOKEN) {
                ++polygons;
                i += 2 + 2 * static_cast<GLint>(buffer[i + 1]);
            } else if (token == GL_POINT_TOKEN || token == GL_PASS_THROUGH_TOKEN) {
                i += token == GL_POINT_TOKEN ? 3 : 2;
            } else {
                i += 5; // a line: token and two 2D vertices
            }
        }
        return polygons;
    }

    InGameDir inGame;
    Model model{};
};
} // namespace

TEST_F(GeneratedModels, ReadBackAsWritten) {
    for (const ModelCase& c : MODELS) {
        SCOPED_TRACE(c.file);
        const Mesh mesh = c.build();
        load(c.file);
        EXPECT_EQ(model.cullFace, static_cast<uint32_t>(GL_BACK));
        ASSERT_EQ(model.vertexCount, mesh.points.size());
        ASSERT_EQ(model.normalCount, mesh.normals.size());
        ASSERT_EQ(model.texCoordCount, mesh.texCoords.size());
        ASSERT_EQ(model.faceSetCount, mesh.faceSets.size());
        for (size_t i = 0; i < mesh.points.size(); ++i) {
            EXPECT_NEAR(model.vertices[i][0], mesh.points[i].x, 1e-5f);
            EXPECT_NEAR(model.vertices[i][1], mesh.points[i].y, 1e-5f);
            EXPECT_NEAR(model.vertices[i][2], mesh.points[i].z, 1e-5f);
        }
        for (size_t i = 0; i < mesh.texCoords.size(); ++i) {
            EXPECT_NEAR(model.texCoords[i][0], mesh.texCoords[i].s, 1e-5f);
            EXPECT_NEAR(model.texCoords[i][1], mesh.texCoords[i].t, 1e-5f);
        }
        for (size_t f = 0; f < mesh.faceSets.size(); ++f) {
            const MeshFaceSet& written = mesh.faceSets[f];
            const FaceSet& read        = model.faceSets[f];
            EXPECT_EQ(read.triangleCount, static_cast<uint32_t>(triangleCount(written))) << f;
            EXPECT_EQ(read.coordIndex, written.coordIndex) << f;
            EXPECT_EQ(read.normalIndex, written.normalIndex) << f;
            EXPECT_EQ(read.texCoordIndex, written.texCoordIndex) << f;
            for (int k = 0; k < 3; ++k)
                EXPECT_NEAR(read.diffuse[k], written.diffuse[k], 1e-5f);
            EXPECT_FLOAT_EQ(read.transparency,
                            written.hasTransparency ? written.transparency : 1.0f);
            if (written.texture.empty()) {
                EXPECT_EQ(read.textureName, 0);
            } else if (written.texture == "-") {
                EXPECT_EQ(read.textureName, -1);
            } else {
                ASSERT_GT(read.textureName, 0);
                EXPECT_FALSE(textureTable[read.textureName].pixels.empty())
                    << written.texture << " did not load";
            }
        }
        freeModel(&model);
    }
}

TEST_F(GeneratedModels, CompileWithoutLeavingATriangleOut) {
    unsigned list = 100;
    for (const ModelCase& c : MODELS) {
        SCOPED_TRACE(c.file);
        load(c.file);
        size_t triangles = 0;
        for (const FaceSet& fs : model.faceSets) {
            triangles += fs.triangleCount;
            for (uint32_t t = 0; t < fs.triangleCount; ++t)
                ASSERT_TRUE(isTriangleInside(model, fs, t));
        }
        compileModel(model, ++list);
        EXPECT_EQ(drawnTriangles(list, triangles), static_cast<int>(triangles));
        freeModel(&model);
    }
}

// The ship is about 0.7 long with its nose the foremost point on the centre line, and its
// black face sets come first so that no colour of its own is current when they are drawn.
TEST_F(GeneratedModels, ShipPointsAlongMinusZAndWearsTheSlotColour) {
    load("ship.wrl");
    EXPECT_NEAR(model.sizeZ, 0.7f, 0.05f);
    EXPECT_GT(model.sizeZ, model.sizeX);
    bool noseFound = false;
    for (const auto& v : model.vertices)
        if (v[2] == model.minZ) noseFound = noseFound || (v[0] == 0.0f);
    EXPECT_TRUE(noseFound);
    EXPECT_TRUE(isBlack(model.faceSets[0].diffuse));
    bool coloured = false;
    for (const FaceSet& fs : model.faceSets) {
        if (isBlack(fs.diffuse)) {
            EXPECT_FALSE(coloured) << "a black face set after a coloured one";
        }
        coloured = coloured || !isBlack(fs.diffuse);
    }
    EXPECT_GT(model.faceSets[0].transparency, 1.0f); // leaves the renderer's blending alone
}

TEST_F(GeneratedModels, RocketIsSlenderAndScaledByItsLength) {
    load("rocket.wrl");
    EXPECT_FLOAT_EQ(rocketReferenceSize(model), model.sizeZ);
    EXPECT_GT(model.sizeZ, 2.5f * model.sizeY);
    EXPECT_TRUE(isBlack(model.faceSets[0].diffuse));
}

// Black face sets take the explosion colour; above 1 the transparency leaves the
// renderer's additive blending on, so the blast brightens what lies behind it.
TEST_F(GeneratedModels, ExplosionTakesTheExplosionColourAndGlows) {
    load("explode.wrl");
    EXPECT_GE(model.faceSetCount, 2u);
    for (const FaceSet& fs : model.faceSets) {
        EXPECT_TRUE(isBlack(fs.diffuse));
        EXPECT_GT(fs.transparency, 1.0f);
    }
}

TEST_F(GeneratedModels, SkyLiesWellInsideTheFarPlane) {
    load("sky.wrl");
    for (const auto& v : model.vertices) {
        const float r = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        EXPECT_NEAR(r, SKY_RADIUS, 0.01f);
        EXPECT_LT(r, 100.0f);
    }
    for (const FaceSet& fs : model.faceSets) {
        EXPECT_GT(fs.textureName, 0);
        EXPECT_EQ(fs.diffuse[0] + fs.diffuse[1] + fs.diffuse[2], 3.0f);
    }
}

TEST_F(GeneratedModels, PlanetsAreUnitSpheresWearingTheBoundTexture) {
    for (const char* file : {"stone0.wrl", "stone1.wrl", "stone2.wrl"}) {
        SCOPED_TRACE(file);
        load(file);
        for (const auto& v : model.vertices)
            EXPECT_NEAR(std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]), 1.0f, 1e-4f);
        ASSERT_EQ(model.faceSetCount, 1u);
        EXPECT_EQ(model.faceSets[0].textureName, -1);
        freeModel(&model);
    }
}
