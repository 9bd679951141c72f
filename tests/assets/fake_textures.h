// The stand-in loadTexture of the reader tests.
#pragma once

#include <string>
#include <vector>

extern std::vector<std::string> fakeTextureFiles; // every file loadTexture was given
extern int fakeNextTextureName;

void resetFakeTextures();
