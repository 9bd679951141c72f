// A PNG file's pixels through a decoder that is not the game's writer: libpng's reader, or the
// system's own on Windows.
#pragma once

#include <cstdint>
#include <vector>

struct DecodedPng {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels; // rows top first; empty when the bytes did not decode
};

// As RGB (channels 3) or RGBA (4).
DecodedPng decodePng(const std::vector<uint8_t>& bytes, int channels);
