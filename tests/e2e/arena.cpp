// Geometry of the game's space and reading of its screen, for the end-to-end tests.
#include "tests/e2e/arena.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

namespace {
constexpr float DEGREE = 0.017452778f; // the game's own factor

// Overlay cells at 640 x 480: a digit is 0.3 eye units at depth 6 under the 60-degree
// projection, about 21 pixels; the pens start at x -4.5 (score) and 2.7 (health), y -3.1.
constexpr int CELL_HALF     = 10;
constexpr int DIGIT_Y       = 455;
constexpr int SCORE_X       = 29;
constexpr int HEALTH_ONE_X  = 528; // "1" of "100"
constexpr int HEALTH_ZERO_X = 549; // first "0" of "100"
constexpr int FULL_CHANNEL  = 40;  // a lit hull channel
constexpr int OFF_CHANNEL   = 6;   // and an unlit one

const int SLOT_CHANNELS[PLAYERS][3] = {
    {1,  0,  0 },
    {0,  0,  1 },
    {0,  1,  0 },
    {1,  1,  0 },
    {1,  0,  1 },
    {0,  1,  1 },
    {-1, 1,  -1},
    {1,  -1, 0 },
};

bool digitLit(const uint8_t* p) {
    return p[1] >= 200 && p[2] >= 180; // the overlay's cyan, added onto the scene
}

std::vector<bool> digitMask(const Picture& pic, int cx) {
    std::vector<bool> mask;
    for (int y = DIGIT_Y - CELL_HALF; y <= DIGIT_Y + CELL_HALF; ++y)
        for (int x = cx - CELL_HALF; x <= cx + CELL_HALF; ++x)
            mask.push_back(digitLit(pic.at(x, y)));
    return mask;
}

int differences(const std::vector<bool>& a, const std::vector<bool>& b) {
    int n = 0;
    for (size_t i = 0; i < a.size(); ++i)
        n += a[i] != b[i];
    return n;
}
} // namespace

std::vector<Sphere> readPlanets(const std::string& universeFile) {
    std::vector<Sphere> planets;
    std::ifstream in(universeFile);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string kind;
        Sphere s;
        if (words >> kind && kind == "PLANET" &&
            words >> s.centre.x >> s.centre.y >> s.centre.z >> s.radius)
            planets.push_back(s);
    }
    return planets;
}

Vec3 add(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 sub(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 scale(Vec3 a, float f) {
    return {a.x * f, a.y * f, a.z * f};
}
float dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
float length(Vec3 a) {
    return std::sqrt(dot(a, a));
}

Vec3 viewDirection(float yaw, float pitch) {
    float c = std::cos(pitch * DEGREE);
    return {std::sin(yaw * DEGREE) * c, -std::sin(pitch * DEGREE), -std::cos(yaw * DEGREE) * c};
}

void aimAngles(Vec3 from, Vec3 to, float* yaw, float* pitch) {
    Vec3 d  = sub(to, from);
    float y = std::atan2(d.x, -d.z) / DEGREE;
    if (y < 0) y += 360.0f;
    *yaw   = y;
    *pitch = -std::asin(d.y / length(d)) / DEGREE;
}

float yawError(float want, float have) {
    float e = std::fmod(want - have, 360.0f);
    if (e > 180.0f) e -= 360.0f;
    if (e < -180.0f) e += 360.0f;
    return e;
}

bool clearLine(Vec3 from, Vec3 to, const std::vector<Sphere>& obstacles, float margin) {
    Vec3 d      = sub(to, from);
    float total = dot(d, d);
    for (const Sphere& s : obstacles) {
        float t      = total > 0 ? std::clamp(dot(sub(s.centre, from), d) / total, 0.0f, 1.0f) : 0;
        Vec3 nearest = add(from, scale(d, t));
        if (length(sub(s.centre, nearest)) <= s.radius + margin) return false;
    }
    return true;
}

bool insideAny(Vec3 p, const std::vector<Sphere>& spheres, float margin) {
    for (const Sphere& s : spheres)
        if (length(sub(p, s.centre)) <= s.radius + margin) return true;
    return false;
}

int shipPixels(const Picture& pic, int slot, Box box) {
    const int* want = SLOT_CHANNELS[slot];
    int count       = 0;
    for (int y = std::max(box.y0, 0); y <= std::min(box.y1, pic.height - 1); ++y) {
        for (int x = std::max(box.x0, 0); x <= std::min(box.x1, pic.width - 1); ++x) {
            const uint8_t* p = pic.at(x, y);
            bool match       = true;
            for (int c = 0; c < 3 && match; ++c) {
                if (want[c] == 1) match = p[c] >= FULL_CHANNEL;
                if (want[c] == 0) match = p[c] <= OFF_CHANNEL;
            }
            count += match;
        }
    }
    return count;
}

Box centreBox(const Picture& pic, int half) {
    return {pic.width / 2 - half, pic.height / 2 - half, pic.width / 2 + half,
            pic.height / 2 + half};
}

char scoreDigit(const Picture& pic) {
    if (pic.width < 640 || pic.height < 480) return '?';
    std::vector<bool> one   = digitMask(pic, HEALTH_ONE_X);
    std::vector<bool> zero  = digitMask(pic, HEALTH_ZERO_X);
    std::vector<bool> score = digitMask(pic, SCORE_X);
    int apart               = differences(one, zero);
    int toOne = differences(score, one), toZero = differences(score, zero);
    // The two references must themselves be clear, and the score near one of them.
    if (apart < 40) return '?';
    if (toOne * 3 < apart && toOne * 2 < toZero) return '1';
    if (toZero * 3 < apart && toZero * 2 < toOne) return '0';
    return '?';
}
