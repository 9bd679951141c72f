// The whole asset pack: every file the game reads, by name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct AssetFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

// Models, then pictures, the universe, the arenas (in a folder of their own) and the
// sounds. The same bytes on every run.
std::vector<AssetFile> makeAssetPack();

// Writes the pack into `directory`, making the folders it needs; false when a file could
// not be written.
bool writeAssetPack(const std::string& directory);
