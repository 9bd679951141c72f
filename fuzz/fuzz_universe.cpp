// Fuzzes the universe reader: any bytes fill at most the planets and texture tables.
#include <cstdlib>

#include "fuzz/memory_file.h"
#include "world/universe.h"
#include "world/world_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = openInput(data, size);
    if (!file) return 0;
    resetWorld();
    UniverseTextures textures{};
    readUniverse(file, &textures);
    std::fclose(file);
    if (planetCount < 0 || planetCount > MAX_PLANETS) std::abort();
    if (textures.count < 0 || textures.count > MAX_UNIVERSE_TEXTURES) std::abort();
    return 0;
}
