// What the soak's peer threads share: plain loopback connections, the records the
// well-behaved peers send, the ledger of every record a misbehaving peer wrote, and the
// check that a received stream is made of whole, aligned, in-order records.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "net/net_message.h"
#include "world/world_state.h"

constexpr int HONEST_PEERS       = 3;
constexpr int PEER_WAIT_MS       = 5000; // longest a peer waits for bytes that must come
constexpr int FAULTS_KEPT        = 20;   // fault texts kept for the report; all are counted
constexpr int HONEST_HEALTH      = 100;  // health word of each kind of sequenced record,
constexpr int DRIBBLER_HEALTH    = 50;   // so a record cannot pass for another sender's
constexpr int DROPPER_HEALTH     = 25;
constexpr uint32_t MAX_EXACT_SEQ = 1u << 24; // sequence numbers ride in a float too

// Faults seen by any thread; the test fails on the first one.
struct FaultLog {
    std::mutex lock;
    int count = 0;
    std::vector<std::string> first;
};
void noteFault(FaultLog& log, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Every record a misbehaving peer wrote whole, by its 64-bit hash, with the writer's slot.
struct RecordLedger {
    std::mutex lock;
    std::unordered_map<uint64_t, int32_t> sender;
};
void ledgerNote(RecordLedger& ledger, const uint8_t record[NET_RECORD_SIZE], int32_t senderSlot);
// False when no misbehaving peer ever wrote these 40 bytes.
bool ledgerSender(RecordLedger& ledger, const uint8_t record[NET_RECORD_SIZE], int32_t* senderSlot);

struct SoakShared {
    std::atomic<bool> stop{false};
    std::atomic<int32_t> honestSlot[HONEST_PEERS];
    std::atomic<int32_t> dribblerSlot{-1};
    std::atomic<int> welcomes{0}; // connections that got a slot
    float hostPos[3] = {};        // the host's ship, which never moves in the soak
    RecordLedger ledger;
    FaultLog faults;
    SoakShared() {
        for (auto& s : honestSlot)
            s = -1;
    }
};

bool isHonestSlot(const SoakShared& shared, int32_t slot);

// A state record numbered seq: pos = (10 slot, seq, -slot), yaw = seq mod 360, seq in word 9.
NetMessage sequencedState(int32_t slot, uint32_t seq, int32_t health);
// True when msg is exactly such a record for its slot; word 9 is compared when the record
// came off the wire (the host's table does not keep it).
bool matchesSequenced(const NetMessage& msg, int32_t health, bool withWord9, uint32_t* seq);

// The host's own state record: its fixed place, no turn, health at most full.
bool isHostState(const SoakShared& shared, const NetMessage& msg);

// What one receiving connection has seen since its welcome.
struct StreamCheck {
    const char* who                  = "";
    int32_t ownSlot                  = -1;
    uint32_t firstSeq[MAX_PLAYERS]   = {};
    uint32_t lastSeq[MAX_PLAYERS]    = {};
    uint64_t seen[MAX_PLAYERS]       = {}; // sequenced records per sender slot
    uint64_t fromHost                = 0;
    uint64_t fromHonest              = 0;
    uint64_t fromOthers              = 0; // misbehaving peers' records, relayed whole
    uint64_t gaps                    = 0; // sequenced records dropped whole on the way
    uint8_t pending[NET_RECORD_SIZE] = {};
    int pendingLength                = 0;
};
// Cuts the bytes into 40-byte records, carrying a partial one to the next call.
void checkStreamBytes(SoakShared& shared, StreamCheck& check, const uint8_t* bytes,
                      std::size_t length);

// Loopback connections, blocking, with a send time-out so a stop is never missed.
int connectToHost(int receiveBuffer = 0, int sendBuffer = 0);
// False when the bytes do not all come within waitMs, or the soak stops first.
bool readExactly(int fd, uint8_t* out, std::size_t length, int waitMs,
                 const std::atomic<bool>& stop);
bool sendAll(int fd, const uint8_t* bytes, std::size_t length, const std::atomic<bool>& stop);
// Reads until the host closes; true when it closed within waitMs. extraBytes counts what came
// first.
bool closedByHost(int fd, int waitMs, std::size_t* extraBytes);
void resetOnClose(int fd); // the next close sends a reset instead of a farewell
void sleepUnlessStopped(const std::atomic<bool>& stop, int milliseconds);
// Gives the host's listening socket, and so every connection it accepts, system send
// buffers of this size instead of the system's growing megabytes: a backlog then reaches the
// host's own bounded queues within seconds, as on a machine with little memory.
void limitHostSendBuffers(int bytes);
// The peers stand for other machines: they yield this machine's processor to the host.
void yieldToHost();
