// A second machine on the LAN for discovery tests and benchmarks: processes in a network
// namespace of their own, joined to this one by a veth pair carrying two subnets, so each game
// there answers from 198.18.0.2 and 198.18.1.2 (here .1): a block set aside for network tests.
#pragma once

#include <sys/types.h>

#include <cstdint>

struct HostedGame {
    const char* name;
    int tcpPort;
};

struct OtherMachine {
    pid_t pid = -1;
    int stop  = -1; // closing it closes every responder there
};

// Hosts each game (one player in) in a responder process of its own; returns once all of
// them answer, false when the machine could not be set up.
bool startOtherMachine(const HostedGame* games, int count, OtherMachine& machine);
void stopOtherMachine(OtherMachine& machine); // returns once every responder has closed
uint32_t steadyMs();
