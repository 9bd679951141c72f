// The system's half of the PNG writer: one encoder a backend folder, handed a picture
// encodePng has checked.
#pragma once

#include "png/png_picture.h"

constexpr int PNG_DEFLATE_LEVEL = 6; // zlib's own default: most of level 9's gain, far faster

bool systemEncodePng(const PngPicture& picture, std::vector<uint8_t>* bytes,
                     char problem[PNG_PROBLEM_SIZE]);
