// Pictures as PNG files: 8 bits a channel, RGB or RGBA, deflate-compressed. The encoder is the
// system's (png/libpng/ or png/wic/); writing the file is shared.
#pragma once

#include <cstdint>
#include <vector>

constexpr int PNG_PROBLEM_SIZE = 256;   // enough for any problem the writer names
constexpr int PNG_LARGEST_SIDE = 16384; // far beyond any screen; keeps every size in range

enum class PngChannels { RGB = 3, RGBA = 4 };

struct PngPicture {
    const uint8_t* pixels; // rows top first, packed: width * channels bytes each
    int width, height;
    PngChannels channels;
};

// The PNG file's bytes into *bytes; false with what failed in problem (no pixels, a side
// out of range, the encoder's own failure).
bool encodePng(const PngPicture& picture, std::vector<uint8_t>* bytes,
               char problem[PNG_PROBLEM_SIZE]);

// The file at path, replacing one there; false with what failed (the folder, a full disk) in
// problem.
bool writePng(const char* path, const PngPicture& picture, char problem[PNG_PROBLEM_SIZE]);
