// The universe file: TEXTURE lines load the planet textures, PLANET lines fill the planets.
//
//   TEXTURE <name>                                  loads <name>.bmp
//   PLANET <x> <y> <z> <radius> <texture> <spin> [word]
//
// The keyword stands at the first character and is case-sensitive; other lines are ignored.
#pragma once

#include <cstdio>

constexpr int UNIVERSE_LINE_SIZE = 256; // lines are read in pieces of at most 254 characters

// Reads the file, or ends the process with exit status 1 when it cannot be opened.
void loadUniverse(const char* fileName);

// Reads every line of an open stream; plain code that never exits.
void readUniverse(FILE* file);

// One line (a piece of at most 254 characters). firstTexture is true until the first
// TEXTURE line has been met; the line clears it.
void readUniverseLine(const char* line, bool* firstTexture);
