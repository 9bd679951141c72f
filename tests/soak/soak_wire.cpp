// Loopback connections, the sequenced records, the ledger and the stream check of the soak.
#include "tests/soak/soak_wire.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/time.h>
#include <thread>
#include <unistd.h>

#include "net/net.h"

namespace {
constexpr int SEND_TIMEOUT_MS    = 100; // a blocked send looks at the stop flag this often
constexpr int SLEEP_STEP_MS      = 20;
constexpr int PEER_NICENESS      = 5;
constexpr std::size_t READ_CHUNK = 4096;
constexpr int MAX_FD_SEARCHED    = 1024;

uint64_t recordHash(const uint8_t record[NET_RECORD_SIZE]) {
    uint64_t h = 1469598103934665603ull; // FNV-1a
    for (int i = 0; i < NET_RECORD_SIZE; ++i) {
        h ^= record[i];
        h *= 1099511628211ull;
    }
    return h;
}

uint32_t floatBits(float f) {
    uint32_t w;
    std::memcpy(&w, &f, sizeof w);
    return w;
}

float bitsFloat(uint32_t w) {
    float f;
    std::memcpy(&f, &w, sizeof f);
    return f;
}

int remainingMs(std::chrono::steady_clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Sequence numbers of one sender must rise; a jump means records were dropped whole.
void checkOrder(SoakShared& shared, StreamCheck& c, int32_t slot, uint32_t seq) {
    if (c.seen[slot] > 0 && seq <= c.lastSeq[slot]) {
        noteFault(shared.faults, "%s: record %u of slot %d came after %u", c.who, seq, slot,
                  c.lastSeq[slot]);
    } else if (c.seen[slot] > 0) {
        c.gaps += seq - c.lastSeq[slot] - 1;
    } else {
        c.firstSeq[slot] = seq;
    }
    c.lastSeq[slot] = seq;
    c.seen[slot] += 1;
}

void checkRecord(SoakShared& shared, StreamCheck& c, const uint8_t record[NET_RECORD_SIZE]) {
    NetMessage msg = decodeNetMessage(record);
    int32_t type   = netMessageType(msg);
    int32_t slot   = netMessageSlot(msg);
    uint32_t seq   = 0;
    int32_t sender = 0;
    if (type != MSG_STATE && type != MSG_ROCKET) {
        // Only a misbehaving peer sends other kinds; the host passes them on unchanged.
        if (!ledgerSender(shared.ledger, record, &sender))
            noteFault(shared.faults, "%s: record of type %d that nobody wrote whole", c.who, type);
        else
            c.fromOthers += 1;
        return;
    }
    if (slot == c.ownSlot) {
        noteFault(shared.faults, "%s: got a record naming its own slot %d", c.who, slot);
    } else if (slot == 0) {
        if (!isHostState(shared, msg))
            noteFault(shared.faults, "%s: torn or forged record naming the host (type %d)", c.who,
                      type);
        else
            c.fromHost += 1;
    } else if (isHonestSlot(shared, slot)) {
        if (!matchesSequenced(msg, HONEST_HEALTH, true, &seq)) {
            noteFault(shared.faults, "%s: torn or forged record naming honest slot %d", c.who,
                      slot);
            return;
        }
        checkOrder(shared, c, slot, seq);
        c.fromHonest += 1;
    } else if (!ledgerSender(shared.ledger, record, &sender)) {
        noteFault(shared.faults, "%s: record naming slot %d that nobody wrote whole", c.who, slot);
    } else if (sender != slot || !netMessageFitsTables(msg)) {
        noteFault(shared.faults, "%s: host relayed slot %d's record naming slot %d", c.who, sender,
                  slot);
    } else {
        if (slot == shared.dribblerSlot.load() &&
            matchesSequenced(msg, DRIBBLER_HEALTH, true, &seq))
            checkOrder(shared, c, slot, seq);
        c.fromOthers += 1;
    }
}
} // namespace

void noteFault(FaultLog& log, const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    std::lock_guard<std::mutex> hold(log.lock);
    log.count += 1;
    if (static_cast<int>(log.first.size()) < FAULTS_KEPT) log.first.emplace_back(text);
}

void ledgerNote(RecordLedger& ledger, const uint8_t record[NET_RECORD_SIZE], int32_t senderSlot) {
    std::lock_guard<std::mutex> hold(ledger.lock);
    ledger.sender[recordHash(record)] = senderSlot;
}

bool ledgerSender(RecordLedger& ledger, const uint8_t record[NET_RECORD_SIZE],
                  int32_t* senderSlot) {
    std::lock_guard<std::mutex> hold(ledger.lock);
    auto found = ledger.sender.find(recordHash(record));
    if (found == ledger.sender.end()) return false;
    *senderSlot = found->second;
    return true;
}

bool isHonestSlot(const SoakShared& shared, int32_t slot) {
    for (const auto& s : shared.honestSlot) {
        if (s.load() == slot) return true;
    }
    return false;
}

NetMessage sequencedState(int32_t slot, uint32_t seq, int32_t health) {
    NetMessage msg = makeControlMessage(MSG_STATE, slot);
    msg.word[2]    = static_cast<uint32_t>(NO_KILLER);
    msg.word[3]    = static_cast<uint32_t>(health);
    msg.word[4]    = floatBits(10.0f * static_cast<float>(slot));
    msg.word[5]    = floatBits(static_cast<float>(seq));
    msg.word[6]    = floatBits(-static_cast<float>(slot));
    msg.word[7]    = floatBits(static_cast<float>(seq % 360));
    msg.word[8]    = floatBits(0.0f);
    msg.word[9]    = seq;
    return msg;
}

bool matchesSequenced(const NetMessage& msg, int32_t health, bool withWord9, uint32_t* seq) {
    float y = bitsFloat(msg.word[5]);
    if (!(y >= 1.0f && y <= static_cast<float>(MAX_EXACT_SEQ)) || std::floor(y) != y) return false;
    *seq                = static_cast<uint32_t>(y);
    NetMessage expected = sequencedState(netMessageSlot(msg), *seq, health);
    int words           = withWord9 ? NET_RECORD_WORDS : NET_RECORD_WORDS - 1;
    return std::memcmp(expected.word, msg.word, words * sizeof msg.word[0]) == 0;
}

bool isHostState(const SoakShared& shared, const NetMessage& msg) {
    if (netMessageType(msg) != MSG_STATE || netMessageSlot(msg) != 0) return false;
    int32_t killer = static_cast<int32_t>(msg.word[2]);
    int32_t health = static_cast<int32_t>(msg.word[3]);
    if (killer != NO_KILLER && !isValidSlot(killer)) return false;
    if (health > FULL_HEALTH) return false;
    for (int a = 0; a < 3; ++a) {
        if (msg.word[4 + a] != floatBits(shared.hostPos[a])) return false;
    }
    return msg.word[7] == floatBits(0.0f) && msg.word[8] == floatBits(0.0f);
}

void checkStreamBytes(SoakShared& shared, StreamCheck& c, const uint8_t* bytes,
                      std::size_t length) {
    while (length > 0) {
        std::size_t take = std::min<std::size_t>(length, NET_RECORD_SIZE - c.pendingLength);
        std::memcpy(c.pending + c.pendingLength, bytes, take);
        c.pendingLength += static_cast<int>(take);
        bytes += take;
        length -= take;
        if (c.pendingLength < NET_RECORD_SIZE) return;
        checkRecord(shared, c, c.pending);
        c.pendingLength = 0;
    }
}

int connectToHost(int receiveBuffer, int sendBuffer) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (receiveBuffer > 0)
        setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    if (sendBuffer > 0) setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &sendBuffer, sizeof sendBuffer);
    timeval timeout{0, SEND_TIMEOUT_MS * 1000};
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    sockaddr_in address{};
    address.sin_family      = AF_INET;
    address.sin_port        = htons(NET_PORT);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool readExactly(int fd, uint8_t* out, std::size_t length, int waitMs,
                 const std::atomic<bool>& stop) {
    auto deadline   = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    std::size_t got = 0;
    while (got < length) {
        if (stop.load() || remainingMs(deadline) == 0) return false;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, std::min(remainingMs(deadline), SLEEP_STEP_MS)) <= 0) continue;
        ssize_t n = ::recv(fd, out + got, length - got, 0);
        if (n <= 0) return false;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

bool sendAll(int fd, const uint8_t* bytes, std::size_t length, const std::atomic<bool>& stop) {
    while (length > 0) {
        ssize_t n = ::send(fd, bytes, length, MSG_NOSIGNAL);
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
            if (stop.load()) return false;
            continue;
        }
        if (n <= 0) return false;
        bytes += n;
        length -= static_cast<std::size_t>(n);
    }
    return true;
}

bool closedByHost(int fd, int waitMs, std::size_t* extraBytes) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    *extraBytes   = 0;
    uint8_t chunk[READ_CHUNK];
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, remainingMs(deadline)) <= 0) return false;
        ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n == 0) return true;
        if (n < 0) return errno == ECONNRESET;
        *extraBytes += static_cast<std::size_t>(n);
    }
}

void resetOnClose(int fd) {
    linger now{1, 0};
    setsockopt(fd, SOL_SOCKET, SO_LINGER, &now, sizeof now);
}

void sleepUnlessStopped(const std::atomic<bool>& stop, int milliseconds) {
    for (int slept = 0; slept < milliseconds && !stop.load(); slept += SLEEP_STEP_MS) {
        std::this_thread::sleep_for(
            std::chrono::milliseconds(std::min(SLEEP_STEP_MS, milliseconds - slept)));
    }
}

void limitHostSendBuffers(int bytes) {
    for (int fd = 0; fd < MAX_FD_SEARCHED; ++fd) {
        int listening     = 0;
        socklen_t size    = sizeof listening;
        sockaddr_in local = {};
        socklen_t length  = sizeof local;
        if (getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &listening, &size) != 0 || !listening)
            continue;
        if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) continue;
        if (local.sin_family == AF_INET && ntohs(local.sin_port) == NET_PORT)
            setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &bytes, sizeof bytes);
    }
}

void yieldToHost() {
    setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), PEER_NICENESS);
}
