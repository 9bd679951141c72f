// Fuzzes the BMP reader: a status, and never an image larger than the input could fill.
#include <cstdlib>

#include "assets/bmp_reader.h"
#include "assets/textures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0; // a stream over memory cannot hold nothing
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "r");
    BmpHeader header;
    std::vector<uint8_t> pixels;
    const BmpStatus status = readBmpStream(file, &header, &pixels);
    std::fclose(file);
    const size_t bytes = size_t(header.width) * size_t(header.height) * 3u;
    if (status == BMP_OK && (pixels.size() != bytes || bytes > size)) std::abort();
    swapRedBlue(pixels.data(), unsigned(pixels.size()));
    return 0;
}
