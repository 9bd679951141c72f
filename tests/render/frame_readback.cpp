// Reading back what was drawn, and PPM pictures.
#include "tests/render/frame_readback.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>

Frame readBackBuffer(int width, int height) {
    Frame frame;
    frame.width  = width;
    frame.height = height;
    frame.rgb.resize(size_t(width) * height * 3);
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
    return frame;
}

PixelPos eyeToPixel(float x, float y, float z, int width, int height) {
    const double halfHeight = -z * std::tan(30.0 * M_PI / 180.0);
    const double aspect     = double(width) / height;
    const double ndcX       = x / (halfHeight * aspect);
    const double ndcY       = y / halfHeight;
    return {int(std::floor((ndcX + 1.0) * 0.5 * width)),
            int(std::floor((ndcY + 1.0) * 0.5 * height))};
}

bool writePpm(const Frame& frame, const char* path) {
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    std::fprintf(f, "P6\n%d %d\n255\n", frame.width, frame.height);
    for (int y = frame.height - 1; y >= 0; --y)
        std::fwrite(frame.at(0, y), 3, frame.width, f);
    return std::fclose(f) == 0;
}

Frame readPpm(const char* path) {
    Frame frame;
    FILE* f = std::fopen(path, "rb");
    if (!f) return frame;
    int w = 0, h = 0, maxValue = 0;
    if (std::fscanf(f, "P6 %d %d %d", &w, &h, &maxValue) == 3 && maxValue == 255 && w > 0 &&
        h > 0 && w <= 4096 && h <= 4096 && std::fgetc(f) != EOF) {
        frame.width  = w;
        frame.height = h;
        frame.rgb.resize(size_t(w) * h * 3);
        bool complete = true;
        for (int y = h - 1; y >= 0 && complete; --y)
            complete = std::fread(&frame.rgb[size_t(y) * w * 3], 3, w, f) == size_t(w);
        if (!complete) frame = Frame{};
    }
    std::fclose(f);
    return frame;
}
