// The window procedure over translated events: flags, shots, respawn, look, quit.
#include <gtest/gtest.h>

#include <cstring>

#include "app/main_loop.h"
#include "app/window_proc.h"
#include "tests/app/app_doubles.h"
#include "world/contact.h"
#include "world/control_state.h"
#include "world/world_state.h"

namespace {
InputEvent key(InputKind kind, GameKey k, bool repeat = false) {
    InputEvent e;
    e.kind   = kind;
    e.key    = k;
    e.repeat = repeat;
    return e;
}
InputEvent down(GameKey k, bool repeat = false) {
    return key(InputKind::KEY_DOWN, k, repeat);
}
InputEvent up(GameKey k) {
    return key(InputKind::KEY_UP, k);
}
InputEvent of(InputKind kind) {
    InputEvent e;
    e.kind = kind;
    return e;
}
InputEvent character(int c) {
    InputEvent e = of(InputKind::CHAR);
    e.character  = c;
    return e;
}
InputEvent move(int dx, int dy) {
    InputEvent e = of(InputKind::MOUSE_MOVE);
    e.dx         = dx;
    e.dy         = dy;
    return e;
}

class WindowProc : public ::testing::Test {
  protected:
    void SetUp() override {
        resetAppTest();
        spawnLocalPlayer(2);
    }
    Player& local() { return playerTable[localPlayer]; }
};

struct KeyFlag {
    GameKey key;
    int32_t ControlState::*flag;
};
const KeyFlag KEY_FLAGS[] = {
    {GameKey::CTRL,  &ControlState::vertical   },
    {GameKey::LEFT,  &ControlState::strafeLeft },
    {GameKey::UP,    &ControlState::forward    },
    {GameKey::RIGHT, &ControlState::strafeRight},
    {GameKey::DOWN,  &ControlState::backward   }
};
} // namespace

TEST_F(WindowProc, EachKeySetsAndClearsOnlyItsOwnFlag) {
    for (const KeyFlag& k : KEY_FLAGS) {
        gameWindowProc(down(k.key));
        EXPECT_EQ(controls.*k.flag, 1);
        int32_t set = controls.forward + controls.backward + controls.strafeLeft +
                      controls.strafeRight + controls.vertical + controls.fire;
        EXPECT_EQ(set, 1);
        gameWindowProc(up(k.key));
        EXPECT_EQ(controls.*k.flag, 0);
    }
}

TEST_F(WindowProc, AutoRepeatOnlySetsAgainAndOneReleaseClears) {
    gameWindowProc(down(GameKey::UP));
    for (int i = 0; i < 5; ++i)
        gameWindowProc(down(GameKey::UP, true));
    EXPECT_EQ(controls.forward, 1);
    gameWindowProc(up(GameKey::UP));
    EXPECT_EQ(controls.forward, 0);
}

TEST_F(WindowProc, OppositeKeysHeldTogetherSetBothFlags) {
    gameWindowProc(down(GameKey::LEFT));
    gameWindowProc(down(GameKey::RIGHT));
    gameWindowProc(down(GameKey::UP));
    gameWindowProc(down(GameKey::DOWN));
    EXPECT_EQ(controls.strafeLeft, 1);
    EXPECT_EQ(controls.strafeRight, 1);
    EXPECT_EQ(controls.forward, 1);
    EXPECT_EQ(controls.backward, 1);
    gameWindowProc(up(GameKey::LEFT));
    EXPECT_EQ(controls.strafeRight, 1);
}

TEST_F(WindowProc, OtherKeysAndCharactersChangeNothing) {
    ControlState before = controls;
    gameWindowProc(down(GameKey::OTHER));
    gameWindowProc(up(GameKey::OTHER));
    gameWindowProc(character('a'));
    gameWindowProc(of(InputKind::OTHER));
    EXPECT_EQ(std::memcmp(&before, &controls, sizeof controls), 0);
    EXPECT_EQ(appCalls.shutdowns, 0);
    EXPECT_FALSE(quitMessagePosted());
}

TEST_F(WindowProc, LeftButtonRequestsOneShotPerPress) {
    gameWindowProc(of(InputKind::LEFT_BUTTON_DOWN));
    EXPECT_EQ(controls.fire, 1);
    controls.fire = 0; // the frame handled the shot; the button is still held
    gameWindowProc(move(1, 0));
    EXPECT_EQ(controls.fire, 0);
}

TEST_F(WindowProc, LeftButtonWhileDeadKeepsTheRequest) {
    local().health = 0;
    gameWindowProc(of(InputKind::LEFT_BUTTON_DOWN));
    EXPECT_EQ(controls.fire, 1);
}

TEST_F(WindowProc, RightButtonRespawnsOnlyADeadShip) {
    local().health = 1;
    local().pos[0] = 123.0f;
    gameWindowProc(of(InputKind::RIGHT_BUTTON_DOWN));
    EXPECT_EQ(local().health, 1);
    EXPECT_EQ(local().pos[0], 123.0f);

    local().health = 0;
    local().yaw    = 45.0f;
    gameWindowProc(of(InputKind::RIGHT_BUTTON_DOWN));
    EXPECT_EQ(local().health, FULL_HEALTH);
    EXPECT_EQ(local().yaw, 0.0f);
    EXPECT_NE(local().pos[0], 123.0f);

    local().health = -7;
    gameWindowProc(of(InputKind::RIGHT_BUTTON_DOWN));
    EXPECT_EQ(local().health, FULL_HEALTH);
}

TEST_F(WindowProc, MouseLookTurnsByAFixedFactorPerPixel) {
    gameWindowProc(move(1, 0));
    EXPECT_FLOAT_EQ(local().yaw, 0.3f);
    gameWindowProc(move(0, 10));
    EXPECT_FLOAT_EQ(local().pitch, 3.0f); // down looks down
    local().yaw = 0.1f;
    gameWindowProc(move(-1, 0));
    EXPECT_FLOAT_EQ(local().yaw, 359.8f);
}

TEST_F(WindowProc, MouseLookWorksWhileDead) {
    local().health = 0;
    gameWindowProc(move(10, 0));
    EXPECT_FLOAT_EQ(local().yaw, 3.0f);
}

TEST(MouseLook, YawWrapsOnceAndKeepsItsEnds) {
    float yaw = 359.0f, pitch = 0.0f;
    applyMouseLook(yaw, pitch, 2000, 0); // 959 wraps once, to 599
    EXPECT_FLOAT_EQ(yaw, 599.0f);
    yaw = 0.0f;
    applyMouseLook(yaw, pitch, 0, 0);
    EXPECT_EQ(yaw, 0.0f);
    yaw = 360.0f;
    applyMouseLook(yaw, pitch, 0, 0);
    EXPECT_EQ(yaw, 360.0f);
    yaw = 10.0f;
    applyMouseLook(yaw, pitch, -100, 0);
    EXPECT_FLOAT_EQ(yaw, 340.0f);
}

TEST(MouseLook, PitchStopsAtExactlyNinety) {
    float yaw = 0.0f, pitch = 80.0f;
    applyMouseLook(yaw, pitch, 0, 100);
    EXPECT_EQ(pitch, 90.0f);
    applyMouseLook(yaw, pitch, 0, -1000);
    EXPECT_EQ(pitch, -90.0f);
    applyMouseLook(yaw, pitch, 0, -1);
    EXPECT_EQ(pitch, -90.0f);
}

TEST_F(WindowProc, InputBeforeASlotLeavesThePlayerTableAlone) {
    resetAppTest(); // a joiner still waiting for its welcome
    ASSERT_LT(localPlayer, 0);
    PlayerTable before = playerTable;
    gameWindowProc(move(40, -30));
    gameWindowProc(of(InputKind::RIGHT_BUTTON_DOWN));
    EXPECT_EQ(std::memcmp(&before, &playerTable, sizeof playerTable), 0);
    EXPECT_EQ(localPlayer, FREE_SLOT);
    gameWindowProc(down(GameKey::UP)); // the flags are no player's and still work
    EXPECT_EQ(controls.forward, 1);
}

TEST_F(WindowProc, EscapeShutsDownThenQuits) {
    gameWindowProc(character(ESCAPE_CHAR));
    EXPECT_EQ(appCalls.shutdowns, 1);
    EXPECT_FALSE(appCalls.quitBeforeShutdown);
    EXPECT_TRUE(quitMessagePosted());
    EXPECT_EQ(quitExitCode(), 0);
}

TEST_F(WindowProc, CloseShutsDownThenQuits) {
    gameWindowProc(of(InputKind::CLOSE));
    EXPECT_EQ(appCalls.shutdowns, 1);
    EXPECT_FALSE(appCalls.quitBeforeShutdown);
    EXPECT_TRUE(quitMessagePosted());
    EXPECT_EQ(quitExitCode(), 0);
}
