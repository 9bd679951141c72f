// The listener's "up": perpendicular to "at", as close to world up as it can be, steady
// while "at" says nothing.
#include <cmath>
#include <gtest/gtest.h>

#include "sound/listener.h"
#include "world/frame_update.h"

namespace {
constexpr float START[ORIENTATION_FLOATS] = {0, 0, 1, 0, 1, 0};

struct Orientation {
    float v[ORIENTATION_FLOATS];
    Orientation() {
        for (int i = 0; i < ORIENTATION_FLOATS; ++i)
            v[i] = START[i];
    }
    const float* at() const { return v; }
    const float* up() const { return v + 3; }
    void turn(float x, float y, float z) {
        const float at[3] = {x, y, z};
        orientListener(at, v);
    }
    void look(float yaw, float pitch) {
        float at[3];
        forwardStep(yaw, pitch, &at[0], &at[1], &at[2]);
        orientListener(at, v);
    }
};

float dot(const float* a, const float* b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// The game's own degree factor leaves its level steps a hair off the axes.
constexpr float AXIS_TOLERANCE = 1e-3f;

void expectVector(const float* v, float x, float y, float z) {
    EXPECT_NEAR(v[0], x, AXIS_TOLERANCE);
    EXPECT_NEAR(v[1], y, AXIS_TOLERANCE);
    EXPECT_NEAR(v[2], z, AXIS_TOLERANCE);
}

// The ear on the right: at x up, in the direction only.
void expectRightward(const Orientation& o, float x, float y, float z) {
    const float* a = o.at();
    const float* u = o.up();
    float r[3] = {a[1] * u[2] - a[2] * u[1], a[2] * u[0] - a[0] * u[2], a[0] * u[1] - a[1] * u[0]};
    float len  = std::sqrt(dot(r, r));
    ASSERT_GT(len, 0.0f);
    expectVector(r, x * len, y * len, z * len);
}
} // namespace

TEST(ListenerOrientation, LevelFlightKeepsWorldUp) {
    Orientation o;
    o.look(0.0f, 0.0f); // along -z
    EXPECT_LT(o.at()[2], 0.0f);
    expectVector(o.up(), 0, 1, 0);
    expectRightward(o, 1, 0, 0);
}

TEST(ListenerOrientation, UpIsTheUnitVectorClosestToWorldUpAcrossEveryHeading) {
    Orientation o;
    for (float yaw = -180.0f; yaw <= 540.0f; yaw += 37.5f) {
        for (float pitch = -89.0f; pitch <= 89.0f; pitch += 11.0f) {
            o.look(yaw, pitch);
            const float* a = o.at();
            const float* u = o.up();
            float len      = std::sqrt(dot(a, a));
            EXPECT_NEAR(dot(u, u), 1.0f, 1e-5f);
            EXPECT_NEAR(dot(u, a) / len, 0.0f, 1e-5f);
            // The closest unit vector to world up that is perpendicular to a has
            // y = cos(elevation of a): the horizontal share of a.
            float horizontal = std::sqrt(a[0] * a[0] + a[2] * a[2]) / len;
            EXPECT_NEAR(u[1], horizontal, 1e-5f) << "yaw " << yaw << " pitch " << pitch;
        }
    }
}

TEST(ListenerOrientation, ZeroStepAfterSpawnKeepsThePreviousOrientation) {
    Orientation o;
    o.look(90.0f, 30.0f);
    Orientation before = o;
    o.turn(0, 0, 0);
    for (int i = 0; i < ORIENTATION_FLOATS; ++i)
        EXPECT_EQ(o.v[i], before.v[i]);
    o.turn(NAN, 0, 0);
    o.turn(INFINITY, 0, 1);
    for (int i = 0; i < ORIENTATION_FLOATS; ++i)
        EXPECT_EQ(o.v[i], before.v[i]);
}

TEST(ListenerOrientation, ClimbingStraightUpOrDownKeepsTheEarsWhereTheyWere) {
    Orientation o;
    o.look(0.0f, 0.0f); // along -z, right ear at +x
    o.turn(0, CLIMB_STEP, 0);
    expectVector(o.at(), 0, CLIMB_STEP, 0);
    expectVector(o.up(), 0, 0, 1);
    expectRightward(o, 1, 0, 0);
    o.turn(0, CLIMB_STEP, 0); // held: stays put
    expectVector(o.up(), 0, 0, 1);

    Orientation down;
    down.look(90.0f, 0.0f); // along +x, right ear at +z
    down.turn(0, -CLIMB_STEP, 0);
    expectVector(down.up(), 1, 0, 0);
    expectRightward(down, 0, 0, 1);
}

TEST(ListenerOrientation, NearVerticalViewJoinsTheVerticalCaseSmoothly) {
    Orientation nearly;
    nearly.look(0.0f, -90.0f); // the view straight up, as pitch allows it
    EXPECT_NEAR(nearly.up()[2], 1.0f, 1e-3f);
    expectRightward(nearly, 1, 0, 0);
    Orientation steep;
    steep.look(0.0f, -89.9f);
    EXPECT_NEAR(steep.up()[2], 1.0f, 1e-2f);
    expectRightward(steep, 1, 0, 0);
}
