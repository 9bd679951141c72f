// A loadTexture without OpenGL for the reader tests: hands out consecutive names from 1 and
// records every file asked for.
#include "tests/assets/fake_textures.h"

std::vector<std::string> fakeTextureFiles;
int fakeNextTextureName = 1;

void resetFakeTextures() {
    fakeTextureFiles.clear();
    fakeNextTextureName = 1;
}

int loadTexture(const char* fileName) {
    fakeTextureFiles.emplace_back(fileName);
    return ++fakeNextTextureName;
}
