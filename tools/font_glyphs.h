// The overlay font's shapes: every printable character as polylines on a grid of texels.
#pragma once

// The grid: x from 0 to FONT_GLYPH_WIDTH, y up from the baseline, the small letters 8 high,
// capitals and digits 11, brackets from -2 to 12 and descenders down to FONT_DESCENDER.
constexpr float FONT_GLYPH_WIDTH = 6.0f;
constexpr float FONT_DESCENDER   = -3.0f;

// The strokes of character c in the form parseStrokes reads, one grid unit a texel; "" for
// the space and for every character outside 33 to 126.
const char* fontGlyphStrokes(char c);
