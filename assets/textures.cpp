// BMP pictures into OpenGL textures: the names handed out and the bind cache. Each picture is
// read, scaled, uploaded and freed in turn; only the GL keeps its texels.
#include "assets/textures.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstring>

#include "assets/bmp_reader.h"

TextureNames textureNames;

namespace {

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

// GLU's scaling of a width x height picture into a w x h image; its error code, 0 on success.
GLint scaleWithGlu(const uint8_t* pixels, int width, int height, int w, int h, uint8_t* scaled) {
    // Both images are tightly packed rows: without alignment 1, GLU would look for (and
    // write) row padding that neither buffer has.
    GLint unpackAlignment = 4, packAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpackAlignment);
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    const GLint error = gluScaleImage(GL_RGB, width, height, GL_UNSIGNED_BYTE, pixels, w, h,
                                      GL_UNSIGNED_BYTE, scaled);
    glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    return error;
}

// A width x height picture scaled to powers of two no larger than the GL takes, into image;
// 1 on success, 0 otherwise (image is then left without pixels).
int scaleToPowerOfTwo(const uint8_t* pixels, int width, int height, TextureImage* image) {
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    const int limit = maxSize > MAX_TEXTURE_SIDE || maxSize < 1 ? MAX_TEXTURE_SIDE : maxSize;
    const int w     = powerOfTwoSide(width, limit);
    const int h     = powerOfTwoSide(height, limit);

    const size_t bytes = size_t(w) * size_t(h) * 3u;
    GLint error        = 0;
    if (w == width && h == height) {
        // Already a power of two: GLU would only copy it, and slowly at the sky's sizes.
        image->pixels.assign(pixels, pixels + bytes);
    } else {
        image->pixels.assign(bytes, 0);
        error = scaleWithGlu(pixels, width, height, w, h, image->pixels.data());
    }
    if (error != 0) {
        image->pixels.clear();
        return 0;
    }
    image->width  = w;
    image->height = h;
    return 1;
}

// 1 when the picture was read and scaled into image, 0 otherwise.
int readBmp(const char* fileName, TextureImage* image) {
    FILE* file = std::fopen(fileName, "rb");
    if (!file) return 0;
    BmpHeader header;
    std::vector<uint8_t> pixels;
    const BmpStatus status = readBmpStream(file, &header, &pixels);
    std::fclose(file);
    if (status != BMP_OK) return 0;
    swapRedBlue(pixels.data(), unsigned(pixels.size()));
    return scaleToPowerOfTwo(pixels.data(), header.width, header.height, image);
}

// A mipmapped upload that fails (memory, or a size the GL refuses) falls back to one level,
// so the texture is still complete and shows.
void uploadMipmapped(const TextureImage& image) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    if (gluBuild2DMipmaps(GL_TEXTURE_2D, textureNames.worldTexels, image.width, image.height,
                          GL_RGB, GL_UNSIGNED_BYTE, image.pixels.data()) == 0)
        return;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 image.pixels.data());
}

int loadTextureLevels(const char* fileName, bool mipmapped) {
    const int n = textureNames.nextTextureName;
    if (n >= int(textureNames.reserved.size())) return n; // full: the caller reuses the last name
    TextureImage image{0, 0, {}};
    if (!readBmp(fileName, &image)) makePlaceholder(&image);
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
    textureNames.nextTextureName = n + 1;
    return textureNames.nextTextureName;
}
} // namespace

bool namesExtension(const char* extensions, const char* name) {
    const size_t length = std::strlen(name);
    if (!extensions || length == 0) return false;
    for (const char* at = std::strstr(extensions, name); at; at = std::strstr(at + 1, name)) {
        const bool starts = at == extensions || at[-1] == ' ';
        const bool ends   = at[length] == ' ' || at[length] == '\0';
        if (starts && ends) return true;
    }
    return false;
}

void initTextures(int count) {
    if (count < 0) count = 0;
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    textureNames.worldTexels =
        namesExtension(extensions, S3TC_EXTENSION) ? TEXELS_DXT1 : TEXELS_RGB;
    textureNames.reserved.assign(size_t(count), 0);
    if (count > 0) glGenTextures(count, textureNames.reserved.data());
}

void resetTextures() {
    textureNames = TextureNames{};
}

int loadTexture(const char* fileName) {
    return loadTextureLevels(fileName, true);
}

int loadOverlayTexture(const char* fileName) {
    return loadTextureLevels(fileName, false);
}

void bindTexture(int name) {
    if (name == textureNames.boundTexture) return;
    glBindTexture(GL_TEXTURE_2D, GLuint(name));
    textureNames.boundTexture = name;
}

void forgetBoundTexture() {
    textureNames.boundTexture = 0;
}
