// gameWindowProc: the only place where the player's input enters the game.
#include "app/window_proc.h"

#include "app/chat_input.h"
#include "app/game_world.h"
#include "app/held_keys.h"
#include "app/hud_state.h"
#include "app/main_loop.h"
#include "app/screenshot.h"
#include "app/shutdown.h"
#include "platform/platform.h"
#include "world/world_state.h"

namespace {
void quitGame() {
    shutdownGame();
    postQuitMessage(0);
}

// Opening the chat line lets go of every movement key, so the ship stops while one types.
void startChat() {
    releaseEveryKey(gameWorld.input.controls);
    openChat();
}

void keyDown(GameKey key) {
    if (key == GameKey::TAB) holdScoreboard(true);
    if (chatIsOpen()) {
        if (key == GameKey::BACKSPACE) eraseFromChat();
        if (key == GameKey::ENTER) sendChat(gameWorld, gameStep.chat, platformMilliseconds());
        return;
    }
    if (key == GameKey::CHAT) {
        startChat();
        return;
    }
    pressKey(gameWorld.input.controls, key);
}

void keyUp(GameKey key) {
    if (key == GameKey::TAB) holdScoreboard(false);
    releaseKey(gameWorld.input.controls, key);
}
} // namespace

void gameWindowProc(const InputEvent& event) {
    switch (event.kind) {
    case InputKind::KEY_DOWN:
        if (event.key == GameKey::F12 && !event.repeat) requestScreenshot();
        keyDown(event.key);
        return;
    case InputKind::KEY_UP:
        keyUp(event.key);
        return;
    case InputKind::CHAR:
        if (event.character != ESCAPE_CHAR) return;
        if (chatIsOpen()) {
            closeChat();
        } else {
            quitGame();
        }
        return;
    case InputKind::TEXT:
        if (chatIsOpen()) typeIntoChat(event.text);
        return;
    case InputKind::CLOSE:
        quitGame();
        return;
    case InputKind::MOUSE_MOVE:
        // Each motion turns by its whole offset from the look centre, which the cursor leaves
        // only until the next step takes the turn.
        gameWorld.input.turnYaw += static_cast<float>(event.dx) * LOOK_FACTOR;
        gameWorld.input.turnPitch += static_cast<float>(event.dy) * LOOK_FACTOR;
        return;
    case InputKind::LEFT_BUTTON_DOWN:
        gameWorld.input.controls.fire = 1;
        return;
    case InputKind::RIGHT_BUTTON_DOWN:
        gameWorld.input.respawn = true; // the step brings back a dead ship only
        return;
    case InputKind::RESIZED: // the main loop fits the scene
    case InputKind::OTHER:
        return;
    }
}
