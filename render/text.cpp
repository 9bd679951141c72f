// Overlay text from the font picture, and flat boxes, in window pixels.
#include "render/text.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

#include "assets/asset_loading.h"
#include "assets/textures.h"
#include "render/render.h"

namespace {
// The font picture as the asset generator lays it out: the characters from the space to the
// tilde in order, 16 a row from the top left, each in a cell of 12 x 20 of its 256 x 128
// texels.
constexpr int FIRST_CHAR         = 32;
constexpr int LAST_CHAR          = 126;
constexpr int UNPRINTABLE_SHOWN  = '?';
constexpr int GLYPHS_PER_ROW     = 16;
constexpr float CELL_S           = 12.0f / 256.0f;
constexpr float CELL_T           = 20.0f / 128.0f;
constexpr float CELL_WIDTH_RATIO = 12.0f / 20.0f; // keeps texels square on screen

// Ink keeps clear of a cell's first column, last two columns, top row and bottom row, so each
// quad covers only the rest: a quarter fewer pixels to fill, which is most of the cost.
constexpr float INK_LEFT   = 1.0f / 12.0f; // of the cell's width
constexpr float INK_RIGHT  = 10.0f / 12.0f;
constexpr float INK_TOP    = 1.0f / 20.0f; // of the cell's height
constexpr float INK_BOTTOM = 19.0f / 20.0f;

// How far the shadow falls right and down, per pixel of text height, and at least.
constexpr float SHADOW_PER_HEIGHT = 1.0f / 14.0f;
constexpr float SHADOW_LEAST      = 1.0f;
constexpr float WHITE[3]          = {1.0f, 1.0f, 1.0f};
constexpr double OVERLAY_NEAR     = -1.0;
constexpr double OVERLAY_FAR      = 1.0;

float advanceFor(float height) {
    return std::fmax(1.0f, std::round(height * CELL_WIDTH_RATIO));
}

// One quad per character inside a glBegin(GL_QUADS); spaces take their place but draw none.
void emitGlyphs(const char* text, float left, float top, float advance, float height) {
    const float x0 = INK_LEFT * advance, x1 = INK_RIGHT * advance;
    const float y0 = top + INK_TOP * height, y1 = top + INK_BOTTOM * height;
    for (const char* p = text; *p != '\0'; ++p, left += advance) {
        int c = static_cast<unsigned char>(*p);
        if (c == ' ') continue;
        if (c < FIRST_CHAR || c > LAST_CHAR) c = UNPRINTABLE_SHOWN;
        const int cell    = c - FIRST_CHAR;
        const float sCell = static_cast<float>(cell % GLYPHS_PER_ROW) * CELL_S;
        const float tCell = 1.0f - static_cast<float>(cell / GLYPHS_PER_ROW) * CELL_T;
        const float s0 = sCell + INK_LEFT * CELL_S, s1 = sCell + INK_RIGHT * CELL_S;
        const float t0 = tCell - INK_TOP * CELL_T, t1 = tCell - INK_BOTTOM * CELL_T;
        glTexCoord2f(s0, t0);
        glVertex2f(left + x0, y0);
        glTexCoord2f(s0, t1);
        glVertex2f(left + x0, y1);
        glTexCoord2f(s1, t1);
        glVertex2f(left + x1, y1);
        glTexCoord2f(s1, t0);
        glVertex2f(left + x1, y0);
    }
}
} // namespace

void beginScreenOverlay() {
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    const double w = viewportWidth > 0 ? viewportWidth : 1;
    const double h = viewportHeight > 0 ? viewportHeight : 1;
    glOrtho(0.0, w, h, 0.0, OVERLAY_NEAR, OVERLAY_FAR);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
}

void endScreenOverlay() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

void drawText(float x, float y, float height, const char* text, const float colour[3]) {
    if (text == nullptr || !std::isfinite(x) || !std::isfinite(y) || !(height > 0.0f)) return;
    const float left    = std::round(x);
    const float top     = std::round(y);
    const float advance = advanceFor(height);
    const float shadow  = std::fmax(SHADOW_LEAST, std::round(height * SHADOW_PER_HEIGHT));
    bindTexture(fontTexture);
    glEnable(GL_TEXTURE_2D);
    // Darken under the letters and their shadow first, so the colour added next shows the
    // same over a bright planet as over the dark sky.
    glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
    glColor3fv(WHITE);
    glBegin(GL_QUADS);
    emitGlyphs(text, left + shadow, top + shadow, advance, height);
    emitGlyphs(text, left, top, advance, height);
    glEnd();
    glBlendFunc(GL_ONE, GL_ONE);
    glColor3fv(colour);
    glBegin(GL_QUADS);
    emitGlyphs(text, left, top, advance, height);
    glEnd();
}

float textWidth(const char* text, float height) {
    if (text == nullptr || !(height > 0.0f)) return 0.0f;
    return static_cast<float>(std::strlen(text)) * advanceFor(height);
}

void fillRect(float x, float y, float w, float h, const float colour[3], float alpha) {
    glDisable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(colour[0], colour[1], colour[2], alpha);
    glBegin(GL_QUADS);
    glVertex2f(x, y);
    glVertex2f(x, y + h);
    glVertex2f(x + w, y + h);
    glVertex2f(x + w, y);
    glEnd();
}
