// voranis-icon SIDE FILE.png: writes the game's icon, SIDE pixels square, as a PNG for the
// desktop. voranis-icon FILE.ico: the icon at every size Windows' shell shows, in one file.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "assets/game_icon.h"
#include "tools/icon/ico_file.h"
#include "tools/icon/png_file.h"

namespace {
constexpr long SMALLEST_SIDE = 16, LARGEST_SIDE = 512; // the sizes desktops ask for
constexpr int WINDOWS_SIDES[] = {16, 24, 32, 48, 64, 256};
constexpr const char* ICO_END = ".ico";

std::vector<uint32_t> drawIcon(int side) {
    std::vector<uint32_t> pixels(static_cast<size_t>(side) * static_cast<size_t>(side));
    drawGameIcon(pixels.data(), side);
    return pixels;
}

bool endsWith(const char* text, const char* end) {
    const size_t length = std::strlen(text), endLength = std::strlen(end);
    return length > endLength && std::strcmp(text + length - endLength, end) == 0;
}

int writeWindowsIcon(const char* program, const char* path) {
    std::vector<IcoImage> images;
    for (int side : WINDOWS_SIDES)
        images.push_back({side, encodePng(drawIcon(side).data(), side, side)});
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
    const std::vector<uint32_t> pixels = drawIcon(static_cast<int>(side));
    if (!writePng(argv[2], pixels.data(), static_cast<int>(side), static_cast<int>(side))) {
        std::fprintf(stderr, "%s: could not write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
