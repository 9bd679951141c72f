// gameWindowProc: the only place where the player's input enters the game.
#include "app/window_proc.h"

#include "app/chat_input.h"
#include "app/game_setup.h"
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

bool isMouseButton(InputCode code) {
    return code >= InputCode::MOUSE_LEFT && code < InputCode::COUNT;
}

// Opening the chat line lets go of every movement, so the ship stops while one types.
void startChat() {
    releaseEveryAction(gameHeldActions);
    composeGameControls(gameWorld.input.controls);
    openChat();
}

// While the chat line is open its keys edit it; the scoreboard still shows.
void editChat(InputCode code, bool scoreboard) {
    if (scoreboard) holdScoreboard(true);
    if (code == InputCode::BACKSPACE) eraseFromChat();
    if (code == InputCode::RETURN || code == InputCode::KEYPAD_ENTER)
        sendChat(gameWorld, gameStep.chat, platformMilliseconds());
}

void inputDown(InputCode code, bool repeat) {
    Action action    = Action::COUNT;
    int place        = 0;
    const bool bound = findBinding(gameSetup.controls, code, &action, &place);
    if (chatIsOpen() && !isMouseButton(code)) {
        editChat(code, bound && action == Action::SCOREBOARD);
        return;
    }
    if (!bound) return;
    pressAction(gameHeldActions, action, place);
    composeGameControls(gameWorld.input.controls);
    switch (action) {
    case Action::FIRE: // a held key fires once, as a click does
        if (!repeat) gameWorld.input.controls.fire = 1;
        return;
    case Action::RESPAWN:
        gameWorld.input.respawn = true; // the step brings back a dead ship only
        return;
    case Action::SCOREBOARD:
        holdScoreboard(true);
        return;
    case Action::CHAT:
        if (!chatIsOpen()) startChat();
        return;
    default:
        return;
    }
}

void inputUp(InputCode code) {
    Action action = Action::COUNT;
    int place     = 0;
    if (!findBinding(gameSetup.controls, code, &action, &place)) return;
    releaseAction(gameHeldActions, action, place);
    composeGameControls(gameWorld.input.controls);
    if (action == Action::SCOREBOARD)
        holdScoreboard(gameHeldActions.placesDown[static_cast<int>(Action::SCOREBOARD)] != 0);
}
} // namespace

void gameWindowProc(const InputEvent& event) {
    switch (event.kind) {
    case InputKind::INPUT_DOWN:
        if (event.code == InputCode::F12 && !event.repeat) requestScreenshot(); // never bound
        inputDown(event.code, event.repeat);
        return;
    case InputKind::INPUT_UP:
        inputUp(event.code);
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
        addLookTurn(gameSetup.controls, event.dx, event.dy, &gameWorld.input.turnYaw,
                    &gameWorld.input.turnPitch);
        return;
    case InputKind::RESIZED: // the main loop fits the scene
    case InputKind::OTHER:
        return;
    }
}
