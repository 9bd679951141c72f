// The universe file: planet textures and the planets table.
#include "world/universe.h"

#include <cstdlib>
#include <cstring>

#include "assets/textures.h"
#include "world/world_state.h"

void readUniverseLine(const char* line, bool* firstTexture) {
    char name[UNIVERSE_LINE_SIZE + 4];
    if (std::sscanf(line, "TEXTURE %255s", name) == 1) {
        std::strcat(name, ".bmp");
        const int next = loadTexture(name);
        // Later TEXTURE lines follow on with consecutive names.
        if (*firstTexture) planetTextureBase = next - 1;
        *firstTexture = false;
        return;
    }

    float pos[3] = {0.0f, 0.0f, 0.0f};
    float radius = 0.0f, spin = 0.0f;
    int texture = 0;
    char rest[UNIVERSE_LINE_SIZE];
    const int read = std::sscanf(line, "PLANET %f %f %f %f %d %f%255s", &pos[0], &pos[1], &pos[2],
                                 &radius, &texture, &spin, rest);
    // A keyword alone, or a word where x should be, adds nothing; so does a full table.
    if (read < 1 || planetCount >= MAX_PLANETS || planetCount < 0) return;
    const int i = planetCount++;
    std::memcpy(planets.pos[i], pos, sizeof pos);
    planets.radius[i]  = radius;
    planets.texture[i] = texture;
    planets.spin[i]    = spin;
}

void readUniverse(FILE* file) {
    char line[UNIVERSE_LINE_SIZE];
    bool firstTexture = true;
    while (std::fgets(line, UNIVERSE_LINE_SIZE - 1, file))
        readUniverseLine(line, &firstTexture);
}

void loadUniverse(const char* fileName) {
    FILE* file = std::fopen(fileName, "rb");
    if (!file) std::exit(1);
    readUniverse(file);
    std::fclose(file);
}
