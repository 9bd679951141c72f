// One real GL context for a whole test suite, and a fresh texture table for every test.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "assets/textures.h"
#include "tests/assets/gl_context.h"

constexpr int TEST_VIEW_SIDE = 64;

class GlTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::string error;
        context = createTestGlContext(TEST_VIEW_SIDE, TEST_VIEW_SIDE, &error);
        if (!context) contextError = error;
    }
    static void TearDownTestSuite() {
        destroyTestGlContext(context);
        context = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(context, nullptr) << "no GL context on $DISPLAY: " << contextError;
        resetTextures();
        initTextures(TEXTURE_TABLE_SIZE);
    }
    static inline TestGlContext* context = nullptr;
    static inline std::string contextError;
};

inline GLint glInteger(GLenum what) {
    GLint v = 0;
    glGetIntegerv(what, &v);
    return v;
}
