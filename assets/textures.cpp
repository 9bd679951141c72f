// BMP pictures into OpenGL textures: the texture table, the name counter and the bind cache.
#include "assets/textures.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

#include "assets/bmp_reader.h"

std::vector<TextureImage> textureTable;
int32_t nextTextureName = 1;
int32_t boundTexture    = 0;
int32_t imageWidth      = 0;
int32_t imageHeight     = 0;
int32_t textureWidth    = MAX_TEXTURE_SIDE;
int32_t textureHeight   = MAX_TEXTURE_SIDE;

namespace {
std::vector<GLuint> reservedNames;

// Magenta and black squares: a missing picture should be impossible to overlook.
void makePlaceholder(TextureImage* image) {
    image->width  = PLACEHOLDER_SIDE;
    image->height = PLACEHOLDER_SIDE;
    image->pixels.assign(PLACEHOLDER_SIDE * PLACEHOLDER_SIDE * 3, 0);
    for (int y = 0; y < PLACEHOLDER_SIDE; ++y) {
        for (int x = 0; x < PLACEHOLDER_SIDE; ++x) {
            if (((x / 2) + (y / 2)) % 2 != 0) continue;
            uint8_t* p = &image->pixels[(y * PLACEHOLDER_SIDE + x) * 3];
            p[0]       = 255;
            p[2]       = 255;
        }
    }
}

bool isTableEntry(int name) {
    return name > 0 && name < int(textureTable.size());
}

// GLU's scaling of the picture being loaded into a w x h image; its error code, 0 on success.
GLint scaleWithGlu(const uint8_t* pixels, int w, int h, uint8_t* scaled) {
    // Both images are tightly packed rows: without alignment 1, GLU would look for (and
    // write) row padding that neither buffer has.
    GLint unpackAlignment = 4, packAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpackAlignment);
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    const GLint error = gluScaleImage(GL_RGB, imageWidth, imageHeight, GL_UNSIGNED_BYTE, pixels, w,
                                      h, GL_UNSIGNED_BYTE, scaled);
    glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    return error;
}

// A mipmapped upload that fails (memory, or a size the GL refuses) falls back to one level,
// so the texture is still complete and shows.
void uploadMipmapped(const TextureImage& image) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    if (gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE,
                          image.pixels.data()) == 0)
        return;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 image.pixels.data());
}

int loadTextureLevels(const char* fileName, bool mipmapped) {
    const int n = nextTextureName;
    if (n >= int(textureTable.size())) return n; // full: the caller reuses the last name
    TextureImage& image = textureTable[size_t(n)];
    if (!readBmp(fileName, n)) makePlaceholder(&image);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, GLuint(n));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    if (mipmapped) {
        uploadMipmapped(image);
    } else {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, 3, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     image.pixels.data());
    }
    nextTextureName = n + 1;
    return nextTextureName;
}
} // namespace

void initTextures(int count) {
    if (count < 0) count = 0;
    textureTable.assign(size_t(count), TextureImage{0, 0, {}});
    reservedNames.assign(size_t(count), 0);
    if (count > 0) glGenTextures(count, reservedNames.data());
}

void resetTextures() {
    textureTable.clear();
    reservedNames.clear();
    nextTextureName = 1;
    boundTexture    = 0;
    imageWidth = imageHeight = 0;
    textureWidth = textureHeight = MAX_TEXTURE_SIDE;
}

int loadTexture(const char* fileName) {
    return loadTextureLevels(fileName, true);
}

int loadOverlayTexture(const char* fileName) {
    return loadTextureLevels(fileName, false);
}

void bindTexture(int name) {
    if (name == boundTexture) return;
    glBindTexture(GL_TEXTURE_2D, GLuint(name));
    boundTexture = name;
}

// 1 when the picture was read and scaled into entry name, 0 otherwise (the entry is then
// left without an image).
int readBmp(const char* fileName, int name) {
    if (!isTableEntry(name)) return 0;
    FILE* file = std::fopen(fileName, "rb");
    if (!file) return 0;
    BmpHeader header;
    std::vector<uint8_t> pixels;
    const BmpStatus status = readBmpStream(file, &header, &pixels);
    std::fclose(file);
    if (status != BMP_OK) return 0;
    imageWidth  = header.width;
    imageHeight = header.height;
    swapRedBlue(pixels.data(), unsigned(pixels.size()));
    return scaleToPowerOfTwo(pixels.data(), name);
}

int scaleToPowerOfTwo(const uint8_t* pixels, int name) {
    if (!isTableEntry(name)) return 0;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    const int limit = maxSize > MAX_TEXTURE_SIDE || maxSize < 1 ? MAX_TEXTURE_SIDE : maxSize;
    const int w     = powerOfTwoSide(imageWidth, limit);
    const int h     = powerOfTwoSide(imageHeight, limit);

    TextureImage& image = textureTable[size_t(name)];
    const size_t bytes  = size_t(w) * size_t(h) * 3u;
    GLint error         = 0;
    if (w == imageWidth && h == imageHeight) {
        // Already a power of two: GLU would only copy it, and slowly at the sky's sizes.
        image.pixels.assign(pixels, pixels + bytes);
    } else {
        image.pixels.assign(bytes, 0);
        error = scaleWithGlu(pixels, w, h, image.pixels.data());
    }
    if (error != 0) {
        image.pixels.clear();
        return 0;
    }
    image.width   = w;
    image.height  = h;
    textureWidth  = w;
    textureHeight = h;
    return 1;
}
