// Fuzzes the universe reader: any bytes fill at most the planets table.
#include <cstdlib>

#include "fuzz/memory_file.h"
#include "world/universe.h"
#include "world/world_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = openInput(data, size);
    if (!file) return 0;
    resetWorld();
    readUniverse(file);
    std::fclose(file);
    if (planetCount < 0 || planetCount > MAX_PLANETS) std::abort();
    return 0;
}
