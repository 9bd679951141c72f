// Fuzzes the universe reader: any bytes fill at most the planets and texture tables.
#include <cstdlib>

#include "world/universe.h"
#include "world/world_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0; // a stream over memory cannot hold nothing
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "r");
    static WorldState world; // too large for the stack
    resetWorld(world);
    UniverseTextures textures{};
    readUniverse(world, file, &textures);
    std::fclose(file);
    if (world.planetCount < 0 || world.planetCount > MAX_PLANETS) std::abort();
    if (textures.count < 0 || textures.count > MAX_UNIVERSE_TEXTURES) std::abort();
    return 0;
}
