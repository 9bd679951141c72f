// Pictures in memory (linear floats, row 0 at the bottom like a BMP) and their BMP files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    float r, g, b;
};

struct Picture {
    int width  = 0;
    int height = 0;
    std::vector<Rgb> pixels; // width * height, bottom row first
};

// One stop of a colour ramp: at `at` (0 to 1, rising along the ramp) the ramp is `colour`.
struct RampStop {
    float at;
    Rgb colour;
};

Picture makePicture(int width, int height); // black
Rgb& pixelAt(Picture& picture, int x, int y);
Rgb pixelAt(const Picture& picture, int x, int y);
void addLight(Picture& picture, int x, int y, Rgb colour, float amount); // skips outside
void blendOver(Picture& picture, int x, int y, Rgb colour, float alpha); // skips outside

Rgb mixRgb(Rgb a, Rgb b, float t);
Rgb scaleRgb(Rgb a, float k);
Rgb addRgb(Rgb a, Rgb b);
Rgb rampColour(const RampStop* stops, int count, float t); // clamps t to the ramp's ends
float clampUnit(float v);
float smoothStep(float edge0, float edge1, float v);

// An uncompressed 24-bit BMP: 54 header bytes, then blue, green, red rows bottom-up. Every
// width we write is a multiple of 4, so rows carry no padding.
std::vector<uint8_t> encodeBmp(const Picture& picture);
bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes);
