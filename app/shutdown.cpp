// shutdownGame: network, sound, display mode, cursor, in that order.
#include "app/shutdown.h"

#include "app/platform.h"
#include "app/window.h"
#include "net/net.h"
#include "sound/sound.h"
#include "world/game_setup.h"

void shutdownGame() {
    netShutdown();
    if (gameSetup.soundEnabled) soundShutdown();
    if (gameSetup.fullScreen) restoreDisplayMode();
    platformShowCursor(true);
}
