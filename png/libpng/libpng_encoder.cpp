// PNG through libpng: adaptive row filters, deflate at PNG_DEFLATE_LEVEL, into memory.
#include <png.h>

#include <csetjmp>
#include <cstdio>

#include "png/png_encoder.h"

namespace {
struct Encoding {
    std::vector<uint8_t>* bytes;
    char* problem;
};

void appendBytes(png_structp png, png_bytep data, png_size_t size) {
    std::vector<uint8_t>* bytes = static_cast<Encoding*>(png_get_io_ptr(png))->bytes;
    bytes->insert(bytes->end(), data, data + size);
}

void flushNothing(png_structp) {}

// libpng's errors come back through its jump, named in problem.
[[noreturn]] void failEncoding(png_structp png, png_const_charp message) {
    std::snprintf(static_cast<Encoding*>(png_get_error_ptr(png))->problem, PNG_PROBLEM_SIZE,
                  "the PNG encoder failed: %s", message);
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}
} // namespace

bool systemEncodePng(const PngPicture& picture, std::vector<uint8_t>* bytes,
                     char problem[PNG_PROBLEM_SIZE]) {
    Encoding encoding{bytes, problem};
    const size_t rowBytes = static_cast<size_t>(picture.width) * static_cast<int>(picture.channels);
    std::vector<png_bytep> rows(static_cast<size_t>(picture.height));
    for (size_t y = 0; y < rows.size(); ++y)
        rows[y] = const_cast<png_bytep>(picture.pixels + y * rowBytes);

    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &encoding, failEncoding, ignoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        std::snprintf(problem, PNG_PROBLEM_SIZE, "the PNG encoder could not start");
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &encoding, appendBytes, flushNothing);
    png_set_compression_level(png, PNG_DEFLATE_LEVEL);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
                 static_cast<png_uint_32>(picture.height), 8,
                 picture.channels == PngChannels::RGBA ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
