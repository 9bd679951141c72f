// Pictures kept for a person to look at.
#include "tests/support/picture.h"

#include <cstdio>

bool savePicture(const Picture& picture, const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    std::fprintf(f, "P6\n%d %d\n255\n", picture.width, picture.height);
    std::fwrite(picture.rgb.data(), 1, picture.rgb.size(), f);
    return std::fclose(f) == 0;
}
