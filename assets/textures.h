// BMP pictures into OpenGL textures with consecutive names from 1.
#pragma once

#include <cstdint>
#include <vector>

constexpr int MAX_TEXTURE_SIDE   = 2048; // and never above what GL_MAX_TEXTURE_SIZE allows
constexpr int TEXTURE_TABLE_SIZE = 30;   // names 1 to 29
constexpr int PLACEHOLDER_SIDE   = 8;    // the checkerboard that stands in for a missing picture

// The scaled image of one texture: width x height pixels of red, green, blue, bottom row
// first. Empty until the texture is loaded.
struct TextureImage {
    int32_t width;
    int32_t height;
    std::vector<uint8_t> pixels;
};

extern std::vector<TextureImage> textureTable; // entry n belongs to texture name n
extern int32_t nextTextureName;                // the name the next loadTexture uses
extern int32_t boundTexture;                   // the name bindTexture bound last
extern int32_t imageWidth, imageHeight;        // the picture being loaded
extern int32_t textureWidth, textureHeight;    // the last image scaled successfully

void initTextures(int count);
// Both return the new texture's name plus one. World textures (models, planets, the sky) get
// mipmaps, so they stay smooth however far away they are; overlay pictures keep a single
// level, as mipmaps would blur them where they are drawn smaller than their texels.
int loadTexture(const char* fileName);
int loadOverlayTexture(const char* fileName);
void bindTexture(int name);
int readBmp(const char* fileName, int name);
int scaleToPowerOfTwo(const uint8_t* pixels, int name);
void swapRedBlue(uint8_t* buffer, unsigned int byteCount);

// The smallest power of two not below side, but never above limit (a power of two).
int powerOfTwoSide(int side, int limit);

// Back to the state before initTextures, for tests that load textures more than once.
void resetTextures();
