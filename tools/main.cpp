// voranis-assets DIRECTORY: writes the game's models, pictures, universe, arenas and sounds
// there.
#include <cstdio>

#include "tools/asset_pack.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
        return 2;
    }
    if (!writeAssetPack(argv[1])) {
        std::fprintf(stderr, "%s: could not write every file into %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
