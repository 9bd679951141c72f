// Decoding through libpng's simplified reader, every picture as RGBA.
#include <png.h>

#include "tests/png/png_decode.h"

DecodedPng decodePng(const std::vector<uint8_t>& bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    DecodedPng out;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return out;
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) return out;
    out.width  = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.rgba   = rgba;
    return out;
}
