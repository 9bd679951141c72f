// Where a remote ship is drawn: its records come a step apart at best, and bunched or late
// across the internet, so the ship glides from where it was drawn to its newest record over
// a fixed time instead of jumping to each. The rules (contact, damage) keep the table's
// newest position; only drawing reads this.
#pragma once

#include <cstdint>

struct WorldState;

constexpr uint32_t TRACK_GLIDE_MS   = 100;  // from the drawn pose to the newest record
constexpr float TRACK_SNAP_DISTANCE = 5.0f; // farther in one record is a respawn: no glide

struct TrackPose {
    float pos[3];
    float yaw;   // degrees
    float pitch; // degrees
};

struct RemoteTrack {
    bool started;   // a record has come since the slot was taken
    TrackPose from; // drawn when the newest record came
    TrackPose to;   // the newest record's
    uint32_t toMs;  // when it came, on the receiver's step clock
    int32_t health; // the newest record's
};

TrackPose poseOf(const float pos[3], float yaw, float pitch);

// The pose at nowMs: from, towards to, reaching it TRACK_GLIDE_MS after toMs and staying
// there (never beyond it); yaw the short way round.
TrackPose trackPoseAt(const RemoteTrack& track, uint32_t nowMs);
// A record that came at nowMs. The glide starts where the ship is drawn now; a fresh slot, a
// respawn (health from 0 or below to above it) or a jump beyond TRACK_SNAP_DISTANCE snaps.
void trackRecord(RemoteTrack& track, const TrackPose& record, int32_t health, bool freshSlot,
                 uint32_t nowMs);
// Where slot's ship is drawn at nowMs: its track's pose once a record came, else the table's.
TrackPose drawnShipPose(const WorldState& world, int slot, uint32_t nowMs);
