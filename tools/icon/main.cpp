// voranis-icon FILE.png: writes the game's window icon as a PNG for the desktop.
#include <cstdio>

#include "app/icon.h"
#include "tools/icon/png_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.png\n", argv[0]);
        return 2;
    }
    uint32_t pixels[ICON_SIDE * ICON_SIDE];
    drawGameIcon(pixels);
    if (!writePng(argv[1], pixels, ICON_SIDE, ICON_SIDE)) {
        std::fprintf(stderr, "%s: could not write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
