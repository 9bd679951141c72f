// The arena file's CRC, read in pieces.
#include "demo/demo_arena.h"

#include <cstdio>

#include "net/arena.h"
#include "net/crc32.h"

uint32_t demoArenaCrc(const char* name) {
    if (name == nullptr || name[0] == '\0') return 0;
    char path[256];
    std::snprintf(path, sizeof path, "%s/%s%s", ARENA_FOLDER, name, ARENA_FILE_END);
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return 0;
    uint32_t crc = 0;
    uint8_t piece[4096];
    size_t got = 0;
    while ((got = std::fread(piece, 1, sizeof piece, file)) > 0)
        crc = crc32(crc, piece, got);
    std::fclose(file);
    return crc;
}
