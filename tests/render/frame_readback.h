// Reading back what was drawn: the back buffer as RGB pixels, where an eye-space point lands
// on the window, and binary PPM pictures for stored references and for looking at.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The back buffer after glFinish, RGB, bottom row first.
struct Frame {
    int width  = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    const uint8_t* at(int x, int y) const { return &rgb[(std::size_t(y) * width + x) * 3]; }
};

Frame readBackBuffer(int width, int height);

// Window pixel (origin bottom left) of an eye-space point through the game's 60-degree
// projection.
struct PixelPos {
    int x;
    int y;
};
PixelPos eyeToPixel(float x, float y, float z, int width, int height);

// Writes the frame as a binary PPM (top row first); reads one back. Empty frame on failure.
bool writePpm(const Frame& frame, const char* path);
Frame readPpm(const char* path);
