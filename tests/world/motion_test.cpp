// The local ship's motion: step directions, contacts, opposite keys, climbing, the shot's line.
#include <cmath>

#include "tests/world/world_fixture.h"
#include "world/frame_update.h"

namespace {
// The game's own degree factor: 3.1415 / 180 rounded to a float, not pi / 180.
constexpr float K = 0.017452778f;

float length3(const float v[3]) {
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}
} // namespace

using Motion = WorldTest;

TEST_F(Motion, ForwardStepFollowsTheViewWithTheGamesOwnFactor) {
    float x, y, z;
    forwardStep(0.0f, 0.0f, &x, &y, &z);
    const float a0 = (0.0f + 270.0f) * K;
    EXPECT_EQ(x, std::cos(a0) * 0.055f);
    EXPECT_EQ(z, std::sin(a0) * 0.055f);
    EXPECT_EQ(y, 0.0f);
    EXPECT_NEAR(z, -0.055f, 1e-7f); // along -z
    // 270 x (3.1415 / 180) falls short of 3 pi / 2, so the step leans slightly to -x;
    // with pi / 180 it would be a rounding error's width from 0.
    EXPECT_LT(x, -5e-6f);
    EXPECT_GT(x, -1e-5f);

    forwardStep(90.0f, 0.0f, &x, &y, &z);
    const float a90 = (90.0f + 270.0f) * K;
    EXPECT_EQ(x, std::cos(a90) * 0.055f);
    EXPECT_EQ(z, std::sin(a90) * 0.055f);
    EXPECT_NEAR(x, 0.055f, 1e-7f); // along +x
    EXPECT_NEAR(z, 0.0f, 2e-5f);   // the factor leaves a slight drift
}

TEST_F(Motion, PositivePitchLooksDownAndKeepsTheStepLength) {
    float x, y, z;
    forwardStep(90.0f, 30.0f, &x, &y, &z);
    const float a = (90.0f + 270.0f) * K;
    const float c = std::cos(30.0f * K);
    EXPECT_EQ(x, std::cos(a) * c * 0.055f);
    EXPECT_EQ(z, std::sin(a) * c * 0.055f);
    EXPECT_EQ(y, -std::sin(30.0f * K) * 0.055f);
    EXPECT_LT(y, -0.027f); // down, by about half the step at 30 degrees
    const float v[3] = {x, y, z};
    EXPECT_NEAR(length3(v), 0.055f, 1e-6f);

    forwardStep(0.0f, 90.0f, &x, &y, &z);
    EXPECT_NEAR(y, -0.055f, 1e-7f); // straight down
}

TEST_F(Motion, StrafeStepPointsLeftInTheHorizontalPlane) {
    float x, z;
    strafeStep(0.0f, &x, &z);
    const float a0 = (0.0f + 180.0f) * K;
    EXPECT_EQ(x, std::cos(a0) * 0.045f);
    EXPECT_EQ(z, std::sin(a0) * 0.045f);
    EXPECT_NEAR(x, -0.045f, 1e-7f); // looking along -z, left is -x
    strafeStep(90.0f, &x, &z);
    EXPECT_NEAR(z, -0.045f, 1e-7f); // looking along +x, left is -z
    EXPECT_NEAR(x, 0.0f, 1e-5f);
}

TEST_F(Motion, ArrowKeysMoveAlongTheirStepsWhateverThePitch) {
    Player& l        = placeLocal(0, 1.0f, 2.0f, 3.0f, 90.0f, 45.0f);
    controls.forward = 1;
    simulateFrame();
    float f[3];
    forwardStep(90.0f, 45.0f, &f[0], &f[1], &f[2]);
    EXPECT_EQ(l.pos[0], 1.0f + f[0]);
    EXPECT_EQ(l.pos[1], 2.0f + f[1]);
    EXPECT_EQ(l.pos[2], 3.0f + f[2]);
    EXPECT_GT(l.pos[0], 1.038f); // forward at yaw 90 is +x ...
    EXPECT_LT(l.pos[1], 1.962f); // ... and down at positive pitch

    placeLocal(0, 0.0f, 0.0f, 0.0f, 90.0f, 45.0f);
    controls = ControlState{0, 0, 0, 1, 0, 0}; // strafe right
    simulateFrame();
    EXPECT_NEAR(l.pos[2], 0.045f, 1e-6f); // right of +x is +z
    EXPECT_EQ(l.pos[1], 0.0f);            // sideways steps never climb
    EXPECT_NEAR(l.pos[0], 0.0f, 1e-5f);
}

TEST_F(Motion, TheStepIsRewrittenEveryFrameKeyOrNoKey) {
    Player& l = placeLocal(0, 0.0f, 0.0f, 0.0f, 90.0f, 0.0f);
    l.vel[0] = l.vel[1] = l.vel[2] = 7.0f;
    simulateFrame();
    float f[3];
    forwardStep(90.0f, 0.0f, &f[0], &f[1], &f[2]);
    for (int a = 0; a < 3; ++a)
        EXPECT_EQ(l.vel[a], f[a]);
    for (int a = 0; a < 3; ++a)
        EXPECT_EQ(l.pos[a], 0.0f); // but nothing moves without a key
}

TEST_F(Motion, AContactSendsTheShipOneStepPastItsStart) {
    // A planet just ahead along +x: the move into it is undone and one more step taken back.
    Player& l = placeLocal(0, 0.0f, 0.0f, 0.0f, 90.0f, 0.0f);
    addPlanet(1.0f, 0.0f, 0.0f, 0.6f);
    controls.forward = 1;
    simulateFrame();
    EXPECT_NEAR(l.pos[0], -0.055f, 1e-6f);
    EXPECT_NEAR(l.pos[2], 0.0f, 2e-5f);

    // Backward into it from the other side is the same, mirrored.
    placeLocal(0, 2.0f, 0.0f, 0.0f, 90.0f, 0.0f);
    controls = ControlState{0, 1, 0, 0, 0, 0};
    simulateFrame();
    EXPECT_NEAR(l.pos[0], 2.055f, 1e-6f);

    // Another live ship within 0.74 after a sideways move turns it back too.
    planetCount = 0;
    placeLocal(0, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    placeShip(3, -0.77f, 0.0f, 0.0f);
    controls = ControlState{0, 0, 1, 0, 0, 0}; // strafe left, toward -x
    simulateFrame();
    EXPECT_NEAR(l.pos[0], 0.045f, 1e-6f);
}

TEST_F(Motion, AMoveThatTouchesNothingGoesThrough) {
    // Dead and free ships are no obstacles; nor is the ship's own entry.
    Player& l                             = placeLocal(0, 0.0f, 0.0f, 0.0f, 90.0f, 0.0f);
    placeShip(1, 0.3f, 0.0f, 0.0f).health = 0;
    placeShip(2, 0.3f, 0.0f, 0.0f).slot   = FREE_SLOT;
    controls.forward                      = 1;
    simulateFrame();
    EXPECT_NEAR(l.pos[0], 0.055f, 1e-6f);
}

TEST_F(Motion, OppositeKeysCancel) {
    Player& l = placeLocal(0, 5.0f, 6.0f, 7.0f, 33.0f, -20.0f);
    controls  = ControlState{1, 1, 1, 1, 0, 0};
    for (int n = 0; n < 10; ++n)
        simulateFrame();
    EXPECT_NEAR(l.pos[0], 5.0f, 1e-5f);
    EXPECT_NEAR(l.pos[1], 6.0f, 1e-5f);
    EXPECT_NEAR(l.pos[2], 7.0f, 1e-5f);
}

TEST_F(Motion, VerticalClimbsAndSinksStraightWhateverThePitch) {
    Player& l = placeLocal(0, 1.0f, 0.0f, 1.0f, 45.0f, 60.0f);
    controls  = ControlState{1, 0, 0, 0, 1, 0};
    simulateFrame();
    EXPECT_EQ(l.pos[0], 1.0f);
    EXPECT_EQ(l.pos[1], 0.045f);
    EXPECT_EQ(l.pos[2], 1.0f);
    simulateFrame();
    EXPECT_EQ(l.pos[1], 0.045f + 0.045f);

    controls = ControlState{0, 1, 0, 0, 1, 0};
    simulateFrame();
    simulateFrame();
    simulateFrame();
    EXPECT_NEAR(l.pos[1], -0.045f, 1e-6f);

    controls      = ControlState{0, 0, 0, 0, 1, 0}; // vertical alone
    const float y = l.pos[1];
    simulateFrame();
    EXPECT_EQ(l.pos[1], y);
    EXPECT_EQ(l.vel[1], 0.045f);
}

TEST_F(Motion, AShotWhileClimbingStillFliesAlongTheView) {
    Player& l = placeLocal(0, 0.0f, 0.0f, 0.0f, 90.0f, 30.0f);
    controls  = ControlState{1, 0, 0, 0, 1, 1};
    simulateFrame();
    float f[3];
    forwardStep(90.0f, 30.0f, &f[0], &f[1], &f[2]);
    for (int a = 0; a < 3; ++a)
        EXPECT_EQ(l.rocketVel[0][a], 5.0f * f[a]);
    EXPECT_NEAR(length3(l.rocketVel[0]), 0.275f, 1e-6f);
    EXPECT_EQ(l.pos[1], 0.045f); // the ship itself climbed
}
