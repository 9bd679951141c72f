// The picture's checks before the system's encoder, and the file after it.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "png/png_encoder.h"
#include "png/png_picture.h"

bool encodePng(const PngPicture& picture, std::vector<uint8_t>* bytes,
               char problem[PNG_PROBLEM_SIZE]) {
    if (!picture.pixels || picture.width < 1 || picture.height < 1 ||
        picture.width > PNG_LARGEST_SIDE || picture.height > PNG_LARGEST_SIDE) {
        std::snprintf(problem, PNG_PROBLEM_SIZE, "a %d x %d picture cannot be a PNG file",
                      picture.width, picture.height);
        return false;
    }
    bytes->clear();
    return systemEncodePng(picture, bytes, problem);
}

bool writePng(const char* path, const PngPicture& picture, char problem[PNG_PROBLEM_SIZE]) {
    std::vector<uint8_t> bytes;
    if (!encodePng(picture, &bytes, problem)) return false;
    FILE* file = std::fopen(path, "wb");
    if (!file) {
        std::snprintf(problem, PNG_PROBLEM_SIZE, "could not make %s: %s", path,
                      std::strerror(errno));
        return false;
    }
    // A full disk may show only when the last bytes leave, at the close.
    const bool written   = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeError = errno;
    const bool closed    = std::fclose(file) == 0;
    if (written && closed) return true;
    std::snprintf(problem, PNG_PROBLEM_SIZE, "could not write %s: %s", path,
                  std::strerror(written ? errno : writeError));
    std::remove(path); // no half a picture left behind
    return false;
}
