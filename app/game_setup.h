// The player's choices from the set-up dialog, read across the program.
#pragma once

#include <cstdint>

struct GameSetup {
    int32_t isServer;        // 1 after "Create Game", 0 after "Join Game"
    int32_t resolutionIndex; // index into resolutionTable
    int32_t fullScreen;      // 1 when "FullScreen mode" is checked
    int32_t soundEnabled;    // 1 when "Enable sound" is checked
};

extern GameSetup gameSetup;
