// glReadPixels of the back buffer as RGBA, the form every driver reads fastest and whose rows
// need no padding, then each row packed to RGB into its place counted from the top.
#include "render/drawable_pixels.h"

#include <GL/gl.h>

#include "render/render.h"

namespace {
constexpr int READ_CHANNELS = 4, KEPT_CHANNELS = 3;
}

void readDrawablePixels(std::vector<uint8_t>* rgb) {
    const size_t width = static_cast<size_t>(drawable.width);
    const size_t rows  = static_cast<size_t>(drawable.height);
    std::vector<uint8_t> read(width * rows * READ_CHANNELS);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, drawable.width, drawable.height, GL_RGBA, GL_UNSIGNED_BYTE, read.data());
    rgb->resize(width * rows * KEPT_CHANNELS);
    for (size_t y = 0; y < rows; ++y) {
        const uint8_t* from = read.data() + y * width * READ_CHANNELS;
        uint8_t* to         = rgb->data() + (rows - 1 - y) * width * KEPT_CHANNELS;
        for (size_t x = 0; x < width; ++x, from += READ_CHANNELS, to += KEPT_CHANNELS) {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
}
