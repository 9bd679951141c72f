// The universe file: planet picture names and the planets table.
#include "world/universe.h"

#include <cstring>

#include "world/world_state.h"

void readUniverseLine(WorldState& world, const char* line, UniverseTextures* textures) {
    char name[UNIVERSE_NAME_SIZE];
    if (std::sscanf(line, "TEXTURE %255s", name) == 1) {
        if (textures->count < 0 || textures->count >= MAX_UNIVERSE_TEXTURES) return;
        std::strcat(name, ".bmp");
        std::memcpy(textures->fileName[textures->count++], name, sizeof name);
        return;
    }

    float pos[3] = {0.0f, 0.0f, 0.0f};
    float radius = 0.0f, spin = 0.0f;
    int texture = 0;
    char rest[UNIVERSE_LINE_SIZE];
    const int read = std::sscanf(line, "PLANET %f %f %f %f %d %f%255s", &pos[0], &pos[1], &pos[2],
                                 &radius, &texture, &spin, rest);
    // A keyword alone, or a word where x should be, adds nothing; so does a full table.
    if (read < 1 || world.planetCount >= MAX_PLANETS || world.planetCount < 0) return;
    const int i = world.planetCount++;
    std::memcpy(world.planets.pos[i], pos, sizeof pos);
    world.planets.radius[i]  = radius;
    world.planets.texture[i] = texture;
    world.planets.spin[i]    = spin;
}

void readUniverse(WorldState& world, FILE* file, UniverseTextures* textures) {
    char line[UNIVERSE_LINE_SIZE];
    textures->count = 0;
    while (std::fgets(line, UNIVERSE_LINE_SIZE - 1, file))
        readUniverseLine(world, line, textures);
}

bool loadUniverse(WorldState& world, const char* fileName, UniverseTextures* textures) {
    textures->count = 0;
    FILE* file      = std::fopen(fileName, "rb");
    if (!file) return false;
    readUniverse(world, file, textures);
    std::fclose(file);
    return true;
}
