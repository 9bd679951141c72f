// A child that leaves this namespace, wires the veth pair up and runs the responders.
#include "tests/support/other_machine.h"

#include <poll.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "net/discovery_responder.h"

namespace {
[[noreturn]] void serveUntilStopped(HostedGame game, int ready, int stop) {
    DiscoveryResponder responder;
    char reason[DISCOVERY_REASON_SIZE] = "the test is gone";
    bool open = discoveryServeOpen(responder, DISCOVERY_PORT, reason, sizeof reason);
    if (!open || ::write(ready, "r", 1) != 1) std::fprintf(stderr, "responder: %s\n", reason);
    ::close(ready); // the test waits for every responder's word or the pipe's end
    pollfd p[2] = {
        {stop,                                                POLLIN, 0},
        {datagramDescriptor(discoveryServeSocket(responder)), POLLIN, 0}
    };
    while (open && ::poll(p, 2, -1) >= 0 && !p[0].revents)
        discoveryServe(responder, steadyMs(), game.name, "1.0.0", 1, game.tcpPort);
    discoveryServeClose(responder);
    while (::wait(nullptr) > 0) {
    }
    _exit(0);
}
} // namespace

uint32_t steadyMs() {
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool startOtherMachine(const HostedGame* games, int count, OtherMachine& machine) {
    int ready[2], stop[2];
    if (::pipe(ready) != 0 || ::pipe(stop) != 0) return false;
    machine.pid = ::fork();
    if (machine.pid == 0) {
        ::close(ready[0]);
        ::close(stop[1]);
        char wire[512];
        std::snprintf(wire, sizeof wire,
                      "ip link add vdisc1 type veth peer name vdisc0 netns %1$d && ip link set lo "
                      "up && for n in 0 1; do ip addr add 198.18.$n.2/24 broadcast + dev vdisc1 "
                      "&& nsenter -t %1$d -n ip addr add 198.18.$n.1/24 broadcast + dev vdisc0; "
                      "done && ip link set vdisc1 up && nsenter -t %1$d -n ip link set vdisc0 up",
                      int(::getppid()));
        if (::unshare(CLONE_NEWNET) != 0 || std::system(wire) != 0) _exit(1);
        for (int i = 1; i < count; ++i)
            if (::fork() == 0) serveUntilStopped(games[i], ready[1], stop[0]);
        serveUntilStopped(games[0], ready[1], stop[0]);
    }
    ::close(ready[1]);
    ::close(stop[0]);
    machine.stop = stop[1];
    char c       = 0;
    int serving  = 0; // a failed set-up or responder closes its end of the pipe
    while (serving < count && ::read(ready[0], &c, 1) == 1)
        ++serving;
    ::close(ready[0]);
    if (serving < count) stopOtherMachine(machine);
    return serving == count;
}

void stopOtherMachine(OtherMachine& machine) {
    if (machine.stop >= 0) ::close(machine.stop);
    if (machine.pid > 0) ::waitpid(machine.pid, nullptr, 0);
    // The pair would go with the other namespace, but later: the next machine needs the names.
    // Deleting it fails only when it has gone already.
    [[maybe_unused]] const int deleted =
        machine.pid > 0 ? std::system("ip link del vdisc0 2>/dev/null") : 0;
    machine = OtherMachine{};
}
