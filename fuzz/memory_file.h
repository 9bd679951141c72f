// The fuzzer's input as a read-only stream, so the readers take it as they take a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Null for an empty input, which a stream over memory cannot hold.
inline FILE* openInput(const uint8_t* data, size_t size) {
    if (size == 0) return nullptr;
    return fmemopen(const_cast<uint8_t*>(data), size, "r");
}
