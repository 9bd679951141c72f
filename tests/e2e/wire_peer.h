// A test peer on 127.0.0.1:2345 that speaks the 40-byte record: it joins the real host,
// sends a state record of its own every 15 ms like a player's machine, and keeps what the
// host sends and relays, so a test can see every player's position, health and rockets.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

constexpr int TYPE_WELCOME     = 1010;
constexpr int TYPE_STATE       = 1013;
constexpr int TYPE_ROCKET      = 1014;
constexpr int TYPE_SERVER_FULL = 1016;
constexpr int PLAYERS          = 8;
constexpr int NO_KILLER        = -1;

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

struct ShipState {
    long records = 0; // state records seen from this slot
    int killer   = NO_KILLER;
    int health   = 0;
    Vec3 pos;
    float yaw   = 0;
    float pitch = 0;
};

struct RocketRecord {
    int slot  = 0;
    int index = 0;
    int life  = 0;
    Vec3 pos;
    Vec3 vel;
};

// A state record that differs in health from the one before it, or names a killer.
struct StateEvent {
    int slot;
    ShipState state;
};

class WirePeer {
  public:
    WirePeer() = default;
    ~WirePeer(); // stops its threads and hangs up
    WirePeer(const WirePeer&)            = delete;
    WirePeer& operator=(const WirePeer&) = delete;

    // Connects and reads the first record: the slot of the welcome, or -1 with `refused`
    // set when the host is full, or -1 when nothing comes.
    int join(int timeoutMs, bool* refused = nullptr);
    // Starts reading everything and sending this peer's state every 15 ms.
    void start(Vec3 pos, int health);

    void placeShip(Vec3 pos);
    void setHealth(int health, int killer); // killer goes out in one record only
    // While armed, every impact (life 99) of `shooter`'s rockets within reach of this
    // ship costs it 9 points, the most one rocket takes; at 0 it names the shooter, once.
    void takeHitsFrom(int shooter);
    int ownHealth() const;
    int slot() const { return slot_; }

    void sendRocket(int index, int life, Vec3 pos, Vec3 vel);

    ShipState ship(int slot) const;
    std::vector<RocketRecord> rockets() const;
    std::vector<StateEvent> events() const;
    bool connected() const { return !hungUp_; }
    // Polls `done` until it holds or the time is up.
    bool waitUntil(const std::function<bool()>& done, int timeoutMs) const;

  private:
    void readLoop();
    void sendLoop();
    void sendState();
    void onRecord(const uint8_t record[40]);

    int socket_ = -1;
    int slot_   = -1;
    std::atomic<bool> stop_{false};
    std::atomic<bool> hungUp_{false};
    std::thread reader_, sender_;
    mutable std::mutex lock_;
    std::mutex sendLock_;
    // Own ship.
    Vec3 pos_;
    int health_        = 100;
    int pendingKiller_ = NO_KILLER;
    int shooter_       = -1;
    // What arrived.
    ShipState ships_[PLAYERS];
    std::vector<RocketRecord> rockets_;
    std::vector<StateEvent> events_;
};
