// The two sounds' files, read without any audio library: a backend that has no WAV loader of
// its own (DirectSound) plays these samples.
#pragma once

#include <cstdint>
#include <vector>

struct WaveSound {
    int channels      = 0; // 1 or 2
    int bitsPerSample = 0; // 8 or 16
    int rate          = 0; // frames a second
    std::vector<uint8_t> samples;
};

// Reads an uncompressed PCM RIFF/WAVE file. False, with sound emptied, when the file is
// missing, larger than any sound of ours, or not such a file.
bool readWaveFile(const char* path, WaveSound& sound);
// The same from bytes in memory.
bool parseWave(const std::vector<uint8_t>& bytes, WaveSound& sound);
