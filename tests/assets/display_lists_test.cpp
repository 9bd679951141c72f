// Display lists in a real GL context: the state a list leaves behind and what it draws.
#include "assets/display_lists.h"
#include "render/render.h"
#include "tests/assets/gl_fixture.h"

namespace {
constexpr unsigned TEST_LIST = 40;

// One triangle across the middle of the view, facing the eye when counter-clockwise.
Model triangleModel(float r, float g, float b, float transparency, int32_t textureName) {
    Model m{};
    m.cullFace = GL_BACK;
    m.vertices = {
        {-2, -2, -3},
        {2,  -2, -3},
        {0,  2,  -3}
    };
    m.normals = {
        {0, 0, 1}
    };
    m.texCoords = {
        {0, 0}
    };
    m.vertexCount   = 3;
    m.normalCount   = 1;
    m.texCoordCount = 1;
    FaceSet s{};
    s.diffuse[0]    = r;
    s.diffuse[1]    = g;
    s.diffuse[2]    = b;
    s.transparency  = transparency;
    s.textureName   = textureName;
    s.triangleCount = 1;
    s.coordIndex    = {0, 1, 2};
    s.normalIndex   = {0, 0, 0};
    s.texCoordIndex = {0, 0, 0};
    m.faceSets      = {s};
    m.faceSetCount  = 1;
    return m;
}

class DisplayLists : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        setupScene(TEST_VIEW_SIDE, TEST_VIEW_SIDE);
        glDisable(GL_LIGHTING); // plain colours, so pixels can be compared
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
        glColor4f(0.3f, 0.4f, 0.5f, 0.6f);
    }
    void run(const Model& m) {
        compileModel(m, TEST_LIST);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glCallList(TEST_LIST);
        glFinish();
    }
    std::array<GLubyte, 4> centrePixel() {
        std::array<GLubyte, 4> p{};
        glReadBuffer(GL_BACK);
        glReadPixels(TEST_VIEW_SIDE / 2, TEST_VIEW_SIDE / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE,
                     p.data());
        return p;
    }
    std::array<GLfloat, 4> currentColour() {
        std::array<GLfloat, 4> c{};
        glGetFloatv(GL_CURRENT_COLOR, c.data());
        return c;
    }
};
} // namespace

TEST_F(DisplayLists, TransparentFaceSetBlendsWithItsAlpha) {
    run(triangleModel(1, 0, 0, 0.25f, 0));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(glInteger(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(glInteger(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(currentColour(), (std::array<GLfloat, 4>{1, 0, 0, 0.75f}));
}

TEST_F(DisplayLists, OpaqueFaceSetTurnsBlendingOffAndSetsItsColour) {
    glEnable(GL_BLEND);
    run(triangleModel(0, 1, 0, 1.0f, 0));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(currentColour(), (std::array<GLfloat, 4>{0, 1, 0, 1}));
    EXPECT_EQ(centrePixel(), (std::array<GLubyte, 4>{0, 255, 0, 255}));
}

TEST_F(DisplayLists, BlackFaceSetTakesTheCallersColour) {
    glEnable(GL_BLEND);
    run(triangleModel(0, 0, 0, 2.0f, 0)); // above 1.0 the blending is left as it was
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(currentColour(), (std::array<GLfloat, 4>{0.3f, 0.4f, 0.5f, 0.6f}));
}

TEST_F(DisplayLists, TextureNamesZeroMinusOneAndOwn) {
    glBindTexture(GL_TEXTURE_2D, 7);
    run(triangleModel(1, 1, 1, 1.0f, -1));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), 7); // the caller's texture stays
    run(triangleModel(1, 1, 1, 1.0f, 5));
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), 5);
    EXPECT_EQ(boundTexture, 0); // the bind cache does not learn of list binds
    run(triangleModel(1, 1, 1, 1.0f, 0));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(DisplayLists, CullSideComesFromTheModel) {
    Model m = triangleModel(1, 1, 1, 1.0f, 0);
    run(m);
    EXPECT_EQ(glInteger(GL_CULL_FACE_MODE), GL_BACK);
    EXPECT_EQ(centrePixel()[0], 255);
    m.cullFace = GL_FRONT; // the triangle faces the eye, so now it is culled
    run(m);
    EXPECT_EQ(glInteger(GL_CULL_FACE_MODE), GL_FRONT);
    EXPECT_EQ(centrePixel()[0], 0);
}

TEST_F(DisplayLists, TrianglesNamingEntriesOutsideTheArraysAreLeftOut) {
    for (int corner = 0; corner < 3; ++corner) {
        for (int32_t bad : {-1, 3, 1 << 30}) {
            Model m                                  = triangleModel(1, 1, 1, 1.0f, 0);
            m.faceSets[0].coordIndex[size_t(corner)] = bad;
            run(m);
            EXPECT_EQ(centrePixel()[0], 0) << corner << " " << bad;
            m                                         = triangleModel(1, 1, 1, 1.0f, 0);
            m.faceSets[0].normalIndex[size_t(corner)] = bad == 3 ? 1 : bad;
            run(m);
            EXPECT_EQ(centrePixel()[0], 0) << corner << " " << bad;
            m                                           = triangleModel(1, 1, 1, 1.0f, 0);
            m.faceSets[0].texCoordIndex[size_t(corner)] = bad == 3 ? 1 : bad;
            run(m);
            EXPECT_EQ(centrePixel()[0], 0) << corner << " " << bad;
        }
    }
    Model shortLists                     = triangleModel(1, 1, 1, 1.0f, 0);
    shortLists.faceSets[0].triangleCount = 2; // more triangles than index entries
    run(shortLists);
    EXPECT_EQ(centrePixel()[0], 255);
}

TEST_F(DisplayLists, ModelFreedAfterCompilingStillDraws) {
    Model m = triangleModel(0, 0, 1, 1.0f, 0);
    compileModel(m, TEST_LIST);
    freeModel(&m);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glCallList(TEST_LIST);
    glFinish();
    EXPECT_EQ(centrePixel(), (std::array<GLubyte, 4>{0, 0, 255, 255}));
}
