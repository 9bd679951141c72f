// Starting and stopping the bot programs; a bot that cannot start is told of, once.
#include "step/bot_launcher.h"

#include <cstdio>

namespace {
constexpr int FOLDER_SIZE = 1024;
} // namespace

void startBots(BotLauncher& bots, int count, int skill, int port) {
    char folder[FOLDER_SIZE], program[FOLDER_SIZE + 32], address[32], skillText[8];
    platformProgramFolder(folder, sizeof folder);
    std::snprintf(program, sizeof program, "%s%s", folder, BOT_PROGRAM);
    std::snprintf(address, sizeof address, "127.0.0.1:%d", port);
    std::snprintf(skillText, sizeof skillText, "%d", skill);
    const char* argv[] = {BOT_PROGRAM, address, "--skill", skillText, "--quiet", nullptr};
    for (int i = 0; i < count && bots.count < MAX_BOTS; ++i) {
        const ProgramHandle bot = platformStartProgram(program, argv);
        if (bot == NO_PROGRAM) {
            std::fprintf(stderr, "voranis: cannot start the bots: %s is missing or cannot run\n",
                         program);
            return;
        }
        bots.bot[bots.count++] = bot;
    }
}

void stopBots(BotLauncher& bots) {
    for (int i = 0; i < bots.count; ++i)
        platformStopProgram(bots.bot[i]);
    bots.count = 0;
}
