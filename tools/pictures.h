// Every picture the game loads, drawn in memory.
#pragma once

#include "tools/picture.h"

// A planet whose disc fills two thirds of the view's height at 1920 x 1080 shows a texel to
// about two pixels at its centre.
constexpr int PLANET_PICTURE_WIDTH  = 1024;
constexpr int PLANET_PICTURE_HEIGHT = 512;
constexpr int PLANET_KIND_COUNT     = 10;

// The planet surfaces, in the order of the universe file's TEXTURE lines.
extern const char* const PLANET_KINDS[PLANET_KIND_COUNT];

Picture makePlanetPicture(int kind); // longitude across, south pole in the bottom row
Picture makeSkyPicture(int face);    // one cube face of stars and nebulae
Picture makeHullPicture();           // the ship's panels, seen from above
Picture makeFirePicture();           // the explosion's flames

// The overlay: digit strip, captions, crosshair and the picture of a destroyed ship.
Picture makeNumbersPicture();
Picture makeCaptionsPicture();
Picture makeCrosshairPicture();
Picture makeDeadPicture();

// The overlay font: white glyphs on black for every printable character from the space to
// the tilde, in character order, FONT_COLUMNS a row from the top left, each in a cell of
// FONT_CELL_WIDTH x FONT_CELL_HEIGHT texels. No ink touches a cell's first column, its last
// two or its top and bottom rows.
constexpr int FONT_FIRST_CHAR  = 32;
constexpr int FONT_LAST_CHAR   = 126;
constexpr int FONT_COLUMNS     = 16;
constexpr int FONT_CELL_WIDTH  = 12;
constexpr int FONT_CELL_HEIGHT = 20;
Picture makeFontPicture();
