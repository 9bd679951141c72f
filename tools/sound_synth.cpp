// Sound synthesis from oscillators, filtered noise and envelopes, then the WAV encoder.
#include "tools/sound_synth.h"

#include <cmath>

#include "tools/seeded_random.h"

namespace {
constexpr float TWO_PI        = 6.2831853f;
constexpr float SHOT_SECONDS  = 0.45f;
constexpr float BLAST_SECONDS = 1.8f;
constexpr float PEAK          = 0.85f; // of full scale, leaving headroom

// One-pole low-pass: follows its input with a cut-off frequency in hertz.
struct LowPass {
    float value = 0.0f;
    float step(float input, float cutoff) {
        value += (1.0f - std::exp(-TWO_PI * cutoff / SOUND_RATE)) * (input - value);
        return value;
    }
};

std::vector<int16_t> toPcm(const std::vector<float>& wave) {
    float loudest = 1e-6f;
    for (float v : wave)
        loudest = std::fmax(loudest, std::fabs(v));
    std::vector<int16_t> pcm;
    pcm.reserve(wave.size());
    for (float v : wave)
        pcm.push_back(static_cast<int16_t>(std::lround(v / loudest * PEAK * 32767.0f)));
    return pcm;
}

float attack(float t) {
    return t < 0.004f ? t / 0.004f : 1.0f;
}

void putLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
} // namespace

// A falling whistle over a short hiss: the rocket leaving its rail.
std::vector<int16_t> makeShotSound() {
    const int count     = static_cast<int>(SHOT_SECONDS * SOUND_RATE);
    SeededRandom random = seededRandom(5001);
    LowPass hiss;
    std::vector<float> wave(count);
    float phase = 0.0f;
    for (int i = 0; i < count; ++i) {
        const float t    = static_cast<float>(i) / SOUND_RATE;
        const float freq = 1500.0f * std::exp(-7.0f * t) + 160.0f;
        phase += TWO_PI * freq / SOUND_RATE;
        const float tone = std::tanh(2.5f * std::sin(phase)) + 0.3f * std::sin(2.0f * phase);
        const float noise =
            hiss.step(nextRange(random, -1.0f, 1.0f), 4000.0f * std::exp(-6.0f * t) + 300.0f);
        wave[i] =
            attack(t) * (0.55f * tone * std::exp(-6.0f * t) + 1.2f * noise * std::exp(-14.0f * t));
    }
    return toPcm(wave);
}

// A sharp crack, a roar that darkens as it fades, a low rumble and scattered crackles.
std::vector<int16_t> makeExplosionSound() {
    const int count     = static_cast<int>(BLAST_SECONDS * SOUND_RATE);
    SeededRandom random = seededRandom(5002);
    LowPass roar, roarSmooth, crackle;
    std::vector<float> wave(count);
    float rumblePhase = 0.0f, crackleLevel = 0.0f;
    for (int i = 0; i < count; ++i) {
        const float t      = static_cast<float>(i) / SOUND_RATE;
        const float white  = nextRange(random, -1.0f, 1.0f);
        const float cutoff = 2800.0f * std::exp(-2.5f * t) + 150.0f;
        const float body = roarSmooth.step(roar.step(white, cutoff), cutoff) * std::exp(-2.0f * t);
        rumblePhase += TWO_PI * (50.0f * std::exp(-1.2f * t) + 28.0f) / SOUND_RATE;
        const float rumble = 0.5f * std::sin(rumblePhase) * std::exp(-1.6f * t);
        const float crack  = white * std::exp(-40.0f * t);
        // Crackles: random short bursts, fewer as the blast dies away.
        if (nextUnit(random) < 0.0025f * std::exp(-1.5f * t))
            crackleLevel = nextRange(random, 0.3f, 0.8f);
        crackleLevel *= 0.995f;
        const float pops = crackle.step(white * crackleLevel, 2500.0f);
        wave[i]          = attack(t) * (2.2f * body + rumble + 0.7f * crack + 0.8f * pops);
    }
    return toPcm(wave);
}

std::vector<uint8_t> encodeWav(const std::vector<int16_t>& samples, int rate) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size()) * 2u;
    std::vector<uint8_t> out;
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    putLittleEndian(out, 36 + dataBytes, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLittleEndian(out, 16, 4); // format chunk size
    putLittleEndian(out, 1, 2);  // PCM
    putLittleEndian(out, 1, 2);  // mono, so the listener can place it
    putLittleEndian(out, static_cast<uint32_t>(rate), 4);
    putLittleEndian(out, static_cast<uint32_t>(rate) * 2u, 4); // bytes per second
    putLittleEndian(out, 2, 2);                                // bytes per sample frame
    putLittleEndian(out, 16, 2);                               // bits per sample
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    putLittleEndian(out, dataBytes, 4);
    for (int16_t s : samples)
        putLittleEndian(out, static_cast<uint16_t>(s), 2);
    return out;
}
