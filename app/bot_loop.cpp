// The bot's frame: the exchange, the brain in place of input, the simulation, its records,
// the player's name and numbers, the silence check, the frame floor. Nothing is drawn.
#include "app/bot_loop.h"

#include <cstdio>

#include <cerrno>
#include <cstring>

#include "app/data_folder.h"
#include "app/frame_floor.h"
#include "app/frame_records.h"
#include "app/platform.h"
#include "app/player_announce.h"
#include "net/net.h"
#include "world/bot_brain.h"
#include "world/contact.h"
#include "world/frame_update.h"
#include "world/random.h"
#include "world/universe.h"
#include "world/world_state.h"

namespace {
constexpr uint32_t SEED_BITS        = 0xFFFFu;
constexpr int EXIT_NO_DATA          = 1;

FrameReport report;

int endQuietly(const NetEnding& ending, bool quiet) {
    if (!quiet) std::fprintf(stderr, "voranis-bot: %s\n", ending.text);
    netShutdown();
    return ending.exitCode;
}

// Until its machine tells otherwise, a bot is named for its slot.
void nameForSlot(const BotOptions& options) {
    char name[PLAYER_NAME_CHARS + 1];
    if (options.name[0] != '\0') {
        setLocalName(options.name);
    } else {
        std::snprintf(name, sizeof name, "BOT %d", static_cast<int>(localPlayer));
        setLocalName(name);
    }
}
} // namespace

int runBot(const BotOptions& options) {
    // The same planets as everyone's, from the game's data folder: a bot without them would
    // fly through what the others steer round.
    enterDataFolder();
    UniverseTextures pictures;
    if (!loadUniverse(UNIVERSE_FILE, &pictures)) {
        std::fprintf(stderr, "voranis-bot: cannot read %s: %s\n", UNIVERSE_FILE,
                     std::strerror(errno));
        return EXIT_NO_DATA;
    }
    // Bots started together differ by their process, or they would all spawn alike.
    const uint32_t seed =
        platformMilliseconds() ^ static_cast<uint32_t>(platformProcessId()) * 2654435761u;
    gameSrand(seed & SEED_BITS);
    resetPlayerTable();
    resetConnSlots();
    const BotSkill& skill = BOT_SKILLS[options.skill - 1];
    BotMind mind;
    resetBotMind(&mind, seed);
    netJoinStart(options.address, options.port);
    for (;;) {
        frameStart = platformMilliseconds();
        if (platformStarterGone()) {
            netShutdown();
            return 0;
        }
        NetEnding ending = netExchange(0, frameStart);
        if (ending.exitCode != 0) return endQuietly(ending, options.quiet);
        if (isValidSlot(localPlayer)) {
            nameForSlot(options);
            if (playerTable[localPlayer].health > 0) {
                thinkBot(&mind, skill);
            } else if (botWantsRespawn(&mind)) {
                spawnLocalPlayer(localPlayer);
            }
        }
        simulateFrame(&report);
        for (int n = 0; n < report.count; ++n)
            sendFrameRecord(report.event[n]);
        announcePlayer(frameStart);
        ending = checkGlobalTimeout();
        if (ending.exitCode != 0) return endQuietly(ending, options.quiet);
        waitFrameFloor();
    }
}
