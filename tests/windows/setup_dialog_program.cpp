// Runs the set-up dialog once as the game does, between the remembered choices and keeping
// them, and prints how it ended, one line for the test that drives it: "join ADDRESS" or
// "host ADDRESS", then " quit" after the close box, or "host failed: PROBLEM".
#include <cstdio>

#include "app/dialog/setup_dialog.h"
#include "app/settings.h"
#include "net/net_session.h"
#include "step/bot_launcher.h"

int main() {
    static GameSetup setup = startSetup();
    static WorldState world{};
    static NetSession net;
    static BotLauncher bots;
    char problem[SETTINGS_PROBLEM_SIZE];
    if (!loadSettings(&setup, problem)) std::fprintf(stderr, "%s\n", problem);
    const SetupOutcome outcome = runSetupDialog(setup, world, net, bots);
    if (outcome.hostFailed) {
        std::printf("host failed: %s\n", outcome.problem);
        return 1;
    }
    if (!saveSettings(setup, problem)) std::fprintf(stderr, "%s\n", problem);
    std::printf("%s %s%s\n", setup.isServer ? "host" : "join", setup.address,
                outcome.quit ? " quit" : "");
    return 0;
}
