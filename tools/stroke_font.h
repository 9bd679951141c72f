// A small stroke font of our own (digits and the capitals the overlay needs), drawn with
// soft edges and a glow on black for the additive overlay.
#pragma once

#include <vector>

#include "tools/picture.h"

struct StrokePoint {
    float x, y;
};
using Polyline = std::vector<StrokePoint>;

// The polylines of a glyph written as text: points "x,y" apart by blanks, lines by ';'.
std::vector<Polyline> parseStrokes(const char* strokes);
// Distance from p to the segment from a to b.
float segmentDistance(StrokePoint p, StrokePoint a, StrokePoint b);

struct TextStyle {
    Rgb colour;
    float height;      // capital height, in the picture's rows
    float stroke;      // line width, in rows
    float glow;        // brightness of the halo around the lines
    float glowRadius;  // its reach, in rows
    float texelAspect; // how much wider than tall one texel is drawn on screen
};

// Width of the text on screen, in rows, as drawText lays it out.
float textWidth(const char* text, const TextStyle& style);

// Adds the text, centred at column `centreX` with its baseline on row `baseline`. Letters
// the font lacks are drawn as spaces.
void drawText(Picture& picture, const char* text, float centreX, float baseline,
              const TextStyle& style);

// Adds soft-edged, glowing lines from (x0, y0) to (x1, y1), in texel coordinates.
void drawGlowLine(Picture& picture, float x0, float y0, float x1, float y1, const TextStyle& style);
