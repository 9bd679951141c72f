// The two sounds, synthesised: a rocket launch and an explosion, mono 16-bit PCM.
#pragma once

#include <cstdint>
#include <vector>

constexpr int SOUND_RATE = 22050; // samples per second

std::vector<int16_t> makeShotSound();
std::vector<int16_t> makeExplosionSound();

// A canonical RIFF/WAVE file: PCM, one channel, 16 bits.
std::vector<uint8_t> encodeWav(const std::vector<int16_t>& samples, int rate);
