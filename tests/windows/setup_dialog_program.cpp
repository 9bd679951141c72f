// Runs the set-up dialog once with the start values and prints how it ended, one line for
// the test that drives it: "join ADDRESS" or "host ADDRESS", then " quit" after the close box,
// or "host failed: PROBLEM".
#include <cstdio>

#include "app/dialog/setup_dialog.h"

int main() {
    static GameSetup setup = startSetup();
    static WorldState world{};
    const SetupOutcome outcome = runSetupDialog(setup, world);
    if (outcome.hostFailed) {
        std::printf("host failed: %s\n", outcome.problem);
        return 1;
    }
    std::printf("%s %s%s\n", setup.isServer ? "host" : "join", setup.address,
                outcome.quit ? " quit" : "");
    return 0;
}
