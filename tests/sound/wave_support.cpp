// Tones, wave-output configurations, child processes and the recording's analysis.
#include "tests/sound/wave_support.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr int CHILD_TIME_LIMIT_S = 20; // a hang in the library fails the test, not CI
constexpr int AUDIBLE_LEVEL      = 200;
constexpr double JOIN_GAP_MS     = 20.0;

void put16(std::string& out, uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void put32(std::string& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

uint32_t get16(const std::string& in, size_t at) {
    return static_cast<uint8_t>(in[at]) | static_cast<uint8_t>(in[at + 1]) << 8;
}

uint32_t get32(const std::string& in, size_t at) {
    return get16(in, at) | get16(in, at + 2) << 16;
}
} // namespace

SoundScratch::SoundScratch() {
    char name[] = "/tmp/voranis-sound-XXXXXX";
    dir         = mkdtemp(name) ? name : "";
}

SoundScratch::~SoundScratch() {
    std::error_code ignored;
    if (!dir.empty()) std::filesystem::remove_all(dir, ignored);
}

void writeToneWav(const std::string& path, float frequency, int milliseconds) {
    const uint32_t count = static_cast<uint32_t>(TEST_RATE) * milliseconds / 1000;
    std::string out      = "RIFF";
    put32(out, 36 + count * 2);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, TEST_RATE);
    put32(out, TEST_RATE * 2);
    put16(out, 2);
    put16(out, 16);
    out += "data";
    put32(out, count * 2);
    for (uint32_t i = 0; i < count; ++i) {
        double s = 0.5 * std::sin(2.0 * M_PI * frequency * i / TEST_RATE);
        put16(out, static_cast<uint16_t>(static_cast<int16_t>(s * 32767.0)));
    }
    std::ofstream(path, std::ios::binary) << out;
}

void writeWaveConfig(const SoundScratch& scratch, int channels, const char* outputFile) {
    std::ofstream conf(scratch.path("alsoft.conf"));
    conf << "[general]\ndrivers = wave\nchannels = " << (channels == 1 ? "mono" : "stereo")
         << "\nsample-type = int16\nfrequency = " << TEST_RATE << "\nperiod_size = 256\n";
    if (outputFile) conf << "[wave]\nfile = " << scratch.path(outputFile) << "\n";
}

int runSoundChild(const SoundScratch& scratch, const std::function<int()>& scenario) {
    std::fflush(nullptr);
    pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        alarm(CHILD_TIME_LIMIT_S);
        setenv("ALSOFT_CONF", scratch.path("alsoft.conf").c_str(), 1);
        int code = chdir(scratch.dir.c_str()) == 0 ? scenario() : 100;
        std::fflush(nullptr);
        _exit(code);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

Recording readRecording(const std::string& path) {
    Recording r;
    std::ifstream file(path, std::ios::binary);
    std::string in((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (in.size() < 12 || in.compare(0, 4, "RIFF") != 0 || in.compare(8, 4, "WAVE") != 0) return r;
    size_t at = 12;
    int bits  = 0;
    while (at + 8 <= in.size()) {
        std::string id = in.substr(at, 4);
        uint32_t size  = get32(in, at + 4);
        at += 8;
        if (id == "fmt " && at + 16 <= in.size()) {
            r.channels = static_cast<int>(get16(in, at + 2));
            r.rate     = static_cast<int>(get32(in, at + 4));
            bits       = static_cast<int>(get16(in, at + 14));
        } else if (id == "data") {
            size_t available = in.size() - at;
            r.sizesFinalised = size == available;
            size_t bytes     = size < available ? size : available;
            for (size_t i = 0; i + 1 < bytes; i += 2) {
                r.samples.push_back(static_cast<int16_t>(get16(in, at + i)));
            }
            break;
        }
        at += size + (size & 1);
    }
    r.valid = bits == 16 && r.channels > 0 && r.rate > 0;
    return r;
}

std::vector<Segment> audibleSegments(const Recording& r) {
    std::vector<Segment> found;
    if (!r.valid) return found;
    const size_t frames     = r.samples.size() / r.channels;
    const double msPerFrame = 1000.0 / r.rate;
    auto level              = [&](size_t f, int c) {
        return static_cast<double>(r.samples[f * r.channels + c]);
    };
    auto sum = [&](size_t f) {
        double s = 0;
        for (int c = 0; c < r.channels; ++c)
            s += level(f, c);
        return s;
    };

    size_t f = 0;
    while (f < frames) {
        while (f < frames && std::fabs(sum(f)) <= AUDIBLE_LEVEL)
            ++f;
        if (f == frames) break;
        size_t start = f, last = f;
        while (f < frames && (f - last) * msPerFrame < JOIN_GAP_MS) {
            if (std::fabs(sum(f)) > AUDIBLE_LEVEL) last = f;
            ++f;
        }
        Segment s{
            start * msPerFrame, (last + 1) * msPerFrame, 0.0, {0.0, 0.0}
        };
        int crossings   = 0;
        double power[2] = {0.0, 0.0};
        for (size_t g = start; g <= last; ++g) {
            if (g > start && (sum(g - 1) < 0) != (sum(g) < 0)) ++crossings;
            for (int c = 0; c < 2; ++c) {
                double v = level(g, c < r.channels ? c : 0);
                power[c] += v * v;
            }
        }
        const double count = static_cast<double>(last - start + 1);
        s.frequency        = crossings / 2.0 / (count / r.rate);
        for (int c = 0; c < 2; ++c)
            s.rms[c] = std::sqrt(power[c] / count);
        found.push_back(s);
    }
    return found;
}

double channelRms(const Recording& r, int channel, double fromMs, double toMs) {
    if (!r.valid || channel >= r.channels) return 0.0;
    const size_t frames = r.samples.size() / r.channels;
    size_t from         = static_cast<size_t>(std::max(0.0, fromMs) * r.rate / 1000.0);
    size_t to    = std::min(frames, static_cast<size_t>(std::max(0.0, toMs) * r.rate / 1000.0));
    double power = 0.0;
    for (size_t f = from; f < to; ++f) {
        double v = r.samples[f * r.channels + channel];
        power += v * v;
    }
    return to > from ? std::sqrt(power / static_cast<double>(to - from)) : 0.0;
}

double nowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}
