// The fixed GL state of the whole run: viewport, projection, depth, culling, blend, light.
#include <GL/gl.h>
#include <GL/glu.h>

#include "render/render.h"

namespace {
constexpr double NEAR_PLANE        = 0.01;
constexpr double FAR_PLANE         = 100.0;
constexpr GLfloat LIGHT_DIFFUSE[4] = {0.9f, 0.9f, 0.9f, 1.0f};
// No fall-off with distance: the light gives five times its diffuse colour everywhere.
constexpr GLfloat LIGHT_CONSTANT_ATTENUATION = 0.2f;
} // namespace

DrawableView drawable = {0, 0, 0.0f, overlayLayout(LAYOUT_BASE_WIDTH, LAYOUT_BASE_HEIGHT, 1.0f)};

// The drawable's own shape, whatever the window: the vertical field of view stays.
void setSceneSize(int width, int height, float pixelRatio, float fovDegrees) {
    drawable.width      = width > 0 ? width : 1;
    drawable.height     = height > 0 ? height : 1;
    drawable.fovDegrees = fovDegrees;
    drawable.layout     = overlayLayout(drawable.width, drawable.height, pixelRatio);
    glViewport(0, 0, drawable.width, drawable.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(double(fovDegrees), double(drawable.width) / double(drawable.height), NEAR_PLANE,
                   FAR_PLANE);
    // The modelview matrix stays current for the rest of the run.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void setupScene(int width, int height, float fovDegrees) {
    setSceneSize(width, height, 1.0f, fovDegrees);

    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glBlendFunc(GL_ONE, GL_ONE); // blending stays off until a draw wants it
    glShadeModel(GL_SMOOTH);

    glLightfv(GL_LIGHT0, GL_DIFFUSE, LIGHT_DIFFUSE);
    glLightf(GL_LIGHT0, GL_CONSTANT_ATTENUATION, LIGHT_CONSTANT_ATTENUATION);
    glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0.0f);
    glLightf(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, 0.0f);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);

    // The current colour becomes the material of whatever is drawn next.
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
}
