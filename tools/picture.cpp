// Picture pixels, colour arithmetic and the 24-bit BMP encoder.
#include "tools/picture.h"

#include <cmath>
#include <cstdio>

Picture makePicture(int width, int height) {
    Picture picture;
    picture.width  = width;
    picture.height = height;
    picture.pixels.assign(static_cast<size_t>(width) * height, Rgb{0, 0, 0});
    return picture;
}

Rgb& pixelAt(Picture& picture, int x, int y) {
    return picture.pixels[static_cast<size_t>(y) * picture.width + x];
}

Rgb pixelAt(const Picture& picture, int x, int y) {
    return picture.pixels[static_cast<size_t>(y) * picture.width + x];
}

void addLight(Picture& picture, int x, int y, Rgb colour, float amount) {
    if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) return;
    Rgb& p = pixelAt(picture, x, y);
    p      = addRgb(p, scaleRgb(colour, amount));
}

void blendOver(Picture& picture, int x, int y, Rgb colour, float alpha) {
    if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) return;
    Rgb& p = pixelAt(picture, x, y);
    p      = mixRgb(p, colour, clampUnit(alpha));
}

Rgb mixRgb(Rgb a, Rgb b, float t) {
    return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scaleRgb(Rgb a, float k) {
    return Rgb{a.r * k, a.g * k, a.b * k};
}

Rgb addRgb(Rgb a, Rgb b) {
    return Rgb{a.r + b.r, a.g + b.g, a.b + b.b};
}

Rgb rampColour(const RampStop* stops, int count, float t) {
    if (t <= stops[0].at) return stops[0].colour;
    for (int i = 1; i < count; ++i) {
        if (t <= stops[i].at) {
            const float span = stops[i].at - stops[i - 1].at;
            return mixRgb(stops[i - 1].colour, stops[i].colour, (t - stops[i - 1].at) / span);
        }
    }
    return stops[count - 1].colour;
}

float clampUnit(float v) {
    return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
}

float smoothStep(float edge0, float edge1, float v) {
    const float t = clampUnit((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

namespace {
constexpr int BMP_HEADER_BYTES = 54;

void putLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint8_t toByte(float v) {
    return static_cast<uint8_t>(std::lround(clampUnit(v) * 255.0f));
}
} // namespace

std::vector<uint8_t> encodeBmp(const Picture& picture) {
    const uint32_t dataBytes = static_cast<uint32_t>(picture.width) * picture.height * 3u;
    std::vector<uint8_t> out;
    out.reserve(BMP_HEADER_BYTES + dataBytes);
    out.push_back('B');
    out.push_back('M');
    putLittleEndian(out, BMP_HEADER_BYTES + dataBytes, 4);
    putLittleEndian(out, 0, 4);                // reserved
    putLittleEndian(out, BMP_HEADER_BYTES, 4); // pixel data offset
    putLittleEndian(out, 40, 4);               // information header size
    putLittleEndian(out, static_cast<uint32_t>(picture.width), 4);
    putLittleEndian(out, static_cast<uint32_t>(picture.height), 4);
    putLittleEndian(out, 1, 2);  // planes
    putLittleEndian(out, 24, 2); // bits per pixel
    putLittleEndian(out, 0, 4);  // no compression
    putLittleEndian(out, dataBytes, 4);
    putLittleEndian(out, 2835, 4); // 72 dots per inch, both ways
    putLittleEndian(out, 2835, 4);
    putLittleEndian(out, 0, 4); // no palette
    putLittleEndian(out, 0, 4);
    for (const Rgb& p : picture.pixels) {
        out.push_back(toByte(p.b));
        out.push_back(toByte(p.g));
        out.push_back(toByte(p.r));
    }
    return out;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
    return std::fclose(file) == 0 && written == bytes.size();
}
