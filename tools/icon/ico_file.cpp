// The .ico layout: a 6-byte header, a 16-byte entry for each image, then the images.
#include "tools/icon/ico_file.h"

#include <fstream>

namespace {
constexpr uint16_t ICON_TYPE       = 1;
constexpr std::size_t HEADER_BYTES = 6;
constexpr std::size_t ENTRY_BYTES  = 16;
constexpr uint16_t COLOUR_PLANES   = 1;
constexpr uint16_t BITS_PER_PIXEL  = 32;
constexpr int LARGEST_SIDE         = 256; // written as 0: a byte holds no more

void putWord(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void putLong(std::vector<uint8_t>& out, uint32_t value) {
    putWord(out, static_cast<uint16_t>(value & 0xFFFF));
    putWord(out, static_cast<uint16_t>(value >> 16));
}
} // namespace

std::vector<uint8_t> encodeIco(const std::vector<IcoImage>& images) {
    std::vector<uint8_t> out;
    putWord(out, 0);
    putWord(out, ICON_TYPE);
    putWord(out, static_cast<uint16_t>(images.size()));
    std::size_t offset = HEADER_BYTES + ENTRY_BYTES * images.size();
    for (const IcoImage& image : images) {
        const uint8_t side = image.side >= LARGEST_SIDE ? 0 : static_cast<uint8_t>(image.side);
        out.push_back(side); // width
        out.push_back(side); // height
        out.push_back(0);    // no palette
        out.push_back(0);    // reserved
        putWord(out, COLOUR_PLANES);
        putWord(out, BITS_PER_PIXEL);
        putLong(out, static_cast<uint32_t>(image.png.size()));
        putLong(out, static_cast<uint32_t>(offset));
        offset += image.png.size();
    }
    for (const IcoImage& image : images)
        out.insert(out.end(), image.png.begin(), image.png.end());
    return out;
}

bool writeIco(const std::string& path, const std::vector<IcoImage>& images) {
    const std::vector<uint8_t> bytes = encodeIco(images);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}
