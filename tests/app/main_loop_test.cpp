// The main loop over SDL's event queue: every waiting event before the next frame, and
// no frame once the quit message is posted.
#include <gtest/gtest.h>

#include <SDL.h>

#include "app/frame.h"
#include "app/main_loop.h"
#include "tests/app/app_doubles.h"
#include "world/control_state.h"

namespace {
struct FrameLog {
    int updates = 0;
    ControlState seen[4];
} frames;

void pushKey(Uint32 type, SDL_Keycode sym) {
    SDL_Event e{};
    e.type           = type;
    e.key.type       = type;
    e.key.keysym.sym = sym;
    SDL_PushEvent(&e);
}

class MainLoop : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        resetAppTest();
        frames = FrameLog{};
    }
    void TearDown() override { SDL_Quit(); }
};
} // namespace

// The frame of this test: notes what the input had done, and the second time round
// gets new events while it runs.
void runFrame() {
    if (frames.updates < 4) frames.seen[frames.updates] = controls;
    if (++frames.updates == 2) {
        pushKey(SDL_KEYUP, SDLK_UP);
        pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
        pushKey(SDL_KEYDOWN, SDLK_DOWN); // behind the quit: never handled
    }
}

TEST_F(MainLoop, HandlesEveryWaitingEventBeforeTheNextFrameAndStopsAtTheQuit) {
    pushKey(SDL_KEYDOWN, SDLK_UP);
    pushKey(SDL_KEYDOWN, SDLK_LEFT);
    EXPECT_EQ(runMainLoop(), 0);
    ASSERT_EQ(frames.updates, 2);
    EXPECT_EQ(frames.seen[0].forward, 1);
    EXPECT_EQ(frames.seen[0].strafeLeft, 1);
    EXPECT_EQ(controls.forward, 0);
    EXPECT_EQ(controls.backward, 0);
    EXPECT_EQ(appCalls.shutdowns, 1);
}

TEST_F(MainLoop, AQuitPostedBeforeTheLoopEndsItBeforeAnyFrame) {
    pushKey(SDL_KEYDOWN, SDLK_UP);
    postQuitMessage(0);
    EXPECT_EQ(runMainLoop(), 0);
    EXPECT_EQ(frames.updates, 0);
}
