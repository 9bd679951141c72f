// The universe file: PLANET lines fill the planets table, TEXTURE lines name the planets'
// pictures, which the asset loader turns into textures in the order given.
//
//   TEXTURE <name>                                  the picture <name>.bmp
//   PLANET <x> <y> <z> <radius> <texture> <spin> [word]
//
// The keyword stands at the first character and is case-sensitive; other lines are ignored.
#pragma once

#include <cstdio>

struct WorldState;

constexpr const char* UNIVERSE_FILE = "universe.uni";
constexpr int UNIVERSE_LINE_SIZE    = 256; // lines are read in pieces of at most 254 characters
constexpr int UNIVERSE_NAME_SIZE    = UNIVERSE_LINE_SIZE + 4; // a name and ".bmp"
// More names than the texture table can ever hold; later TEXTURE lines add nothing.
constexpr int MAX_UNIVERSE_TEXTURES = 32;

struct UniverseTextures {
    int count;
    char fileName[MAX_UNIVERSE_TEXTURES][UNIVERSE_NAME_SIZE];
};

// Opens and reads the file; false, with errno telling why, when it cannot be opened.
bool loadUniverse(WorldState& world, const char* fileName, UniverseTextures* textures);

// Reads every line of an open stream.
void readUniverse(WorldState& world, FILE* file, UniverseTextures* textures);

// One line (a piece of at most 254 characters).
void readUniverseLine(WorldState& world, const char* line, UniverseTextures* textures);
