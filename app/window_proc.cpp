// gameWindowProc: the only place where the player's input enters the game.
#include "app/window_proc.h"

#include "app/chat_input.h"
#include "app/game_world.h"
#include "app/held_keys.h"
#include "app/hud_state.h"
#include "app/main_loop.h"
#include "app/shutdown.h"
#include "platform/platform.h"
#include "world/contact.h"
#include "world/world_state.h"

namespace {
void quitGame() {
    shutdownGame();
    postQuitMessage(0);
}

// Opening the chat line lets go of every movement key, so the ship stops while one types.
void startChat() {
    releaseEveryKey(gameWorld.controls);
    openChat();
}

void keyDown(GameKey key) {
    if (key == GameKey::TAB) holdScoreboard(true);
    if (chatIsOpen()) {
        if (key == GameKey::BACKSPACE) eraseFromChat();
        if (key == GameKey::ENTER) sendChat(gameWorld, platformMilliseconds());
        return;
    }
    if (key == GameKey::CHAT) {
        startChat();
        return;
    }
    pressKey(gameWorld.controls, key);
}

void keyUp(GameKey key) {
    if (key == GameKey::TAB) holdScoreboard(false);
    releaseKey(gameWorld.controls, key);
}
} // namespace

void applyMouseLook(float& yaw, float& pitch, int dx, int dy) {
    yaw += static_cast<float>(dx) * LOOK_FACTOR;
    pitch += static_cast<float>(dy) * LOOK_FACTOR;
    if (yaw > YAW_LIMIT) {
        yaw -= YAW_LIMIT;
    } else if (yaw < 0.0f) {
        yaw += YAW_LIMIT;
    }
    if (pitch > PITCH_LIMIT) {
        pitch = PITCH_LIMIT;
    } else if (pitch < -PITCH_LIMIT) {
        pitch = -PITCH_LIMIT;
    }
}

void gameWindowProc(const InputEvent& event) {
    switch (event.kind) {
    case InputKind::KEY_DOWN:
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
        // Until this machine has a slot there is no ship to turn.
        if (!isValidSlot(gameWorld.localPlayer)) return;
        applyMouseLook(gameWorld.players[gameWorld.localPlayer].yaw,
                       gameWorld.players[gameWorld.localPlayer].pitch, event.dx, event.dy);
        return;
    case InputKind::LEFT_BUTTON_DOWN:
        gameWorld.controls.fire = 1;
        return;
    case InputKind::RIGHT_BUTTON_DOWN:
        if (isValidSlot(gameWorld.localPlayer) &&
            gameWorld.players[gameWorld.localPlayer].health < 1) {
            spawnLocalPlayer(gameWorld, gameWorld.localPlayer);
        }
        return;
    case InputKind::RESIZED: // the main loop fits the scene
    case InputKind::OTHER:
        return;
    }
}
