// The overlay: score and health with their captions, and the crosshair or the dead picture.
#include <GL/gl.h>

#include <cstdio>

#include "assets/asset_loading.h"
#include "assets/textures.h"
#include "render/render.h"
#include "world/world_state.h"

namespace {

constexpr int SCORE_SHOWN_MAX  = 999;
constexpr int HEALTH_SHOWN_MAX = 100;

// The digit strip: 16 equal cells across, digit k in cell k, a space in cell 11.
constexpr int DIGIT_CELL_OF_SPACE = 11;
constexpr float DIGIT_CELL_WIDTH  = 16.0f / 256.0f;
constexpr float DIGIT_ADVANCE     = 0.3f;
constexpr float DIGIT_HALF_SIZE   = 0.15f;

// Eye-space placements: x right, y up, negative z into the screen.
constexpr float SCORE_PEN[3]      = {-4.5f, -3.1f, -6.0f};
constexpr float HEALTH_PEN[3]     = {2.7f, -3.1f, -6.0f};
constexpr float SCORE_CAPTION[3]  = {-3.9f, -2.8f, -6.0f};
constexpr float HEALTH_CAPTION[3] = {3.34f, -2.8f, -6.0f};
constexpr float CAPTION_HALF_W    = 0.5f;
constexpr float CAPTION_HALF_H    = 0.2f;
constexpr float CROSS_DEPTH       = -10.0f;
constexpr float CROSS_HALF_SIZE   = 0.5f;
constexpr float DEAD_DEPTH        = -5.0f;
constexpr float DEAD_HALF_W       = 1.0f;
constexpr float DEAD_HALF_H       = 0.5f;

// The places above are laid out for a 4:3 screen; the HUD keeps to the same corners on
// any other, at the size the layout gives it.
constexpr float LAID_OUT_ASPECT = 4.0f / 3.0f;
constexpr float HALF_VIEW_SLOPE = 0.57735027f; // tan(30 degrees): half the field of view
constexpr float LEFT = -1.0f, CENTRE = 0.0f, RIGHT = 1.0f, BOTTOM = -1.0f;

// The modelview for items that keep to that side (x: LEFT, CENTRE, RIGHT; y: BOTTOM or
// CENTRE): eye space scaled by hudScale about the side, seen at each item's own depth.
void placeHud(float sideX, float sideY) {
    const float k       = drawable.layout.hudScale;
    const float moveX   = sideX * (drawable.layout.aspect - k * LAID_OUT_ASPECT) * HALF_VIEW_SLOPE;
    const float moveY   = sideY * (1.0f - k) * HALF_VIEW_SLOPE;
    const GLfloat m[16] = {k, 0, 0, 0, 0, k, 0, 0, -moveX, -moveY, 1, 0, 0, 0, 0, 1};
    glLoadMatrixf(m);
}

// One textured quad, corners counter-clockwise from the lower left.
void drawQuad(float s0, float s1, float halfW, float halfH, float z) {
    glBegin(GL_QUADS);
    glTexCoord2f(s0, 0.0f);
    glVertex3f(-halfW, -halfH, z);
    glTexCoord2f(s1, 0.0f);
    glVertex3f(halfW, -halfH, z);
    glTexCoord2f(s1, 1.0f);
    glVertex3f(halfW, halfH, z);
    glTexCoord2f(s0, 1.0f);
    glVertex3f(-halfW, halfH, z);
    glEnd();
}

void drawCaption(const float at[3], float sideX, float s0, float s1) {
    placeHud(sideX, BOTTOM);
    glTranslatef(at[0], at[1], at[2]);
    drawQuad(s0, s1, CAPTION_HALF_W, CAPTION_HALF_H, 0.0f);
}

} // namespace

void drawDigits(float x, float y, float z, const char* text) {
    bindTexture(overlayTextures.numbersTexture);
    glTranslatef(x, y, z);
    for (const char* c = text; *c != '\0'; ++c) {
        const int k    = *c == ' ' ? DIGIT_CELL_OF_SPACE : *c - '0';
        const float s0 = static_cast<float>(k) * DIGIT_CELL_WIDTH;
        const float s1 = s0 + DIGIT_CELL_WIDTH;
        // The pen moves first, so the first character is centred one advance from the pen.
        glTranslatef(DIGIT_ADVANCE, 0.0f, 0.0f);
        glBegin(GL_QUADS);
        glTexCoord2f(s0, 1.0f);
        glVertex2f(-DIGIT_HALF_SIZE, DIGIT_HALF_SIZE);
        glTexCoord2f(s1, 1.0f);
        glVertex2f(DIGIT_HALF_SIZE, DIGIT_HALF_SIZE);
        glTexCoord2f(s1, 0.0f);
        glVertex2f(DIGIT_HALF_SIZE, -DIGIT_HALF_SIZE);
        glTexCoord2f(s0, 0.0f);
        glVertex2f(-DIGIT_HALF_SIZE, -DIGIT_HALF_SIZE);
        glEnd();
    }
}

// Drawn additively over the scene without depth, so black texels leave it untouched.
void drawOverlay(const WorldState& world) {
    glLoadIdentity();
    glColor3f(1.0f, 1.0f, 1.0f);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    bindTexture(overlayTextures.numbersTexture);
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);

    char text[16];
    const int score = world.localScore > SCORE_SHOWN_MAX ? SCORE_SHOWN_MAX : world.localScore;
    std::snprintf(text, sizeof text, "%d", score);
    placeHud(LEFT, BOTTOM);
    drawDigits(SCORE_PEN[0], SCORE_PEN[1], SCORE_PEN[2], text);

    placeHud(RIGHT, BOTTOM);
    const int health = isValidSlot(world.localPlayer) ? world.players[world.localPlayer].health : 0;
    int shown        = health;
    if (shown <= 0) shown = 0;
    if (shown > HEALTH_SHOWN_MAX) shown = HEALTH_SHOWN_MAX;
    std::snprintf(text, sizeof text, "%d", shown);
    drawDigits(HEALTH_PEN[0], HEALTH_PEN[1], HEALTH_PEN[2], text);

    placeHud(CENTRE, CENTRE);
    if (health == 0) {
        bindTexture(overlayTextures.deadTexture);
        drawQuad(0.0f, 1.0f, DEAD_HALF_W, DEAD_HALF_H, DEAD_DEPTH);
    } else {
        bindTexture(overlayTextures.crossTexture);
        drawQuad(0.0f, 1.0f, CROSS_HALF_SIZE, CROSS_HALF_SIZE, CROSS_DEPTH);
    }

    bindTexture(overlayTextures.textTexture);
    drawCaption(SCORE_CAPTION, LEFT, 0.0f, 0.5f);
    drawCaption(HEALTH_CAPTION, RIGHT, 0.5f, 1.0f);
    glLoadIdentity();

    glDisable(GL_BLEND);
}
