// runFrame: the frame in its fixed order, with no time scaling.
#include "app/frame.h"

#include "app/chat_input.h"
#include "app/fatal_error.h"
#include "app/frame_records.h"
#include "app/game_setup.h"
#include "app/hud_state.h"
#include "app/platform.h"
#include "app/player_announce.h"
#include "net/net.h"
#include "render/render.h"
#include "sound/sound.h"
#include "world/frame_update.h"
#include "world/messages.h"
#include "world/world_state.h"

namespace {
FrameReport frameReport;

void endIfNetworkEnded(const NetEnding& ending) {
    if (ending.exitCode != 0) failGame(ending.exitCode, ending.text, true);
}

void playSound(const FrameEvent& e) {
    if (!gameSetup.soundEnabled) return;
    if (e.kind == FrameEventKind::LISTENER) soundUpdateListener(e.pos, e.vel);
    if (e.kind == FrameEventKind::SHOT_SOUND) soundPlayShot(e.pos);
    if (e.kind == FrameEventKind::EXPLOSION_SOUND) soundPlayExplosion(e.pos);
}
// A joiner without its place yet shows where it is connecting to.
void drawFrame() {
    if (gameSetup.isServer || isValidSlot(localPlayer)) {
        renderFrame(overlayView(frameStart));
        return;
    }
    char address[NET_ADDRESS_TEXT_SIZE];
    netJoinTarget(address);
    renderWaitingScreen(address);
}
} // namespace

void deliverFrameReport(const FrameReport& report) {
    for (int n = 0; n < report.count; ++n) {
        const FrameEvent& e = report.event[n];
        if (sendFrameRecord(e)) continue;
        switch (e.kind) {
        case FrameEventKind::LOCAL_DEATH:
            addKillLine(frameStart, e.slot, localPlayer);
            break;
        case FrameEventKind::LOCAL_DAMAGE:
            noteLocalHit(frameStart);
            break;
        case FrameEventKind::ROCKET_HIT_SHIP:
            noteRocketHitShip(frameStart);
            break;
        default:
            playSound(e);
            break;
        }
    }
    if (report.centreCursor) centreCursor();
}

void runFrame() {
    frameStart = platformMilliseconds();
    endIfNetworkEnded(netExchange(gameSetup.isServer, frameStart));
    simulateFrame(&frameReport);
    deliverFrameReport(frameReport);
    // After the records every peer knows, those only newer peers read.
    announcePlayer(frameStart);
    deliverChat(frameStart);
    dropOldMessages(frameStart);
    if (!gameSetup.isServer) endIfNetworkEnded(checkGlobalTimeout());
    waitFrameFloor();
    drawFrame();
    platformSwapBuffers();
}
