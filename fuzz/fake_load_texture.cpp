// Texture loading without OpenGL for the fuzzers: hands out names as the real one does.
#include "assets/textures.h"

namespace {
int fuzzNextTextureName = 1;
}

int loadTexture(const char*) {
    if (fuzzNextTextureName < TEXTURE_TABLE_SIZE) ++fuzzNextTextureName;
    return fuzzNextTextureName;
}
