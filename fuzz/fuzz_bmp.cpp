// Fuzzes the BMP reader: any bytes give a status, never a read outside the image, and never
// an image larger than the input could fill.
#include <cstdlib>

#include "assets/bmp_reader.h"
#include "assets/textures.h"
#include "fuzz/memory_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = openInput(data, size);
    if (!file) return 0;
    BmpHeader header;
    std::vector<uint8_t> pixels;
    const BmpStatus status = readBmpStream(file, &header, &pixels);
    std::fclose(file);
    if (status == BMP_OK) {
        if (pixels.size() != size_t(header.width) * size_t(header.height) * 3u) std::abort();
        if (pixels.size() > size) std::abort();
        swapRedBlue(pixels.data(), unsigned(pixels.size()));
    }
    return 0;
}
