// BMP pictures into OpenGL textures with consecutive names from 1.
#pragma once

#include <cstdint>
#include <vector>

constexpr int MAX_TEXTURE_SIDE   = 2048; // and never above what GL_MAX_TEXTURE_SIZE allows
constexpr int TEXTURE_TABLE_SIZE = 30;   // names 1 to 29
constexpr int PLACEHOLDER_SIDE   = 8;    // the checkerboard that stands in for a missing picture

// The scaled image of one texture on its way to the GL: width x height pixels of red, green,
// blue, bottom row first. Freed once uploaded: the GL keeps the texels.
struct TextureImage {
    int32_t width;
    int32_t height;
    std::vector<uint8_t> pixels;
};

// The texture names of the GL context, which lives as long as the process: the names
// reserved, the next one to hand out and the one bound last.
struct TextureNames {
    std::vector<uint32_t> reserved; // from glGenTextures; its size is the table's capacity
    int32_t nextTextureName = 1;    // the name the next loadTexture uses
    int32_t boundTexture    = 0;    // the name bindTexture bound last
};
// Process-wide because the GL context whose names these are is one for the process.
extern TextureNames textureNames;

void initTextures(int count);
// Both return the new texture's name plus one. World textures (models, planets, the sky) get
// mipmaps, so they stay smooth however far away they are; overlay pictures keep a single
// level, as mipmaps would blur them where they are drawn smaller than their texels.
int loadTexture(const char* fileName);
int loadOverlayTexture(const char* fileName);
void bindTexture(int name);
// For drawing that binds textures itself: the next bindTexture binds, whatever it names.
void forgetBoundTexture();
void swapRedBlue(uint8_t* buffer, unsigned int byteCount);

// The smallest power of two not below side, but never above limit (a power of two).
int powerOfTwoSide(int side, int limit);

// Back to the state before initTextures, for tests that load textures more than once.
void resetTextures();
