// Pixels read back from GL or a display, RGB, top row first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct Picture {
    int width  = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    const uint8_t* at(int x, int y) const { return &rgb[(std::size_t(y) * width + x) * 3]; }
};

bool savePicture(const Picture& picture, const std::string& path); // a binary PPM, to look at
