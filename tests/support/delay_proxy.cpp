// The delaying proxy: one thread accepts, two more a connection pump one way each.
#include "tests/support/delay_proxy.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <deque>
#include <random>

using Clock           = std::chrono::steady_clock;
constexpr int STEP_MS = 1; // how late a due chunk or the stop may be seen

DelayProxy::DelayProxy(int port, int targetPort, int baseMs, int jitterMs)
    : listener_(listenAsHost(port)), lowestMs_(baseMs - jitterMs), highestMs_(baseMs + jitterMs),
      accepter_(&DelayProxy::acceptLinks, this, targetPort) {}

DelayProxy::~DelayProxy() {
    stop_ = true;
    accepter_.join();
    for (std::thread& pump : pumps_)
        pump.join();
    if (listener_ >= 0) ::close(listener_);
}

void DelayProxy::acceptLinks(int targetPort) {
    while (listener_ >= 0 && !stop_) {
        Peer client = acceptPeer(listener_, STEP_MS);
        Peer server = client.fd >= 0 ? connectPeer(targetPort) : Peer{};
        if (server.fd < 0) continue; // nobody came, or nobody to link them to
        pumps_.emplace_back(&DelayProxy::pump, this, client.fd, server.fd, pumps_.size());
        pumps_.emplace_back(&DelayProxy::pump, this, server.fd, client.fd, pumps_.size());
        peers_.push_back(std::move(client));
        peers_.push_back(std::move(server));
    }
}

// Chunks from `from` go to `to` when their delay is over; from's end follows the last one.
void DelayProxy::pump(int from, int to, unsigned seed) {
    std::mt19937 random(seed); // the same delays every run
    std::uniform_int_distribution<int> delayMs(lowestMs_, highestMs_);
    std::deque<std::pair<Clock::time_point, std::vector<uint8_t>>> queue;
    uint8_t bytes[4096];
    for (bool ended = false; !stop_ && !(ended && queue.empty());) {
        pollfd p{ended ? -1 : from, POLLIN, 0};
        if (::poll(&p, 1, STEP_MS) > 0) {
            const ssize_t n = ::recv(from, bytes, sizeof bytes, 0);
            if (n > 0)
                queue.emplace_back(Clock::now() + std::chrono::milliseconds(delayMs(random)),
                                   std::vector<uint8_t>(bytes, bytes + n));
            ended = n <= 0;
        }
        // Only the front goes: an early chunk never passes an earlier one.
        while (!queue.empty() && queue.front().first <= Clock::now()) {
            std::vector<uint8_t>& b = queue.front().second;
            const ssize_t sent      = ::send(to, b.data(), b.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (sent < 0 && errno != EAGAIN) return; // to is gone
            if (sent <= 0) break;
            b.erase(b.begin(), b.begin() + sent);
            if (b.empty()) queue.pop_front();
        }
    }
    ::shutdown(to, SHUT_WR);
}
