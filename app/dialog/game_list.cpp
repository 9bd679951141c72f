// The games list: discovery polled by the dialog's timer, a change told only when there is one.
#include "app/dialog/game_list.h"

#include <cstdio>
#include <cstring>

#include "platform/platform.h"

static_assert(GAME_ADDRESS_TEXT_SIZE == ADDRESS_TEXT_SIZE, "an address shown is an address found");

namespace {
bool sameGames(const GameList& list, const FoundGame* games, int count) {
    if (count != list.count) return false;
    for (int i = 0; i < count; ++i) {
        if (games[i].hostingId != list.shown[i].hostingId ||
            std::strcmp(games[i].players, list.shown[i].players) != 0)
            return false;
    }
    return true;
}
} // namespace

bool openGameList(GameList& list, DiscoveryBrowser& browser, char reason[GAME_LIST_REASON_SIZE]) {
    list.count = -1;
    return discoveryBrowseOpen(browser, DISCOVERY_PORT, reason, GAME_LIST_REASON_SIZE);
}

bool pollGameList(GameList& list, DiscoveryBrowser& browser) {
    discoveryBrowse(browser, platformMilliseconds());
    FoundGame games[DISCOVERY_FOUND_MAX];
    const int count = discoveryFoundGames(browser, games);
    if (sameGames(list, games, count)) return false;
    for (int i = 0; i < count; ++i)
        list.shown[i] = games[i];
    list.count = count;
    return true;
}

void closeGameList(GameList& list, DiscoveryBrowser& browser) {
    discoveryBrowseClose(browser);
    list.count = -1;
}

void gameLine(const FoundGame& game, char line[GAME_LINE_SIZE]) {
    const bool arena = game.arena[0] != '\0';
    std::snprintf(line, GAME_LINE_SIZE, "%s%s%s%s%c%s%c%s", game.name, arena ? " (" : "",
                  game.arena, arena ? ")" : "", GAME_LINE_COLUMN_SEPARATOR, game.players,
                  GAME_LINE_COLUMN_SEPARATOR, game.address);
}

bool gameListAddress(const GameList& list, int row, char address[GAME_ADDRESS_TEXT_SIZE]) {
    if (row < 0 || row >= list.count) return false;
    std::snprintf(address, GAME_ADDRESS_TEXT_SIZE, "%s", list.shown[row].address);
    return true;
}

int gameListRow(const GameList& list, uint32_t hostingId) {
    for (int i = 0; i < list.count; ++i) {
        if (list.shown[i].hostingId == hostingId) return i;
    }
    return -1;
}
