// A link across the internet on loopback (the kernel here has no netem): listening on
// 127.0.0.1:port, it links each client to 127.0.0.1:targetPort and passes every chunk read
// baseMs +- jitterMs later (uniform), never before an earlier one; threads of its own serve.
#pragma once

#include <atomic>
#include <thread>
#include <vector>

#include "tests/support/peer.h"

class DelayProxy {
  public:
    DelayProxy(int port, int targetPort, int baseMs, int jitterMs);
    ~DelayProxy(); // stops every thread, then closes every connection

  private:
    void acceptLinks(int targetPort);
    void pump(int from, int to, unsigned seed);
    const int listener_, lowestMs_, highestMs_;
    std::atomic<bool> stop_{false};
    std::vector<Peer> peers_;        // both ends of every connection
    std::vector<std::thread> pumps_; // two a connection, one each way
    std::thread accepter_;           // last: it starts once the rest is made
};
