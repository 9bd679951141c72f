// The player's choices, from the set-up dialog, the command line and the remembered
// settings: what the dialog fills in, and the game reads.
#pragma once

#include <cstdint>

#include "app/controls/controls.h"
#include "net/arena.h"
#include "step/bot_launcher.h"
#include "world/roster.h"
#include "world/world_state.h"

struct Resolution {
    int32_t width;
    int32_t height;
};

// The first three rows are the game's first sizes; the last is the desktop's own size.
constexpr int RESOLUTION_COUNT   = 4;
constexpr int DESKTOP_RESOLUTION = 3;
extern const Resolution resolutionTable[RESOLUTION_COUNT];

constexpr int SETUP_ADDRESS_SIZE     = 150;          // what the address box takes, with its end
constexpr const char* ADDRESS_PREFIX = "192.168.0."; // a private network, to be completed

struct GameSetup {
    int32_t isServer;                 // 1 after "Create Game", 0 after "Join Game"
    int32_t resolutionIndex;          // index into resolutionTable
    int32_t fullScreen;               // 1 when "FullScreen mode" is checked
    int32_t soundEnabled;             // 1 when "Enable sound" is checked
    int32_t port;                     // TCP: hosted on, or joined when the address names none
    char address[SETUP_ADDRESS_SIZE]; // the host's address as typed
    char name[PLAYER_NAME_CHARS + 1]; // the player's, as others see it
    int32_t bots;                     // the host starts this many, 0 to MAX_BOTS
    int32_t botSkill;                 // 1 (easy) to 3 (hard)
    int32_t scoreLimit;               // a hosted match's, 0 for none
    int32_t timeLimitMinutes;         // a hosted match's, 0 for none
    char arena[ARENA_NAME_BYTES + 1]; // the host's arena's name, or "rotate"
    int32_t width, height;            // --resolution WxH off the table; 0 when not given
    ControlSettings controls;         // look, field of view, each action's inputs
};

constexpr const char* DEFAULT_ARENA = "classic";

// The choices of a first start: the desktop's size, full screen, no sound, port 2345, the prefix,
// the login name, matches to 10 kills or 10 minutes in the classic arena.
GameSetup startSetup();
