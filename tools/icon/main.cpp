// voranis-icon SIDE FILE.png: writes the game's icon, SIDE pixels square, as a PNG for the
// desktop.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "assets/game_icon.h"
#include "tools/icon/png_file.h"

namespace {
constexpr long SMALLEST_SIDE = 16, LARGEST_SIDE = 512; // the sizes desktops ask for
}

int main(int argc, char** argv) {
    char* end       = nullptr;
    const long side = argc == 3 ? std::strtol(argv[1], &end, 10) : 0;
    if (argc != 3 || *end != '\0' || side < SMALLEST_SIDE || side > LARGEST_SIDE) {
        std::fprintf(stderr, "usage: %s SIDE FILE.png (SIDE from %ld to %ld pixels)\n", argv[0],
                     SMALLEST_SIDE, LARGEST_SIDE);
        return 2;
    }
    std::vector<uint32_t> pixels(static_cast<size_t>(side * side));
    drawGameIcon(pixels.data(), static_cast<int>(side));
    if (!writePng(argv[2], pixels.data(), static_cast<int>(side), static_cast<int>(side))) {
        std::fprintf(stderr, "%s: could not write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
