// The games list: discovery polled on a timer, the list redrawn only when it changed, the
// chosen game kept chosen.
#include "app/dialog/game_list.h"

#include <FL/Fl.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/fl_draw.H>

#include <cstdio>
#include <cstring>

#include "net/discovery_browser.h"
#include "platform/platform.h"

namespace {
constexpr char COLUMN_SEPARATOR      = '\t';
constexpr int COLUMN_COUNT           = 3;
constexpr const char* WIDEST_PLAYERS = "8/8";
constexpr const char* WIDEST_ADDRESS = "255.255.255.255:65535";
constexpr int COLUMN_GAP             = 12; // pixels
constexpr int LIST_LINE_SIZE =
    DISCOVERY_NAME_SIZE + DISCOVERY_ARENA_SIZE + PLAYERS_TEXT_SIZE + ADDRESS_TEXT_SIZE + 12;
static_assert(GAME_ADDRESS_TEXT_SIZE == ADDRESS_TEXT_SIZE, "an address shown is an address found");

Fl_Hold_Browser* shownList = nullptr;
FoundGame shown[DISCOVERY_FOUND_MAX];
int shownCount = -1; // nothing drawn yet
int columnWidths[COLUMN_COUNT + 1];

bool sameGames(const FoundGame* games, int count) {
    if (count != shownCount) return false;
    for (int i = 0; i < count; ++i) {
        if (games[i].hostingId != shown[i].hostingId ||
            std::strcmp(games[i].players, shown[i].players) != 0)
            return false;
    }
    return true;
}

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
    list->column_char(COLUMN_SEPARATOR);
}

void showGames(const FoundGame* games, int count) {
    uint32_t chosen = 0;
    const int line  = shownList->value();
    if (line >= 1 && line <= shownCount) chosen = shown[line - 1].hostingId;
    shownList->clear();
    for (int i = 0; i < count; ++i) {
        char text[LIST_LINE_SIZE];
        const bool arena = games[i].arena[0] != '\0';
        std::snprintf(text, sizeof text, "%s%s%s%s\t%s\t%s", games[i].name, arena ? " (" : "",
                      games[i].arena, arena ? ")" : "", games[i].players, games[i].address);
        // '@' would start one of FLTK's formatting codes.
        for (char* c = text; *c; ++c) {
            if (*c == '@') *c = '?';
        }
        shownList->add(text);
        if (games[i].hostingId == chosen) shownList->value(i + 1);
        shown[i] = games[i];
    }
    if (count == 0) shownList->add(NO_GAMES_FOUND_TEXT);
    shownCount = count;
}

void poll(void* browser) {
    DiscoveryBrowser& b = *static_cast<DiscoveryBrowser*>(browser);
    discoveryBrowse(b, platformMilliseconds());
    FoundGame games[DISCOVERY_FOUND_MAX];
    const int count = discoveryFoundGames(b, games);
    if (!sameGames(games, count)) showGames(games, count);
    Fl::repeat_timeout(GAME_LIST_POLL_SECONDS, poll, browser);
}
} // namespace

void startGameList(Fl_Hold_Browser* list, DiscoveryBrowser& browser) {
    shownList  = list;
    shownCount = -1;
    setColumns(list);
    char reason[DISCOVERY_REASON_SIZE];
    if (!discoveryBrowseOpen(browser, DISCOVERY_PORT, reason, sizeof reason)) {
        list->add(reason);
        return;
    }
    poll(&browser);
}

void stopGameList(DiscoveryBrowser& browser) {
    Fl::remove_timeout(poll, &browser);
    discoveryBrowseClose(browser);
    shownList = nullptr;
}

bool gameListAddress(int line, char address[GAME_ADDRESS_TEXT_SIZE]) {
    if (line < 1 || line > shownCount) return false;
    std::snprintf(address, GAME_ADDRESS_TEXT_SIZE, "%s", shown[line - 1].address);
    return true;
}
