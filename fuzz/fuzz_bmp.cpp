// Fuzzes the BMP reader: any bytes give a status, never a read outside the image.
#include <cstdlib>

#include "assets/bmp_reader.h"
#include "assets/textures.h"
#include "fuzz/memory_file.h"

namespace {
// Larger (valid) pictures only cost time zero-filling; their headers are still checked.
constexpr size_t FUZZ_MAX_PIXEL_BYTES = size_t(1) << 22;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size >= size_t(BMP_HEADER_SIZE)) {
        BmpHeader header;
        if (parseBmpHeader(data, &header) == BMP_OK &&
            size_t(header.width) * size_t(header.height) * 3u > FUZZ_MAX_PIXEL_BYTES) {
            return 0;
        }
    }
    FILE* file = openInput(data, size);
    if (!file) return 0;
    BmpHeader header;
    std::vector<uint8_t> pixels;
    const BmpStatus status = readBmpStream(file, &header, &pixels);
    std::fclose(file);
    if (status == BMP_OK) {
        if (pixels.size() != size_t(header.width) * size_t(header.height) * 3u) std::abort();
        swapRedBlue(pixels.data(), unsigned(pixels.size()));
    }
    return 0;
}
