// The dialog's list of games found on the network: kept from discovery while the dialog is
// open, without ever making it wait, and shown one line a game.
#pragma once

#include <cstddef>
#include <cstdint>

#include "net/discovery_browser.h"

constexpr uint32_t GAME_LIST_POLL_MS = 100; // replies are read this often
constexpr const char* NO_GAMES_FOUND_TEXT =
    "No games found on UDP port 2345; type the host's address";
constexpr std::size_t GAME_ADDRESS_TEXT_SIZE = 22; // "255.255.255.255:65535"
// Name (and arena), players and address, separated by tabs.
constexpr char GAME_LINE_COLUMN_SEPARATOR = '\t';
constexpr int GAME_LINE_SIZE =
    DISCOVERY_NAME_SIZE + DISCOVERY_ARENA_SIZE + PLAYERS_TEXT_SIZE + ADDRESS_TEXT_SIZE + 12;
constexpr const char* WIDEST_PLAYERS = "8/8";
constexpr const char* WIDEST_ADDRESS = "255.255.255.255:65535";
constexpr int GAME_LIST_REASON_SIZE  = DISCOVERY_REASON_SIZE;

// The games the list shows, in its rows' order.
struct GameList {
    FoundGame shown[DISCOVERY_FOUND_MAX];
    int count; // -1 before the first poll
};

// Starts looking for games through the session's browser; false, with the reason to show in the
// list, when it cannot.
bool openGameList(GameList& list, DiscoveryBrowser& browser, char reason[GAME_LIST_REASON_SIZE]);
// Reads the replies waiting; true when the games to show changed (list.shown then holds them).
bool pollGameList(GameList& list, DiscoveryBrowser& browser);
void closeGameList(GameList& list, DiscoveryBrowser& browser);
// The list's line for a game: its name (and arena), its players and its address.
void gameLine(const FoundGame& game, char line[GAME_LINE_SIZE]);
// Copies the "a.b.c.d:port" of row `row` (from 0); false for a row that is no game.
bool gameListAddress(const GameList& list, int row, char address[GAME_ADDRESS_TEXT_SIZE]);
// The row showing the game hosted as hostingId; -1 when none does.
int gameListRow(const GameList& list, uint32_t hostingId);
