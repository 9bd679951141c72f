// The game program's world, its network session and its step's own state: the window procedure, the
// set-up dialog's commands, the frame and the drawing all work on these. The bot and the server own
// worlds and sessions of their own.
#pragma once

#include "net/net_session.h"
#include "step/step_state.h"
#include "world/world_state.h"

// Process-wide because the window procedure, which the platform calls with no context of
// ours, works on them; everything else takes them as arguments.
extern WorldState gameWorld;
extern NetSession gameNet;
extern StepState gameStep;
