// Stand-ins for the platform, network and sound, so the world runs alone in tests. Each
// records what the game asked of it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "net/net_message.h"

struct SoundCall {
    std::string what; // "shot", "explosion", "listener", "setup", "start", "shutdown"
    float pos[3];
};

struct FakeRecord {
    std::vector<NetMessage> sent;     // every netSend
    std::vector<SoundCall> sounds;    // every sound call
    std::vector<std::string> errors;  // every error box text
    int exchanges        = 0;         // netExchange calls
    int timeoutChecks    = 0;         // checkGlobalTimeout calls
    int cursorCentrings  = 0;         // centreCursor calls
    int shutdowns        = 0;         // shutdownGame calls
    uint32_t* fakeClock  = nullptr;   // when set, platformMilliseconds reads it
};

extern FakeRecord fakeRecord;

void resetFakes();
