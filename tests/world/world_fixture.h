// A clean world for every case: tables, scalars, input flags, set-up choices and fakes.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/frame.h"
#include "tests/fakes/fakes.h"
#include "world/frame_update.h"
#include "world/control_state.h"
#include "app/game_setup.h"
#include "world/world_state.h"

class WorldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetWorld();
        resetPlayerTable();
        resetFakes();
        controls  = ControlState{0, 0, 0, 0, 0, 0};
        gameSetup = GameSetup{1, 0, 0, 1}; // host, sound on so its calls are seen
    }
    void TearDown() override { resetFakes(); }

    // One simulation step, its report handed on as the main loop does.
    static void simulateFrame() {
        static FrameReport report;
        ::simulateFrame(&report);
        deliverFrameReport(report);
    }

    // Puts slot s in use, alive, at the given point, looking along yaw and pitch.
    static Player& placeShip(int s, float x, float y, float z, float yaw = 0.0f,
                             float pitch = 0.0f) {
        Player& p = playerTable[s];
        p.slot    = s;
        p.health  = FULL_HEALTH;
        p.pos[0]  = x;
        p.pos[1]  = y;
        p.pos[2]  = z;
        p.yaw     = yaw;
        p.pitch   = pitch;
        return p;
    }

    // Makes slot s this machine's player, as the set-up dialog does for the host.
    static Player& placeLocal(int s, float x, float y, float z, float yaw = 0.0f,
                              float pitch = 0.0f) {
        localPlayer = s;
        return placeShip(s, x, y, z, yaw, pitch);
    }

    static void addPlanet(float x, float y, float z, float radius) {
        planets.pos[planetCount][0] = x;
        planets.pos[planetCount][1] = y;
        planets.pos[planetCount][2] = z;
        planets.radius[planetCount] = radius;
        ++planetCount;
    }

    static void setRocket(int s, int j, int32_t life, float x, float y, float z, float vx = 0.0f,
                          float vy = 0.0f, float vz = 0.0f) {
        Player& p         = playerTable[s];
        p.rocketLife[j]   = life;
        p.rocketPos[j][0] = x;
        p.rocketPos[j][1] = y;
        p.rocketPos[j][2] = z;
        p.rocketVel[j][0] = vx;
        p.rocketVel[j][1] = vy;
        p.rocketVel[j][2] = vz;
    }

    static int soundCount(const char* what) {
        int n = 0;
        for (const SoundCall& c : fakeRecord.sounds)
            n += c.what == what;
        return n;
    }

    static float wordFloat(const NetMessage& m, int w) {
        float f;
        std::memcpy(&f, &m.word[w], sizeof f);
        return f;
    }

    static std::vector<NetMessage> sentOfType(int32_t type) {
        std::vector<NetMessage> out;
        for (const NetMessage& m : fakeRecord.sent) {
            if (static_cast<int32_t>(m.word[0]) == type) out.push_back(m);
        }
        return out;
    }
};
