// Decoding through libpng's simplified reader.
#include <png.h>

#include "tests/png/png_decode.h"

DecodedPng decodePng(const std::vector<uint8_t>& bytes, int channels) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    DecodedPng out;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return out;
    image.format = channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return out;
    return DecodedPng{static_cast<int>(image.width), static_cast<int>(image.height), pixels};
}
