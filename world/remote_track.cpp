// The glide: a straight line in space, the shorter arc for yaw.
#include "world/remote_track.h"

#include <cmath>

#include "world/vector.h"
#include "world/world_state.h"

namespace {
float mix(float a, float b, float t) {
    return a + (b - a) * t;
}

} // namespace

TrackPose poseOf(const float pos[3], float yaw, float pitch) {
    TrackPose pose;
    for (int a = 0; a < 3; ++a)
        pose.pos[a] = pos[a];
    pose.yaw   = yaw;
    pose.pitch = pitch;
    return pose;
}

TrackPose trackPoseAt(const RemoteTrack& track, uint32_t nowMs) {
    const int32_t since = static_cast<int32_t>(nowMs - track.toMs);
    if (since >= static_cast<int32_t>(TRACK_GLIDE_MS)) return track.to;
    const float t = since <= 0 ? 0.0f : static_cast<float>(since) / TRACK_GLIDE_MS;
    TrackPose pose;
    for (int a = 0; a < 3; ++a)
        pose.pos[a] = mix(track.from.pos[a], track.to.pos[a], t);
    pose.yaw   = track.from.yaw + turnBetween(track.from.yaw, track.to.yaw) * t;
    pose.pitch = mix(track.from.pitch, track.to.pitch, t);
    return pose;
}

void trackRecord(RemoteTrack& track, const TrackPose& record, int32_t health, bool freshSlot,
                 uint32_t nowMs) {
    const TrackPose drawn = trackPoseAt(track, nowMs);
    const bool respawn    = track.health <= 0 && health > 0;
    // A pose that is not finite cannot be glided from; the record's own is drawn or skipped.
    const bool snap = freshSlot || !track.started || respawn ||
                      !(distance(drawn.pos, record.pos) <= TRACK_SNAP_DISTANCE) ||
                      !std::isfinite(drawn.yaw) || !std::isfinite(drawn.pitch);
    track.from    = snap ? record : drawn;
    track.to      = record;
    track.toMs    = nowMs;
    track.health  = health;
    track.started = true;
}

TrackPose drawnShipPose(const WorldState& world, int slot, uint32_t nowMs) {
    if (world.tracks[slot].started) return trackPoseAt(world.tracks[slot], nowMs);
    const Player& p = world.players[slot];
    return poseOf(p.pos, p.yaw, p.pitch);
}
