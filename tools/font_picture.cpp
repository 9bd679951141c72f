// The font picture: each glyph's strokes filled with their exact coverage, sampled several
// times across every texel, so edges are soft but no glow spreads into the black.
#include <vector>

#include "tools/font_glyphs.h"
#include "tools/pictures.h"
#include "tools/stroke_font.h"

namespace {
constexpr int FONT_WIDTH  = 256;   // 16 cells of 12 and 64 black columns
constexpr int FONT_HEIGHT = 128;   // 6 rows of 20 and 8 black rows at the bottom
constexpr float STROKE    = 1.75f; // line width, in texels
constexpr int SAMPLES     = 6;     // per texel side
// Grid points fall on texel centres, so stems and bars cover whole texels: x = 0 half a
// texel left of centring the glyph in its cell, the descenders' end in the third row from
// the bottom. The ink then keeps clear of the cell's first column, its last two and its top
// and bottom rows, which the overlay leaves undrawn.
constexpr float GLYPH_LEFT     = 0.5f * (FONT_CELL_WIDTH - FONT_GLYPH_WIDTH) - 0.5f;
constexpr float GLYPH_BASELINE = 2.5f - FONT_DESCENDER;

struct Segment {
    StrokePoint a, b;
};

// The glyph's segments in the picture's texels; a lone point stands for a dot.
std::vector<Segment> glyphSegments(char c, float left, float baseline) {
    const auto at = [&](StrokePoint p) { return StrokePoint{left + p.x, baseline + p.y}; };
    std::vector<Segment> segments;
    for (const Polyline& line : parseStrokes(fontGlyphStrokes(c))) {
        if (line.size() == 1) segments.push_back({at(line[0]), at(line[0])});
        for (size_t k = 0; k + 1 < line.size(); ++k)
            segments.push_back({at(line[k]), at(line[k + 1])});
    }
    return segments;
}

// The share of texel (x, y) that lies within half a stroke of a segment.
float coverage(const std::vector<Segment>& segments, int x, int y) {
    int inside = 0;
    for (int sy = 0; sy < SAMPLES; ++sy) {
        for (int sx = 0; sx < SAMPLES; ++sx) {
            const StrokePoint p{x + (sx + 0.5f) / SAMPLES, y + (sy + 0.5f) / SAMPLES};
            for (const Segment& s : segments) {
                if (segmentDistance(p, s.a, s.b) <= 0.5f * STROKE) {
                    ++inside;
                    break;
                }
            }
        }
    }
    return static_cast<float>(inside) / (SAMPLES * SAMPLES);
}
} // namespace

Picture makeFontPicture() {
    Picture picture = makePicture(FONT_WIDTH, FONT_HEIGHT);
    for (int c = FONT_FIRST_CHAR; c <= FONT_LAST_CHAR; ++c) {
        const int cell   = c - FONT_FIRST_CHAR;
        const int left   = (cell % FONT_COLUMNS) * FONT_CELL_WIDTH;
        const int bottom = FONT_HEIGHT - (cell / FONT_COLUMNS + 1) * FONT_CELL_HEIGHT;
        const std::vector<Segment> segments =
            glyphSegments(static_cast<char>(c), left + GLYPH_LEFT, bottom + GLYPH_BASELINE);
        if (segments.empty()) continue;
        for (int y = bottom; y < bottom + FONT_CELL_HEIGHT; ++y) {
            for (int x = left; x < left + FONT_CELL_WIDTH; ++x) {
                const float ink        = coverage(segments, x, y);
                pixelAt(picture, x, y) = Rgb{ink, ink, ink};
            }
        }
    }
    return picture;
}
