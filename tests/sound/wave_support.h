// Runs the real sound library against OpenAL Soft's wave-file output and reads back what
// it played: test tones in, a recording out, the audible stretches of it found.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

constexpr int TEST_RATE = 22050;

// A private folder holding the test's WAV files, the library's configuration and its
// recording; removed again on destruction.
struct SoundScratch {
    std::string dir;
    SoundScratch();
    ~SoundScratch();
    std::string path(const char* name) const { return dir + "/" + name; }
};

// 16-bit mono PCM sine at half scale.
void writeToneWav(const std::string& path, float frequency, int milliseconds);

// A configuration that sends all output to outputFile (none: the device cannot open).
void writeWaveConfig(const SoundScratch& scratch, int channels, const char* outputFile);

// Runs scenario in a child process with the scratch folder as its working directory and
// its configuration in ALSOFT_CONF (read once per process, at the library's first use).
// Returns the child's exit code, or -1 when it crashed or hung.
int runSoundChild(const SoundScratch& scratch, const std::function<int()>& scenario);

struct Recording {
    bool valid          = false; // a RIFF WAVE file with 16-bit samples
    bool sizesFinalised = false; // the header's data size matches the samples: device closed
    int channels        = 0;
    int rate            = 0;
    std::vector<int16_t> samples; // interleaved
};

Recording readRecording(const std::string& path);

struct Segment {
    double startMs;
    double endMs;
    double frequency; // from the zero crossings of the summed channels
    double rms[2];    // per channel (the second equals the first in mono)
};

// Stretches whose summed level exceeds the threshold, joined across gaps under 20 ms.
std::vector<Segment> audibleSegments(const Recording& recording);

// Root mean square of one channel between two times of the recording.
double channelRms(const Recording& recording, int channel, double fromMs, double toMs);

// Milliseconds on the steady clock, for matching calls to the recording's timeline.
double nowMs();
