// The drawn frame read back from the back buffer, before it is shown.
#pragma once

#include <cstdint>
#include <vector>

// The drawable's width x height pixels as RGB bytes, rows top first (GL gives them bottom
// first), into *rgb; the size is the drawable's as setSceneSize last set it.
void readDrawablePixels(std::vector<uint8_t>* rgb);
