// BMP pictures into OpenGL textures with consecutive names from 1.
#pragma once

#include <cstdint>
#include <vector>

constexpr int MAX_TEXTURE_SIDE   = 2048; // and never above what GL_MAX_TEXTURE_SIZE allows
constexpr int TEXTURE_TABLE_SIZE = 30;   // names 1 to 29
constexpr int PLACEHOLDER_SIDE   = 8;    // the checkerboard that stands in for a missing picture
// The GL's names for how it keeps texels: three bytes of colour (which Mesa stores as four),
// or DXT1 blocks of half a byte a texel, offered where the GL names the extension below.
constexpr int32_t TEXELS_RGB         = 3;
constexpr int32_t TEXELS_DXT1        = 0x83F0; // GL_COMPRESSED_RGB_S3TC_DXT1_EXT
constexpr const char* S3TC_EXTENSION = "GL_EXT_texture_compression_s3tc";

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
    std::vector<uint32_t> reserved;       // from glGenTextures; its size is the table's capacity
    int32_t nextTextureName = 1;          // the name the next loadTexture uses
    int32_t boundTexture    = 0;          // the name bindTexture bound last
    int32_t worldTexels     = TEXELS_RGB; // how world textures are kept, chosen by initTextures
};
// Process-wide because the GL context whose names these are is one for the process.
extern TextureNames textureNames;

// Needs the GL context: it also asks the GL whether world textures can be kept compressed.
void initTextures(int count);
// Both return the new texture's name plus one. World textures (models, planets, the sky) get
// mipmaps, so they stay smooth however far away they are, and are kept as DXT1 where the GL
// can: an eighth of the memory, and their noise hides the blocks. Overlay pictures keep a
// single level of exact texels, as mipmaps would blur them where they are drawn smaller than
// their texels and blocks would smear their letters' edges.
int loadTexture(const char* fileName);
int loadOverlayTexture(const char* fileName);
void bindTexture(int name);
// For drawing that binds textures itself: the next bindTexture binds, whatever it names.
void forgetBoundTexture();
void swapRedBlue(uint8_t* buffer, unsigned int byteCount);

// Whether the space-separated extension list names the extension (whole names only).
bool namesExtension(const char* extensions, const char* name);

// The smallest power of two not below side, but never above limit (a power of two).
int powerOfTwoSide(int side, int limit);

// Back to the state before initTextures, for tests that load textures more than once.
void resetTextures();
