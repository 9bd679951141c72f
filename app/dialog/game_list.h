// The dialog's list of games found on the network: kept filled from discovery while the
// dialog is open, without ever making it wait.
#pragma once

#include <cstddef>

class Fl_Hold_Browser;
struct DiscoveryBrowser;

constexpr double GAME_LIST_POLL_SECONDS = 0.1; // replies are read this often
constexpr const char* NO_GAMES_FOUND_TEXT =
    "No games found on UDP port 2345; type the host's address";
constexpr std::size_t GAME_ADDRESS_TEXT_SIZE = 22; // "255.255.255.255:65535"

// Starts looking for games and showing them in list; a failure to look is shown there too.
void startGameList(Fl_Hold_Browser* list, DiscoveryBrowser& browser);
void stopGameList(DiscoveryBrowser& browser);
// Copies the "a.b.c.d:port" of list line `line` (from 1); false for a line that is no game.
bool gameListAddress(int line, char address[GAME_ADDRESS_TEXT_SIZE]);
