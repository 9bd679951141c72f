// A tiny PNG writer: 8-bit RGBA, one uncompressed (stored) deflate stream, no libraries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The PNG file's bytes for width x height ARGB pixels, rows from the top.
std::vector<uint8_t> encodePng(const uint32_t* argb, int width, int height);

// Writes them to path; false when the file could not be written.
bool writePng(const std::string& path, const uint32_t* argb, int width, int height);
