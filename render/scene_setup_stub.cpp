// Placeholder fixed GL state until the scene set-up lands.
#include <GL/gl.h>

#include "render/render.h"

void setupScene(int width, int height) { glViewport(0, 0, width, height); }
