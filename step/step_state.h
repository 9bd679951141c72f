// What the step keeps between steps beside the world and the network session: the chat on
// its way out, the player info last sent, the host's match and arena, the bots started.
// Each program owns one beside its world and session; a fresh StepState{} starts over.
#pragma once

#include "step/bot_launcher.h"
#include "step/chat_outbox.h"
#include "step/match_host.h"
#include "step/player_announce.h"

struct StepState {
    ChatOutbox chat;
    Announcement announced;
    HostMatch host;
    BotLauncher bots;
};
