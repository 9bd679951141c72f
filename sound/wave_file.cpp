// readWaveFile and parseWave: the RIFF chunks walked with every length checked against the
// bytes that are there.
#include "sound/wave_file.h"

#include <cstdio>

namespace {
constexpr size_t MAX_WAVE_BYTES = 16u << 20; // far above the longest sound we make
constexpr size_t RIFF_HEADER    = 12;        // "RIFF", size, "WAVE"
constexpr size_t CHUNK_HEADER   = 8;         // id, size
constexpr size_t PCM_FORMAT     = 16;        // the fmt chunk's bytes we read
constexpr uint32_t FORMAT_PCM   = 1;
constexpr int MIN_RATE          = 1000;
constexpr int MAX_RATE          = 192000;

uint32_t littleEndian(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | b[at + i];
    return value;
}

bool isId(const std::vector<uint8_t>& b, size_t at, const char* id) {
    for (int i = 0; i < 4; ++i)
        if (b[at + i] != uint8_t(id[i])) return false;
    return true;
}

bool readFormat(const std::vector<uint8_t>& b, size_t at, WaveSound& sound) {
    if (littleEndian(b, at, 2) != FORMAT_PCM) return false;
    sound.channels      = int(littleEndian(b, at + 2, 2));
    sound.rate          = int(littleEndian(b, at + 4, 4) & 0x7fffffff);
    sound.bitsPerSample = int(littleEndian(b, at + 14, 2));
    return (sound.channels == 1 || sound.channels == 2) &&
           (sound.bitsPerSample == 8 || sound.bitsPerSample == 16) && sound.rate >= MIN_RATE &&
           sound.rate <= MAX_RATE;
}
} // namespace

bool parseWave(const std::vector<uint8_t>& b, WaveSound& sound) {
    sound = WaveSound{};
    if (b.size() < RIFF_HEADER || !isId(b, 0, "RIFF") || !isId(b, 8, "WAVE")) return false;
    bool haveFormat = false;
    for (size_t at = RIFF_HEADER; b.size() - at >= CHUNK_HEADER;) {
        const size_t size = littleEndian(b, at + 4, 4);
        const size_t body = at + CHUNK_HEADER;
        if (size > b.size() - body) return (sound = WaveSound{}, false); // cut short
        if (isId(b, at, "fmt ")) {
            haveFormat = size >= PCM_FORMAT && readFormat(b, body, sound);
            if (!haveFormat) break;
        } else if (isId(b, at, "data") && haveFormat) {
            const size_t frame = size_t(sound.channels * sound.bitsPerSample / 8);
            sound.samples.assign(b.begin() + body, b.begin() + body + size / frame * frame);
            return true;
        }
        at = body + size + (size & 1); // chunks are padded to an even length
        if (at > b.size()) break;
    }
    sound = WaveSound{};
    return false;
}

bool readWaveFile(const char* path, WaveSound& sound) {
    sound         = WaveSound{};
    std::FILE* in = std::fopen(path, "rb");
    if (!in) return false;
    std::vector<uint8_t> bytes(MAX_WAVE_BYTES + 1);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), in));
    std::fclose(in);
    return bytes.size() <= MAX_WAVE_BYTES && parseWave(bytes, sound);
}
