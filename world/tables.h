// The world's fixed tables: the player table with every player's rockets, and the planets.
#pragma once

#include <cstdint>

constexpr int MAX_PLAYERS        = 8;
constexpr int ROCKETS_PER_PLAYER = 20;
constexpr int MAX_PLANETS        = 50;
constexpr int FREE_SLOT          = -10; // any negative slot marks a free entry
constexpr int NO_KILLER          = -1;
constexpr int FULL_HEALTH        = 100;

struct Player {
    int32_t slot;   // own index while in use, negative while free
    int32_t health; // alive while above 0
    int32_t killer; // slot credited with this player's death, -1 otherwise
    float pos[3];
    float vel[3]; // this step's step; never sent
    float yaw;    // degrees, 0 looks along -z, 90 along +x
    float pitch;  // degrees, positive looks down
    int32_t rocketLife[ROCKETS_PER_PLAYER];
    float rocketPos[ROCKETS_PER_PLAYER][3];
    float rocketVel[ROCKETS_PER_PLAYER][3];
};

struct PlayerTable {
    Player entry[MAX_PLAYERS];
    Player& operator[](int i) { return entry[i]; }
    const Player& operator[](int i) const { return entry[i]; }
};

// Planets as parallel arrays indexed by planet number.
struct Planets {
    float pos[MAX_PLANETS][3];
    float radius[MAX_PLANETS];
    int32_t texture[MAX_PLANETS];
    float spin[MAX_PLANETS];
};

inline bool isValidSlot(int32_t s) {
    return s >= 0 && s < MAX_PLAYERS;
}
inline bool isValidRocket(int32_t j) {
    return j >= 0 && j < ROCKETS_PER_PLAYER;
}
// A victim's record credits a kill only to another player: a rocket never touches its owner,
// so a record naming the victim's own slot is forged.
inline bool creditsAKill(int32_t victim, int32_t killer) {
    return isValidSlot(killer) && killer != victim;
}
