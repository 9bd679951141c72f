// The fixed GL state set once at start-up.
#include <cmath>

#include "render/render.h"
#include "tests/assets/gl_fixture.h"

using SceneSetup = GlTest;

TEST_F(SceneSetup, FixedStateAndProjection) {
    setupScene(800, 600);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
    GLfloat p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    const float f = 1.0f / std::tan(30.0f * 3.14159265f / 180.0f);
    EXPECT_NEAR(p[5], f, 1e-4); // 60 degrees vertically
    EXPECT_NEAR(p[5] / p[0], 800.0f / 600.0f, 1e-4);
    EXPECT_NEAR(p[10], -(100.0f + 0.01f) / (100.0f - 0.01f), 1e-5);
    EXPECT_EQ(glInteger(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(glInteger(GL_BLEND_SRC), GL_ONE);
    EXPECT_EQ(glInteger(GL_BLEND_DST), GL_ONE);
    EXPECT_EQ(glInteger(GL_SHADE_MODEL), GL_SMOOTH);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_EQ(glInteger(GL_COLOR_MATERIAL_FACE), GL_FRONT_AND_BACK);
    EXPECT_EQ(glInteger(GL_COLOR_MATERIAL_PARAMETER), GL_AMBIENT_AND_DIFFUSE);
    GLfloat diffuse[4], constant = 0, linear = 1, quadratic = 1;
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glGetLightfv(GL_LIGHT0, GL_CONSTANT_ATTENUATION, &constant);
    glGetLightfv(GL_LIGHT0, GL_LINEAR_ATTENUATION, &linear);
    glGetLightfv(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, &quadratic);
    EXPECT_FLOAT_EQ(diffuse[0], 0.9f);
    EXPECT_FLOAT_EQ(diffuse[3], 1.0f);
    EXPECT_FLOAT_EQ(constant, 0.2f);
    EXPECT_EQ(linear, 0.0f);
    EXPECT_EQ(quadratic, 0.0f);
}
