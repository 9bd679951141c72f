// The test peer: the record written and read byte for byte, little-endian, as the game does.
#include "tests/e2e/wire_peer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstring>

namespace {
constexpr int PORT           = 2345;
constexpr int SEND_PERIOD_MS = 15;
constexpr int MOST_PER_HIT   = 9;
constexpr int IMPACT_LIFE    = 99;
constexpr float HIT_REACH    = 1.5f; // an impact this near the ship was on it

using Clock = std::chrono::steady_clock;

void putWord(uint8_t* at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<uint8_t>(v >> (8 * i));
}
uint32_t getWord(const uint8_t* at) {
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}
void putFloat(uint8_t* at, float f) {
    uint32_t v;
    std::memcpy(&v, &f, 4);
    putWord(at, v);
}
float getFloat(const uint8_t* at) {
    uint32_t v = getWord(at);
    float f;
    std::memcpy(&f, &v, 4);
    return f;
}
int getInt(const uint8_t* at) {
    return static_cast<int32_t>(getWord(at));
}
Vec3 getVec(const uint8_t* at) {
    return {getFloat(at), getFloat(at + 4), getFloat(at + 8)};
}

bool readAll(int s, uint8_t* out, size_t size, int timeoutMs, const std::atomic<bool>* stop) {
    size_t got    = 0;
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (got < size && Clock::now() < deadline && !(stop && *stop)) {
        pollfd p{s, POLLIN, 0};
        if (poll(&p, 1, 50) != 1) continue;
        ssize_t n = recv(s, out + got, size - got, 0);
        if (n <= 0) return false;
        got += static_cast<size_t>(n);
    }
    return got == size;
}
} // namespace

WirePeer::~WirePeer() {
    stop_ = true;
    if (sender_.joinable()) sender_.join();
    if (reader_.joinable()) reader_.join();
    if (socket_ >= 0) close(socket_);
}

int WirePeer::join(int timeoutMs, bool* refused) {
    if (refused) *refused = false;
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (socket_ < 0 && Clock::now() < deadline) {
        int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family      = AF_INET;
        a.sin_port        = htons(PORT);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
            socket_ = s;
        } else {
            close(s);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    if (socket_ < 0) return -1;
    uint8_t record[40];
    int left = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
    if (!readAll(socket_, record, 40, left > 1000 ? left : 1000, nullptr)) return -1;
    int type = getInt(record);
    if (type == TYPE_SERVER_FULL) {
        if (refused) *refused = getInt(record + 4) == 0;
        return -1;
    }
    if (type != TYPE_WELCOME) return -1;
    slot_ = getInt(record + 4);
    return slot_;
}

void WirePeer::start(Vec3 pos, int health) {
    {
        std::lock_guard<std::mutex> g(lock_);
        pos_    = pos;
        health_ = health;
    }
    reader_ = std::thread([this] { readLoop(); });
    sender_ = std::thread([this] { sendLoop(); });
}

void WirePeer::placeShip(Vec3 pos) {
    std::lock_guard<std::mutex> g(lock_);
    pos_ = pos;
}

void WirePeer::setHealth(int health, int killer) {
    std::lock_guard<std::mutex> g(lock_);
    health_        = health;
    pendingKiller_ = killer;
}

void WirePeer::takeHitsFrom(int shooter) {
    std::lock_guard<std::mutex> g(lock_);
    shooter_ = shooter;
}

int WirePeer::ownHealth() const {
    std::lock_guard<std::mutex> g(lock_);
    return health_;
}

void WirePeer::sendRocket(int index, int life, Vec3 pos, Vec3 vel) {
    uint8_t r[40] = {};
    putWord(r, TYPE_ROCKET);
    putWord(r + 4, static_cast<uint32_t>(slot_));
    putWord(r + 8, static_cast<uint32_t>(index));
    putWord(r + 12, static_cast<uint32_t>(life));
    putFloat(r + 16, pos.x);
    putFloat(r + 20, pos.y);
    putFloat(r + 24, pos.z);
    putFloat(r + 28, vel.x);
    putFloat(r + 32, vel.y);
    putFloat(r + 36, vel.z);
    std::lock_guard<std::mutex> g(sendLock_);
    send(socket_, r, 40, MSG_NOSIGNAL);
}

void WirePeer::sendState() {
    uint8_t r[40] = {};
    {
        std::lock_guard<std::mutex> g(lock_);
        putWord(r, TYPE_STATE);
        putWord(r + 4, static_cast<uint32_t>(slot_));
        putWord(r + 8, static_cast<uint32_t>(pendingKiller_));
        putWord(r + 12, static_cast<uint32_t>(health_));
        putFloat(r + 16, pos_.x);
        putFloat(r + 20, pos_.y);
        putFloat(r + 24, pos_.z);
        pendingKiller_ = NO_KILLER;
    }
    std::lock_guard<std::mutex> g(sendLock_);
    send(socket_, r, 40, MSG_NOSIGNAL);
}

void WirePeer::sendLoop() {
    while (!stop_) {
        sendState();
        std::this_thread::sleep_for(std::chrono::milliseconds(SEND_PERIOD_MS));
    }
}

void WirePeer::readLoop() {
    uint8_t record[40];
    while (!stop_) {
        if (!readAll(socket_, record, 40, 200, &stop_)) {
            pollfd p{socket_, POLLIN, 0};
            char c;
            if (poll(&p, 1, 0) == 1 && recv(socket_, &c, 1, MSG_PEEK) <= 0) {
                hungUp_ = true;
                return;
            }
            continue;
        }
        onRecord(record);
    }
}

void WirePeer::onRecord(const uint8_t r[40]) {
    int type = getInt(r);
    int slot = getInt(r + 4);
    if (slot < 0 || slot >= PLAYERS) return;
    std::lock_guard<std::mutex> g(lock_);
    if (type == TYPE_STATE) {
        ShipState& s       = ships_[slot];
        int previousHealth = s.health;
        bool first         = s.records == 0;
        s.records += 1;
        s.killer = getInt(r + 8);
        s.health = getInt(r + 12);
        s.pos    = getVec(r + 16);
        s.yaw    = getFloat(r + 28);
        s.pitch  = getFloat(r + 32);
        if (first || s.health != previousHealth || s.killer != NO_KILLER)
            events_.push_back({slot, s});
    } else if (type == TYPE_ROCKET) {
        RocketRecord k{slot, getInt(r + 8), getInt(r + 12), getVec(r + 16), getVec(r + 28)};
        rockets_.push_back(k);
        float dx = k.pos.x - pos_.x, dy = k.pos.y - pos_.y, dz = k.pos.z - pos_.z;
        if (slot == shooter_ && k.life == IMPACT_LIFE && health_ > 0 &&
            std::sqrt(dx * dx + dy * dy + dz * dz) < HIT_REACH) {
            health_ -= MOST_PER_HIT;
            if (health_ <= 0) {
                health_        = 0;
                pendingKiller_ = slot;
            }
        }
    }
}

ShipState WirePeer::ship(int slot) const {
    std::lock_guard<std::mutex> g(lock_);
    return ships_[slot];
}

std::vector<RocketRecord> WirePeer::rockets() const {
    std::lock_guard<std::mutex> g(lock_);
    return rockets_;
}

std::vector<StateEvent> WirePeer::events() const {
    std::lock_guard<std::mutex> g(lock_);
    return events_;
}

bool WirePeer::waitUntil(const std::function<bool()>& done, int timeoutMs) const {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (done()) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}
