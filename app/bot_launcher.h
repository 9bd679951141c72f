// The host's bots: started once the host confirms its game, stopped when it ends. They join
// over loopback like any peer and take the lowest free slots.
#pragma once

constexpr const char* BOT_PROGRAM = "voranis-bot"; // beside the game's own program

void startBots(int count, int skill, int port);
void stopBots(); // safe to repeat
