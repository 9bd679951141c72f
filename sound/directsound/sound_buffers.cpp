// The two sounds' buffers: filled from the WAV files, placed, and restarted.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "sound/directsound/sound_player.h"
#include "sound/placement.h"
#include "sound/wave_file.h"

namespace {
constexpr float HUNDREDTHS_PER_BEL = 2000.0f; // 20 log10 for amplitude, in 1/100 dB

// An amplitude ratio in DirectSound's hundredths of a decibel, never below its silence.
long hundredthsOfDecibel(float ratio) {
    if (!(ratio > 0.0f)) return DSBVOLUME_MIN;
    const float level = HUNDREDTHS_PER_BEL * std::log10(ratio);
    return level < DSBVOLUME_MIN ? DSBVOLUME_MIN : long(std::lround(std::fmin(level, 0.0f)));
}
} // namespace

long volumeForGains(const float gains[2]) {
    return hundredthsOfDecibel(std::fmax(gains[LEFT_CHANNEL], gains[RIGHT_CHANNEL]));
}

// DirectSound's pan leaves the louder side at the volume and lowers the other by |pan|:
// positive lowers the left.
long panForGains(const float gains[2]) {
    const float left = gains[LEFT_CHANNEL], right = gains[RIGHT_CHANNEL];
    if (right >= left) return right > 0.0f ? -hundredthsOfDecibel(left / right) : DSBPAN_CENTER;
    return hundredthsOfDecibel(right / left);
}

IDirectSoundBuffer* loadSoundBuffer(IDirectSound* device, const char* path) {
    WaveSound wave;
    if (!device || !readWaveFile(path, wave) || wave.samples.empty()) return nullptr;
    WAVEFORMATEX format{};
    format.wFormatTag      = WAVE_FORMAT_PCM;
    format.nChannels       = WORD(wave.channels);
    format.nSamplesPerSec  = DWORD(wave.rate);
    format.wBitsPerSample  = WORD(wave.bitsPerSample);
    format.nBlockAlign     = WORD(wave.channels * wave.bitsPerSample / 8);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    DSBUFFERDESC description{};
    description.dwSize         = sizeof description;
    description.dwFlags        = DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN | DSBCAPS_GLOBALFOCUS;
    description.dwBufferBytes  = DWORD(wave.samples.size());
    description.lpwfxFormat    = &format;
    IDirectSoundBuffer* buffer = nullptr;
    if (FAILED(device->CreateSoundBuffer(&description, &buffer, nullptr))) return nullptr;
    void* first      = nullptr;
    void* second     = nullptr;
    DWORD firstBytes = 0, secondBytes = 0;
    if (FAILED(buffer->Lock(0, description.dwBufferBytes, &first, &firstBytes, &second,
                            &secondBytes, 0))) {
        buffer->Release();
        return nullptr;
    }
    std::memcpy(first, wave.samples.data(), std::min(firstBytes, description.dwBufferBytes));
    buffer->Unlock(first, firstBytes, second, secondBytes);
    return buffer;
}

void placeEffect(const SoundPlayer& player, SoundEffect effect) {
    IDirectSoundBuffer* buffer = player.buffer[effect];
    if (!buffer) return;
    float gains[2];
    channelGains(player.listener, player.orientation, player.effectPosition[effect], gains);
    buffer->SetVolume(volumeForGains(gains));
    buffer->SetPan(panForGains(gains));
}

void restartBuffer(IDirectSoundBuffer* buffer) {
    if (!buffer) return;
    buffer->Stop();
    buffer->SetCurrentPosition(0);
    buffer->Play(0, 0, 0);
}
