// The honest, dribbling, dropping, idle and probing peers of the soak.
#include "tests/soak/soak_peers.h"

#include <cerrno>
#include <chrono>
#include <poll.h>
#include <random>
#include <sys/socket.h>
#include <unistd.h>

namespace {
using Clock = std::chrono::steady_clock;

constexpr std::size_t READ_CHUNK = 64 * 1024;
constexpr int STALL_RESYNC_MS    = 200; // a sender this late starts afresh, not in a burst
constexpr int POLL_STEP_MS       = 100; // waits look at the stop flag this often
constexpr int RETRY_MS           = 200; // a refused idle connection tries again after this
constexpr int DROPPER_PAUSE_MS   = 100;
constexpr int LATE_PEERS_WAIT_MS = 10000;            // for the long-lived peers to take their slots
constexpr int LONG_LIVED_PEERS   = HONEST_PEERS + 2; // honest, hostile, dribbler

enum class Join { JOINED, REFUSED, FAILED };

// A refusal is one record naming slot 0, then the host's close, and nothing else.
bool refusedCleanly(int fd, const NetMessage& first) {
    std::size_t extra = 0;
    return netMessageSlot(first) == 0 && closedByHost(fd, PEER_WAIT_MS, &extra) && extra == 0;
}

// Connects and reads the host's first record. On JOINED *fd is open and *slot holds the slot.
Join joinHost(SoakShared& shared, const char* who, int receiveBuffer, int* fd, int32_t* slot) {
    *fd = connectToHost(receiveBuffer);
    uint8_t record[NET_RECORD_SIZE];
    if (*fd < 0 || !readExactly(*fd, record, sizeof record, PEER_WAIT_MS, shared.stop)) {
        if (!shared.stop.load()) noteFault(shared.faults, "%s: no first record from the host", who);
        if (*fd >= 0) ::close(*fd);
        return Join::FAILED;
    }
    NetMessage first = decodeNetMessage(record);
    int32_t type     = netMessageType(first);
    *slot            = netMessageSlot(first);
    if (type == MSG_WELCOME && *slot >= 1 && *slot < MAX_PLAYERS) {
        shared.welcomes += 1;
        return Join::JOINED;
    }
    if (type != MSG_SERVER_FULL || !refusedCleanly(*fd, first))
        noteFault(shared.faults,
                  "%s: first record type %d slot %d is neither a welcome nor a clean refusal", who,
                  type, *slot);
    ::close(*fd);
    return type == MSG_SERVER_FULL ? Join::REFUSED : Join::FAILED;
}

bool waitForWelcomes(const SoakShared& shared, int count, int waitMs) {
    auto deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    while (shared.welcomes.load() < count) {
        if (shared.stop.load() || Clock::now() > deadline) return false;
        sleepUnlessStopped(shared.stop, 10);
    }
    return true;
}

// Reads and checks whatever has arrived; false when the host closed the connection.
bool readWaiting(SoakShared& shared, int fd, StreamCheck& check) {
    uint8_t chunk[READ_CHUNK];
    for (;;) {
        ssize_t n = ::recv(fd, chunk, sizeof chunk, MSG_DONTWAIT);
        if (n > 0) {
            checkStreamBytes(shared, check, chunk, static_cast<std::size_t>(n));
            continue;
        }
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR);
    }
}

// Reads and checks until the host closes (true), the wait ends or the soak stops.
bool readToClose(SoakShared& shared, int fd, StreamCheck& check, int waitMs) {
    auto deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    while (Clock::now() < deadline) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, POLL_STEP_MS) > 0 && !readWaiting(shared, fd, check)) return true;
        if (shared.stop.load() && waitMs > POLL_STEP_MS) return false;
    }
    return false;
}

int msUntil(Clock::time_point t) {
    auto us = std::chrono::duration_cast<std::chrono::microseconds>(t - Clock::now()).count();
    return us <= 0 ? 0 : static_cast<int>((us + 999) / 1000);
}
} // namespace

void runHonestPeer(SoakShared& shared, int index, HonestResult& out) {
    static const char* const NAMES[HONEST_PEERS] = {"honest A", "honest B", "honest C"};
    out.check.who                                = NAMES[index];
    int fd                                       = -1;
    int32_t slot                                 = -1;
    if (joinHost(shared, out.check.who, 0, &fd, &slot) != Join::JOINED) {
        noteFault(shared.faults, "%s: no slot", out.check.who);
        return;
    }
    shared.honestSlot[index] = slot; // known before its first record can be relayed
    out.joined               = true;
    out.check.ownSlot        = slot;
    auto next                = Clock::now();
    while (!shared.stop.load()) {
        auto now = Clock::now();
        if (now >= next) {
            uint8_t record[NET_RECORD_SIZE];
            encodeNetMessage(sequencedState(slot, out.sent + 1, HONEST_HEALTH), record);
            if (!sendAll(fd, record, sizeof record, shared.stop)) break;
            out.sent += 1;
            next += std::chrono::milliseconds(FRAME_TIME_MS);
            if (now - next > std::chrono::milliseconds(STALL_RESYNC_MS)) next = now;
        }
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, msUntil(next)) > 0 && !readWaiting(shared, fd, out.check)) {
            out.closed = !shared.stop.load();
            break;
        }
    }
    if (out.closed) noteFault(shared.faults, "%s: the host closed an honest peer", out.check.who);
    ::close(fd);
}

void runDribbler(SoakShared& shared, DribblerResult& out) {
    yieldToHost();
    StreamCheck check;
    check.who    = "dribbler";
    int fd       = -1;
    int32_t slot = -1;
    if (joinHost(shared, check.who, 0, &fd, &slot) != Join::JOINED) return;
    shared.dribblerSlot = slot;
    check.ownSlot       = slot;
    for (uint32_t seq = 1; !shared.stop.load(); ++seq) {
        uint8_t record[NET_RECORD_SIZE];
        encodeNetMessage(sequencedState(slot, seq, DRIBBLER_HEALTH), record);
        ledgerNote(shared.ledger, record, slot);
        int sent = 0;
        for (; sent < NET_RECORD_SIZE && !shared.stop.load(); ++sent) {
            if (!sendAll(fd, record + sent, 1, shared.stop)) break;
            out.bytes += 1;
            sleepUnlessStopped(shared.stop, FRAME_TIME_MS);
            if (!readWaiting(shared, fd, check)) {
                if (!shared.stop.load()) noteFault(shared.faults, "dribbler: the host closed it");
                ::close(fd);
                return;
            }
        }
        if (sent == NET_RECORD_SIZE) out.records += 1;
    }
    ::close(fd);
}

void runDropper(SoakShared& shared, uint32_t seed, DropperResult& out) {
    yieldToHost();
    waitForWelcomes(shared, LONG_LIVED_PEERS, LATE_PEERS_WAIT_MS);
    std::mt19937 rng(seed);
    uint32_t serial = 0;
    while (!shared.stop.load()) {
        int fd       = -1;
        int32_t slot = -1;
        Join join    = joinHost(shared, "dropper", 0, &fd, &slot);
        if (join == Join::REFUSED) out.refusals += 1;
        if (join == Join::JOINED) {
            out.joins += 1;
            uint8_t record[NET_RECORD_SIZE];
            for (uint32_t w = rng() % 4; w > 0; --w) {
                encodeNetMessage(sequencedState(slot, ++serial, DROPPER_HEALTH), record);
                ledgerNote(shared.ledger, record, slot);
                if (sendAll(fd, record, sizeof record, shared.stop)) out.wholeRecords += 1;
            }
            // Never noted: no peer may ever see this record, whole or in part.
            encodeNetMessage(sequencedState(slot, ++serial, DROPPER_HEALTH), record);
            sendAll(fd, record, 1 + rng() % (NET_RECORD_SIZE - 1), shared.stop);
            sleepUnlessStopped(shared.stop, 3 * FRAME_TIME_MS); // the host takes the part
            if (rng() % 2) {
                resetOnClose(fd);
                out.resets += 1;
            }
            ::close(fd);
            out.midRecordDrops += 1;
        }
        sleepUnlessStopped(shared.stop, DROPPER_PAUSE_MS);
    }
}

void runIdlePeer(SoakShared& shared, int holdMs, IdleResult& out) {
    yieldToHost();
    waitForWelcomes(shared, LONG_LIVED_PEERS, LATE_PEERS_WAIT_MS);
    while (!shared.stop.load()) {
        int fd       = -1;
        int32_t slot = -1;
        Join join    = joinHost(shared, "idle", IDLE_RECEIVE_BUFFER, &fd, &slot);
        if (join != Join::JOINED) {
            if (join == Join::REFUSED) out.refusals += 1;
            sleepUnlessStopped(shared.stop, RETRY_MS);
            continue;
        }
        out.joins += 1;
        sleepUnlessStopped(shared.stop, holdMs);
        // What the host queued meanwhile, dropped whole at its bound, must still be aligned.
        StreamCheck check;
        check.who     = "idle";
        check.ownSlot = slot;
        bool stopped  = shared.stop.load();
        bool closed   = readToClose(shared, fd, check, stopped ? POLL_STEP_MS : IDLE_DROP_WAIT_MS);
        if (closed) out.drops += 1;
        if (!closed && !stopped && !shared.stop.load())
            noteFault(shared.faults, "idle: the host kept a silent peer in slot %d", slot);
        out.records += check.fromHost + check.fromHonest + check.fromOthers;
        out.gaps += check.gaps;
        ::close(fd);
    }
}

void runFullProbe(SoakShared& shared, int slotsToFill, ProbeResult& out) {
    yieldToHost();
    if (!waitForWelcomes(shared, slotsToFill, LATE_PEERS_WAIT_MS)) {
        if (!shared.stop.load()) noteFault(shared.faults, "probe: the peer slots never filled");
        return;
    }
    int fd       = -1;
    int32_t slot = -1;
    Join join    = joinHost(shared, "probe", 0, &fd, &slot);
    if (join == Join::JOINED) {
        noteFault(shared.faults, "probe: got slot %d beyond the seventh peer", slot);
        ::close(fd);
    }
    out.refused = join == Join::REFUSED;
}
