// Overlay text from the font picture, and flat boxes, in window pixels.
#include "render/text.h"

#include <GL/gl.h>

#include <algorithm>
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
constexpr int CELL_W             = 12;
constexpr int CELL_H             = 20;
constexpr int FONT_W             = 256;
constexpr int FONT_H             = 128;
constexpr float CELL_WIDTH_RATIO = float(CELL_W) / float(CELL_H); // keeps texels square

// Small quads cost a software renderer far more than their pixels, so each line of text is
// put together once, from the font picture, into a texture of its own and drawn as one quad
// for as long as it is shown. Texture names far above the texture table's are theirs.
constexpr int CACHED_LINES         = 48;
constexpr int LONGEST_LINE         = 160; // characters; longer text is cut
constexpr unsigned FIRST_LINE_NAME = 1000;
constexpr int LINE_TEXTURE_H       = 32; // a cell's 20 rows, in a power of two
constexpr int LINE_TEXTURE_MAX_W   = 2048;

struct CachedLine {
    bool used;
    char text[LONGEST_LINE + 1];
    int width;         // the texture's, in texels; the text fills length x CELL_W of it
    uint32_t lastDraw; // the overlay in which it was last drawn
};

CachedLine cache[CACHED_LINES];
uint32_t overlayCount = 0;
// Two bytes a texel: the glyphs' brightness, and how much they darken what lies behind: the
// glyphs themselves and their shadow one texel right and down, so one quad both keeps the text
// readable on bright ground and adds its colour.
constexpr int LINE_TEXEL_BYTES = 2;
uint8_t lineTexels[LINE_TEXTURE_MAX_W * LINE_TEXTURE_H * LINE_TEXEL_BYTES];

// The font picture read back from its texture, rows bottom first, once per font texture.
uint8_t fontTexels[FONT_W * FONT_H * 3];
int32_t fontTexelsOf = -1; // the texture name read, or -1
bool fontUsable      = false;

bool readFont() {
    if (fontTexelsOf == overlayTextures.fontTexture) return fontUsable;
    fontTexelsOf = overlayTextures.fontTexture;
    for (CachedLine& c : cache) // lines of another font
        c.used = false;
    GLint w = 0, h = 0;
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(overlayTextures.fontTexture));
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    fontUsable = w == FONT_W && h == FONT_H;
    if (fontUsable) {
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, fontTexels);
    }
    return fontUsable;
}

constexpr double OVERLAY_NEAR = -1.0;
constexpr double OVERLAY_FAR  = 1.0;

int shownChar(char ch) {
    const int c = static_cast<unsigned char>(ch);
    return c < FIRST_CHAR || c > LAST_CHAR ? UNPRINTABLE_SHOWN : c;
}

int powerOfTwoAtLeast(int n) {
    int p = 1;
    while (p < n)
        p *= 2;
    return p;
}

// The line's glyphs copied from the font picture (red as brightness), top row first, each
// texel's darkening the most of its own brightness and its neighbours' up and to the left.
void composeLine(const char* text, int length, int width) {
    std::memset(lineTexels, 0, static_cast<size_t>(width) * LINE_TEXTURE_H * LINE_TEXEL_BYTES);
    for (int i = 0; i < length; ++i) {
        const int cell = shownChar(text[i]) - FIRST_CHAR;
        const int x0   = (cell % GLYPHS_PER_ROW) * CELL_W;
        const int y0   = (cell / GLYPHS_PER_ROW) * CELL_H;
        for (int y = 0; y < CELL_H; ++y) {
            const uint8_t* from =
                &fontTexels[(static_cast<size_t>(FONT_H - 1 - (y0 + y)) * FONT_W + x0) * 3];
            uint8_t* to =
                &lineTexels[(static_cast<size_t>(y) * width + i * CELL_W) * LINE_TEXEL_BYTES];
            for (int x = 0; x < CELL_W; ++x)
                to[x * LINE_TEXEL_BYTES] = from[3 * x];
        }
    }
    for (int y = LINE_TEXTURE_H - 1; y >= 0; --y) {
        for (int x = width - 1; x >= 0; --x) {
            uint8_t dark = 0;
            for (int d = 0; d < 4; ++d) {
                const int sx = x - (d & 1), sy = y - (d >> 1);
                if (sx >= 0 && sy >= 0)
                    dark = std::max(
                        dark,
                        lineTexels[(static_cast<size_t>(sy) * width + sx) * LINE_TEXEL_BYTES]);
            }
            lineTexels[(static_cast<size_t>(y) * width + x) * LINE_TEXEL_BYTES + 1] = dark;
        }
    }
}

// The texture name holding the line, made now if no cached line holds it; 0 without a font.
unsigned lineTexture(const char* text, int length, float* sMax) {
    if (!readFont()) return 0;
    int slot = 0;
    for (int i = 0; i < CACHED_LINES; ++i) {
        const CachedLine& c = cache[i];
        if (c.used && std::strncmp(c.text, text, LONGEST_LINE) == 0 && c.text[length] == '\0') {
            slot = i;
            break;
        }
        if (!c.used || c.lastDraw < cache[slot].lastDraw) slot = i; // the one drawn longest ago
    }
    CachedLine& line    = cache[slot];
    const unsigned name = FIRST_LINE_NAME + static_cast<unsigned>(slot);
    if (!(line.used && std::strncmp(line.text, text, LONGEST_LINE) == 0 &&
          line.text[length] == '\0')) {
        line.used  = true;
        line.width = powerOfTwoAtLeast(length * CELL_W);
        std::memcpy(line.text, text, static_cast<size_t>(length));
        line.text[length] = '\0';
        composeLine(text, length, line.width);
        glBindTexture(GL_TEXTURE_2D, name);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, line.width, LINE_TEXTURE_H, 0,
                     GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, lineTexels);
    } else {
        glBindTexture(GL_TEXTURE_2D, name);
    }
    line.lastDraw = overlayCount;
    *sMax         = static_cast<float>(length * CELL_W) / static_cast<float>(line.width);
    return name;
}

void lineQuad(float left, float top, float w, float h, float sMax) {
    constexpr float T_MAX = float(CELL_H) / float(LINE_TEXTURE_H);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(left, top);
    glTexCoord2f(0.0f, T_MAX);
    glVertex2f(left, top + h);
    glTexCoord2f(sMax, T_MAX);
    glVertex2f(left + w, top + h);
    glTexCoord2f(sMax, 0.0f);
    glVertex2f(left + w, top);
}
} // namespace

void beginScreenOverlay() {
    ++overlayCount;
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    const double w = drawable.width > 0 ? drawable.width : 1;
    const double h = drawable.height > 0 ? drawable.height : 1;
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
    const int length = static_cast<int>(strnlen(text, LONGEST_LINE));
    float sMax       = 0.0f;
    if (length == 0 || lineTexture(text, length, &sMax) == 0) return;
    // lineTexture bound the line's own texture: the next bindTexture must bind.
    forgetBoundTexture();
    glEnable(GL_TEXTURE_2D);
    // What lies behind is darkened by the texture's alpha and the coloured glyphs are added.
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glColor3fv(colour);
    glBegin(GL_QUADS);
    lineQuad(std::round(x), std::round(y), static_cast<float>(length) * height * CELL_WIDTH_RATIO,
             height, sMax);
    glEnd();
}

float textWidth(const char* text, float height) {
    if (text == nullptr || !(height > 0.0f)) return 0.0f;
    return static_cast<float>(strnlen(text, LONGEST_LINE)) * height * CELL_WIDTH_RATIO;
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
