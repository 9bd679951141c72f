// Watching a demo: the fixed keys (they are not bindable) and what each does to the playback,
// the speed, and the replay steps each tick of the wall clock owes.
//
// | Key                        | Does                                                      |
// |----------------------------|-----------------------------------------------------------|
// | 1 to 8                     | the view of that player                                   |
// | Tab held, click on a name  | the scoreboard; the click follows that player             |
// | F                          | the free camera on or off (flies like a ship, no contact) |
// | Space                      | pause                                                     |
// | - and +                    | slower and faster: 1/4, 1/2, 1, 2, 4 times the recording  |
// | Left / Right arrow         | 10 s back / forward (the free camera flies with them)     |
// | Page Down / Page Up        | 10 s back / forward, in every view                        |
// | Escape                     | quit                                                      |
#pragma once

#include <cstdint>

#include "platform/input_event.h"

constexpr int DEMO_SPEED_COUNT = 5;
// In quarters of the recorded step rate.
constexpr int DEMO_SPEED_QUARTERS[DEMO_SPEED_COUNT]      = {1, 2, 4, 8, 16};
constexpr const char* DEMO_SPEED_NAMES[DEMO_SPEED_COUNT] = {"x1/4", "x1/2", "x1", "x2", "x4"};
constexpr int DEMO_NORMAL_SPEED                          = 2;
constexpr int QUARTERS_PER_STEP                          = 4;
constexpr int32_t DEMO_SEEK_MS                           = 10000;

enum class DemoCommand {
    NONE,
    FOLLOW, // slot: that player's view
    FREE_CAMERA,
    PAUSE,
    SLOWER,
    FASTER,
    SEEK, // seekMs: back (negative) or forward
    SCOREBOARD_ON,
    SCOREBOARD_OFF,
    PICK, // a click, on the scoreboard while it shows
    QUIT,
};

struct DemoAction {
    DemoCommand command;
    int32_t slot;
    int32_t seekMs;
};

struct PlaybackState {
    int speed; // index into DEMO_SPEED_QUARTERS
    bool paused;
    bool freeCamera;
    int32_t followed; // the player whose view shows while the free camera is off
    bool scoreboard;
    int owedQuarters; // of a replay step, carried to the next tick
};

// Normal speed, playing, in the view of the player who recorded.
PlaybackState startPlayback(int32_t recorder);

// What an event asks for; the arrows seek only while the free camera is off.
DemoAction demoActionOf(const InputEvent& event, const PlaybackState& state);

// Applies what only changes the playback: the view (a player in slotsInUse, one bit a slot),
// the free camera, pause, speed, the scoreboard. Seeks, picks and quitting are the caller's.
void applyDemoAction(PlaybackState& state, const DemoAction& action, uint32_t slotsInUse);

// The replay steps owed for this many ticks of the wall clock (one tick a recorded step):
// none while paused, else the speed's share, the remainder carried.
int replayStepsOwed(PlaybackState& state, int ticks);
