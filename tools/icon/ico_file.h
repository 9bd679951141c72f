// A Windows icon file holding PNG images, which Windows reads since Vista.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct IcoImage {
    int side; // pixels, from 1 to 256
    std::vector<uint8_t> png;
};

// The .ico file's bytes: its directory, then each PNG whole.
std::vector<uint8_t> encodeIco(const std::vector<IcoImage>& images);

// Writes them to path; false when the file could not be written.
bool writeIco(const std::string& path, const std::vector<IcoImage>& images);
