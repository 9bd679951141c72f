// Text and flat boxes on the overlay, placed in window pixels (origin at the top left, y
// down) between beginScreenOverlay and endScreenOverlay.
#pragma once

// Between these two, one unit is one window pixel and nothing is lit, culled or
// depth-tested; the end puts back the 3D projection and every switch, blend mode and
// colour the frame had before the begin.
void beginScreenOverlay();
void endScreenOverlay();

// The text's top-left corner at (x, y), its character cells `height` pixels tall and 0.6 of
// that wide, in the given colour over a dark shadow that keeps it readable on bright planets.
// Characters outside the space to the tilde show as '?'; text past 160 characters is cut. The
// corner snaps to a whole pixel; at a height of 20 each texel of the font is one pixel.
void drawText(float x, float y, float height, const char* text, const float colour[3]);

// The width drawText gives the text, the shadow not counted.
float textWidth(const char* text, float height);

// An untextured box in the colour, alpha 1 hiding what lies behind and 0 leaving it be.
void fillRect(float x, float y, float w, float h, const float colour[3], float alpha);
