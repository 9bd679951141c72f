// Glyphs as polylines on a 4 x 6 grid (x right, y up), with chamfered corners.
#include "tools/stroke_font.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {
constexpr float GRID_HEIGHT = 6.0f;
constexpr float ADVANCE     = 6.0f; // glyph width 4 and a gap of 2, in grid units

// Polylines separated by ';', points by blanks, coordinates by ','.
struct Glyph {
    char letter;
    const char* strokes;
};

constexpr Glyph GLYPHS[] = {
    {'0', "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0"                            },
    {'1', "1,5 2,6 2,0; 1,0 3,0"                                           },
    {'2', "0,5 1,6 3,6 4,5 4,4 0,0 4,0"                                    },
    {'3', "0,5 1,6 3,6 4,5 4,4 3,3 1,3; 3,3 4,2 4,1 3,0 1,0 0,1"           },
    {'4', "3,0 3,6 0,2 4,2"                                                },
    {'5', "4,6 0,6 0,3 3,3 4,2 4,1 3,0 0,0"                                },
    {'6', "4,5 3,6 1,6 0,5 0,1 1,0 3,0 4,1 4,2 3,3 0,3"                    },
    {'7', "0,6 4,6 4,5 1,0"                                                },
    {'8', "1,3 0,4 0,5 1,6 3,6 4,5 4,4 3,3 1,3 0,2 0,1 1,0 3,0 4,1 4,2 3,3"},
    {'9', "0,1 1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,4 1,3 4,3"                    },
    {'A', "0,0 0,4 2,6 4,4 4,0; 0,2.5 4,2.5"                               },
    {'C', "4,5 3,6 1,6 0,5 0,1 1,0 3,0 4,1"                                },
    {'D', "0,0 0,6 3,6 4,5 4,1 3,0 0,0"                                    },
    {'E', "4,6 0,6 0,0 4,0; 0,3 3,3"                                       },
    {'G', "4,5 3,6 1,6 0,5 0,1 1,0 3,0 4,1 4,3 2,3"                        },
    {'H', "0,0 0,6; 4,0 4,6; 0,3 4,3"                                      },
    {'I', "1,6 3,6; 2,6 2,0; 1,0 3,0"                                      },
    {'K', "0,0 0,6; 4,6 1,3 0,3; 1,3 4,0"                                  },
    {'L', "0,6 0,0 4,0"                                                    },
    {'N', "0,0 0,6 4,0 4,6"                                                },
    {'O', "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0"                            },
    {'P', "0,0 0,6 3,6 4,5 4,4 3,3 0,3"                                    },
    {'R', "0,0 0,6 3,6 4,5 4,4 3,3 0,3; 2,3 4,0"                           },
    {'S', "4,5 3,6 1,6 0,5 0,4 1,3 3,3 4,2 4,1 3,0 1,0 0,1"                },
    {'T', "0,6 4,6; 2,6 2,0"                                               },
    {'U', "0,6 0,1 1,0 3,0 4,1 4,6"                                        },
    {'W', "0,6 0,0 2,2 4,0 4,6"                                            },
    {'Y', "0,6 2,3 4,6; 2,3 2,0"                                           },
};

const char* strokesOf(char letter) {
    for (const Glyph& g : GLYPHS)
        if (g.letter == letter) return g.strokes;
    return "";
}

// Per texel, the strongest line coverage and halo, so crossing lines do not double up.
struct InkMask {
    std::vector<float> line, halo;
};

// Segment end points on screen, in rows (x already multiplied by the texel aspect).
void inkSegment(InkMask& mask, const Picture& picture, StrokePoint a, StrokePoint b,
                const TextStyle& style) {
    const float reach = 0.5f * style.stroke + 3.0f * style.glowRadius + 1.0f;
    const int x0 = static_cast<int>(std::floor((std::fmin(a.x, b.x) - reach) / style.texelAspect));
    const int x1 = static_cast<int>(std::ceil((std::fmax(a.x, b.x) + reach) / style.texelAspect));
    const int y0 = static_cast<int>(std::floor(std::fmin(a.y, b.y) - reach));
    const int y1 = static_cast<int>(std::ceil(std::fmax(a.y, b.y) + reach));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) continue;
            const StrokePoint p{(x + 0.5f) * style.texelAspect, y + 0.5f};
            const float d      = segmentDistance(p, a, b);
            const float cover  = clampUnit(0.5f * style.stroke + 0.5f - d);
            const float g      = style.glowRadius > 0.0f ? d / style.glowRadius : 99.0f;
            const float halo   = std::exp(-0.5f * g * g);
            const size_t index = static_cast<size_t>(y) * picture.width + x;
            mask.line[index]   = std::fmax(mask.line[index], cover);
            mask.halo[index]   = std::fmax(mask.halo[index], halo);
        }
    }
}

InkMask emptyMask(const Picture& picture) {
    const size_t n = picture.pixels.size();
    return InkMask{std::vector<float>(n, 0.0f), std::vector<float>(n, 0.0f)};
}

void applyMask(Picture& picture, const InkMask& mask, const TextStyle& style) {
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        const float amount = mask.line[i] + style.glow * mask.halo[i] * (1.0f - mask.line[i]);
        picture.pixels[i]  = addRgb(picture.pixels[i], scaleRgb(style.colour, amount));
    }
}
} // namespace

float segmentDistance(StrokePoint p, StrokePoint a, StrokePoint b) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float len2 = dx * dx + dy * dy;
    float t          = len2 > 0.0f ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0f;
    t                = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
    const float ex = p.x - (a.x + t * dx), ey = p.y - (a.y + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

std::vector<Polyline> parseStrokes(const char* text) {
    std::vector<Polyline> lines(1);
    while (*text) {
        if (*text == ';') {
            lines.emplace_back();
            ++text;
        } else if (*text == ' ') {
            ++text;
        } else {
            char* end;
            const float x = std::strtof(text, &end);
            const float y = std::strtof(end + 1, &end); // skips the comma
            lines.back().push_back({x, y});
            text = end;
        }
    }
    return lines;
}

float textWidth(const char* text, const TextStyle& style) {
    const float unit = style.height / GRID_HEIGHT;
    int n            = 0;
    for (const char* c = text; *c; ++c)
        ++n;
    return n > 0 ? unit * (ADVANCE * n - (ADVANCE - 4.0f)) : 0.0f;
}

void drawText(Picture& picture, const char* text, float centreX, float baseline,
              const TextStyle& style) {
    const float unit = style.height / GRID_HEIGHT;
    float penX       = centreX * style.texelAspect - 0.5f * textWidth(text, style);
    InkMask mask     = emptyMask(picture);
    for (const char* c = text; *c; ++c, penX += ADVANCE * unit) {
        for (const Polyline& line : parseStrokes(strokesOf(*c))) {
            for (size_t k = 0; k + 1 < line.size(); ++k) {
                const StrokePoint a{penX + unit * line[k].x, baseline + unit * line[k].y};
                const StrokePoint b{penX + unit * line[k + 1].x, baseline + unit * line[k + 1].y};
                inkSegment(mask, picture, a, b, style);
            }
        }
    }
    applyMask(picture, mask, style);
}

void drawGlowLine(Picture& picture, float x0, float y0, float x1, float y1,
                  const TextStyle& style) {
    InkMask mask = emptyMask(picture);
    inkSegment(mask, picture, StrokePoint{x0 * style.texelAspect, y0},
               StrokePoint{x1 * style.texelAspect, y1}, style);
    applyMask(picture, mask, style);
}
