// The soak's peers, one thread each, all over real loopback connections to the host:
//   honest    joins, sends one numbered state record per frame time, checks all it reads
//   hostile   floods random records: any type, slot, rocket index, NaN and huge floats
//   dribbler  sends numbered state records one byte per frame time
//   dropper   joins, sends a few records and part of one, closes (at times with a reset), again
//   idle      joins and never sends; reads nothing for a while, then all until the host drops it
//   probe     once all seven slots are taken, expects exactly one refusal and a close
// Each returns what it did; every fault goes to the shared log.
#pragma once

#include <cstdint>

#include "tests/soak/soak_wire.h"

constexpr int FRAME_TIME_MS       = 15;
constexpr int IDLE_RECEIVE_BUFFER = 2048;  // small, so the host's queue to it fills fast
constexpr int IDLE_DROP_WAIT_MS   = 20000; // after the hold, for the host to give up on it

struct HonestResult {
    bool joined   = false;
    bool closed   = false; // the host closed it while the soak ran
    uint32_t sent = 0;     // its last sequence number
    StreamCheck check;
};

struct HostileResult {
    int32_t slot  = -1;
    uint64_t sent = 0; // records written whole
};

struct DribblerResult {
    uint64_t bytes   = 0;
    uint64_t records = 0; // completed
};

struct DropperResult {
    int joins          = 0;
    int midRecordDrops = 0; // closes with part of a record sent
    int resets         = 0; // of those, closed with a reset
    int wholeRecords   = 0;
    int refusals       = 0; // one refusal record, then closed
};

struct IdleResult {
    int joins        = 0;
    int drops        = 0; // the host closed it after its silence
    int refusals     = 0;
    uint64_t records = 0; // read after the hold: the host's full queue, then live traffic
    uint64_t gaps    = 0;
};

struct ProbeResult {
    bool refused = false;
};

void runHonestPeer(SoakShared& shared, int index, HonestResult& out);
void runHostilePeer(SoakShared& shared, uint32_t seed, HostileResult& out);
void runDribbler(SoakShared& shared, DribblerResult& out);
void runDropper(SoakShared& shared, uint32_t seed, DropperResult& out);
// Holds each connection for holdMs without reading, then reads until the host closes it.
void runIdlePeer(SoakShared& shared, int holdMs, IdleResult& out);
void runFullProbe(SoakShared& shared, int slotsToFill, ProbeResult& out);
