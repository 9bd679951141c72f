// Every picture the game loads, drawn in memory.
#pragma once

#include "tools/picture.h"

constexpr int PLANET_PICTURE_WIDTH  = 256;
constexpr int PLANET_PICTURE_HEIGHT = 128;
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
