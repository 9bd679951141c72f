// voranis-icon SIDE FILE.png: writes the game's icon, SIDE pixels square, as a PNG for the
// desktop. voranis-icon FILE.ico: the icon at every size Windows' shell shows, in one file.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "assets/game_icon.h"
#include "png/png_picture.h"
#include "tools/icon/ico_file.h"

namespace {
constexpr long SMALLEST_SIDE = 16, LARGEST_SIDE = 512; // the sizes desktops ask for
constexpr int WINDOWS_SIDES[] = {16, 24, 32, 48, 64, 256};
constexpr const char* ICO_END = ".ico";

// The icon as RGBA bytes, top row first.
std::vector<uint8_t> drawIcon(int side) {
    std::vector<uint32_t> argb(static_cast<size_t>(side) * static_cast<size_t>(side));
    drawGameIcon(argb.data(), side);
    std::vector<uint8_t> rgba;
    for (uint32_t p : argb)
        rgba.insert(rgba.end(), {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                                 static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 24)});
    return rgba;
}

PngPicture iconPicture(const std::vector<uint8_t>& rgba, int side) {
    return PngPicture{rgba.data(), side, side, PngChannels::RGBA};
}

bool endsWith(const char* text, const char* end) {
    const size_t length = std::strlen(text), endLength = std::strlen(end);
    return length > endLength && std::strcmp(text + length - endLength, end) == 0;
}

int writeWindowsIcon(const char* program, const char* path) {
    std::vector<IcoImage> images;
    char problem[PNG_PROBLEM_SIZE];
    for (int side : WINDOWS_SIDES) {
        images.push_back({side, {}});
        if (!encodePng(iconPicture(drawIcon(side), side), &images.back().png, problem)) {
            std::fprintf(stderr, "%s: %s\n", program, problem);
            return 1;
        }
    }
    if (writeIco(path, images)) return 0;
    std::fprintf(stderr, "%s: could not write %s\n", program, path);
    return 1;
}
} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && endsWith(argv[1], ICO_END)) return writeWindowsIcon(argv[0], argv[1]);
    char* end       = nullptr;
    const long side = argc == 3 ? std::strtol(argv[1], &end, 10) : 0;
    if (argc != 3 || *end != '\0' || side < SMALLEST_SIDE || side > LARGEST_SIDE) {
        std::fprintf(stderr,
                     "usage: %s SIDE FILE.png (SIDE from %ld to %ld pixels), or %s FILE.ico\n",
                     argv[0], SMALLEST_SIDE, LARGEST_SIDE, argv[0]);
        return 2;
    }
    const std::vector<uint8_t> pixels = drawIcon(static_cast<int>(side));
    char problem[PNG_PROBLEM_SIZE];
    if (writePng(argv[2], iconPicture(pixels, static_cast<int>(side)), problem)) return 0;
    std::fprintf(stderr, "%s: %s\n", argv[0], problem);
    return 1;
}
