// The whole world of one program: its tables and scalars in one object that the program owns
// and hands to whatever reads or changes it. Drawing takes it const.
#pragma once

#include <cstdint>

#include "world/match.h"
#include "world/messages.h"
#include "world/remote_track.h"
#include "world/roster.h"
#include "world/step_input.h"
#include "world/tables.h"
#include "world/universe.h"

struct WorldState {
    PlayerTable players;
    Planets planets;
    int32_t planetCount;       // planets in use
    int32_t planetTextureBase; // texture name of the universe file's first TEXTURE line
    int32_t localPlayer;       // FREE_SLOT until this machine has a slot
    int32_t localScore;        // kills credited to the local player
    float spinAngle;           // drives planet rotation
    float pulseAngle;          // rocket roll, explosion turn, damaged-ship alpha
    StepInput input;           // the local player's input, as the next step takes it
    Roster roster;
    Messages messages;
    RemoteTrack tracks[MAX_PLAYERS]; // where the other machines' ships are drawn
    MatchState match;                // the host's: it alone counts kills and ends matches
    MatchView matchView;             // what the HUD shows of the match
    bool awaitingHostWorld;          // a joiner just welcomed: the host's arena may follow
    UniverseTextures planetTextures; // the pictures loaded for planets, in texture order
};

// Every entry free, at full health, no killer, at (1, 0, 0), still, no rockets.
void resetPlayerTable(PlayerTable& players);

// Back to the values of a fresh process: tables zeroed, scalars at their start values,
// nobody named, no lines shown, no input held.
void resetWorld(WorldState& world);
