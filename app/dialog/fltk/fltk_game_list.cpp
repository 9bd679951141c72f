// The games list on FLTK: the browser redrawn only when the games changed, the chosen game
// kept chosen.
#include "app/dialog/fltk/fltk_game_list.h"

#include <FL/Fl.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/fl_draw.H>

namespace {
constexpr double POLL_SECONDS = GAME_LIST_POLL_MS / 1000.0;
constexpr int COLUMN_COUNT    = 3;
constexpr int COLUMN_GAP      = 12; // pixels

Fl_Hold_Browser* shownList = nullptr;
GameList games{};
int columnWidths[COLUMN_COUNT + 1];

// Name, players and address in columns; the address column is as wide as the widest one.
void setColumns(Fl_Hold_Browser* list) {
    fl_font(list->textfont(), list->textsize());
    const int players = static_cast<int>(fl_width(WIDEST_PLAYERS)) + COLUMN_GAP;
    const int address = static_cast<int>(fl_width(WIDEST_ADDRESS)) + COLUMN_GAP;
    columnWidths[0]   = list->w() - players - address - Fl::box_dw(list->box());
    columnWidths[1]   = players;
    columnWidths[2]   = address;
    columnWidths[3]   = 0;
    list->column_widths(columnWidths);
    list->column_char(GAME_LINE_COLUMN_SEPARATOR);
}

void showGames(uint32_t chosen) {
    shownList->clear();
    for (int i = 0; i < games.count; ++i) {
        char text[GAME_LINE_SIZE];
        gameLine(games.shown[i], text);
        // '@' would start one of FLTK's formatting codes.
        for (char* c = text; *c; ++c) {
            if (*c == '@') *c = '?';
        }
        shownList->add(text);
    }
    if (games.count == 0) shownList->add(NO_GAMES_FOUND_TEXT);
    const int row = gameListRow(games, chosen);
    if (row >= 0) shownList->value(row + 1);
}

void poll(void* browser) {
    const int line  = shownList->value();
    uint32_t chosen = 0;
    if (line >= 1 && line <= games.count) chosen = games.shown[line - 1].hostingId;
    if (pollGameList(games, *static_cast<DiscoveryBrowser*>(browser))) showGames(chosen);
    Fl::repeat_timeout(POLL_SECONDS, poll, browser);
}
} // namespace

void startGameList(Fl_Hold_Browser* list, DiscoveryBrowser& browser) {
    shownList = list;
    setColumns(list);
    char reason[GAME_LIST_REASON_SIZE];
    if (!openGameList(games, browser, reason)) {
        list->add(reason);
        return;
    }
    poll(&browser);
}

void stopGameList(DiscoveryBrowser& browser) {
    Fl::remove_timeout(poll, &browser);
    closeGameList(games, browser);
    shownList = nullptr;
}

bool gameListAddress(int line, char address[GAME_ADDRESS_TEXT_SIZE]) {
    return gameListAddress(games, line - 1, address);
}
