// shutdownGame: network, bots, sound, display mode, cursor, a screenshot being written, in that
// order, once.
#include "app/shutdown.h"

#include "app/game_recording.h"
#include "app/game_setup.h"
#include "app/game_world.h"
#include "app/screenshot.h"
#include "net/net.h"
#include "platform/platform.h"
#include "sound/sound.h"
#include "step/bot_launcher.h"

namespace {
bool shutDown = false;
}

void shutdownGame() {
    // A second Escape or close may arrive before the loop sees the quit; everything is
    // already put back then.
    if (shutDown) return;
    shutDown = true;
    endGameRecording();
    netShutdown(gameNet);
    stopBots(gameStep.bots); // they see the host gone and end by themselves; this waits for them
    if (gameSetup.soundEnabled) soundShutdown();
    if (gameSetup.fullScreen) platformRestoreDisplayMode();
    platformShowCursor(true);
    finishScreenshot();
}
