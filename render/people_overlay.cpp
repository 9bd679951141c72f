// Scoreboard, kill and chat lines, the chat being typed, the notice, hit flash and hit mark.
#include "render/people_overlay.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "render/render.h"
#include "render/text.h"
#include "world/messages.h"

namespace {
constexpr float CHAT_BOTTOM_SHARE = 0.80f; // the chat lines end above the score
constexpr float BOARD_WIDTH_SHARE = 0.60f; // of the window's width
constexpr float BOARD_TOP_SHARE   = 0.15f;
constexpr float BOARD_KILLS_AT    = 0.62f; // column starts, of the board's width
constexpr float BOARD_DEATHS_AT   = 0.80f;
constexpr float BOARD_ALPHA       = 0.6f;
constexpr float MARKED_ROW_ALPHA  = 0.25f;
constexpr float FLASH_ALPHA       = 0.6f;
constexpr float WHITE[3]          = {1.0f, 1.0f, 1.0f};
constexpr float GREY[3]           = {0.7f, 0.7f, 0.7f};
constexpr float BLACK[3]          = {0.0f, 0.0f, 0.0f};
constexpr float RED[3]            = {1.0f, 0.1f, 0.1f};
constexpr const char* DESTROYED   = " destroyed ";
constexpr const char* NO_NUMBER   = "-";
constexpr const char* CHAT_PROMPT = "Say: ";
constexpr int ROW_TEXT_SIZE       = 48;
constexpr float LINE_SPACING      = 1.2f;  // of the text height
constexpr int MOST_CHAT_ROWS      = 4;     // one chat line's rows on the narrowest screen
constexpr float RESULT_TOP_SHARE  = 0.05f; // "NAME WINS", above the scoreboard
constexpr float RESULT_SCALE      = 1.6f;  // of the text height
constexpr int SECONDS_PER_MINUTE  = 60;
constexpr const char* WINS        = " WINS";
constexpr const char* DRAW_TEXT   = "DRAW";

const float* colourOf(int32_t slot) {
    return isValidSlot(slot) ? slotTextColours[slot] : WHITE;
}

bool inUse(const WorldState& world, int slot) {
    return slot == world.localPlayer || world.players[slot].slot >= 0;
}

int32_t killsOf(const WorldState& world, int slot) {
    return slot == world.localPlayer  ? world.localScore
           : world.roster.known[slot] ? world.roster.kills[slot]
                                      : 0;
}

int32_t deathsOf(const WorldState& world, int slot) {
    return slot == world.localPlayer  ? world.roster.localDeaths
           : world.roster.known[slot] ? world.roster.deaths[slot]
                                      : 0;
}

// Pieces of text side by side, each in its colour; returns where the next would start.
float drawPiece(float x, float y, float height, const char* text, const float colour[3]) {
    drawText(x, y, height, text, colour);
    return x + textWidth(text, height);
}

void drawKillLines(const WorldState& world, float height, float margin) {
    for (int n = 0; n < world.messages.killCount; ++n) {
        const KillLine& k = world.messages.kill[n];
        char killer[PLAYER_NAME_BYTES + 1], victim[PLAYER_NAME_BYTES + 1];
        playerName(world, k.killer, killer);
        playerName(world, k.victim, victim);
        const float y = margin + static_cast<float>(n) * height * LINE_SPACING;
        float x       = drawPiece(margin, y, height, killer, colourOf(k.killer));
        x             = drawPiece(x, y, height, DESTROYED, WHITE);
        drawPiece(x, y, height, victim, colourOf(k.victim));
    }
}

// Where each row of a chat text starts when rows hold `fit` characters, breaking after a
// space in a row's second half where there is one; start[rows] is where the text ends.
int wrapRows(const char* text, int fit, int start[MOST_CHAT_ROWS + 1]) {
    const int length = static_cast<int>(std::strlen(text));
    int rows = 0, at = 0;
    do {
        start[rows++] = at;
        int end       = std::min(length, at + fit);
        for (int k = end - 1; end < length && k > at + fit / 2; --k) {
            if (text[k] == ' ') {
                end = k + 1;
                break;
            }
        }
        at = end;
    } while (at < length && rows < MOST_CHAT_ROWS);
    start[rows] = std::min(at, length);
    return rows;
}

// A chat line: its prefix in one colour, its text wrapped beside it so that no row runs off
// the screen at 640 x 480. Draws only when `draw`; returns the rows it takes.
int chatLine(float y, float height, float margin, const char* prefix, const float prefixColour[3],
             const char* text, bool draw) {
    const float textLeft = margin + textWidth(prefix, height);
    const float room     = static_cast<float>(drawable.width) - margin - textLeft;
    const int fit        = std::max(1, static_cast<int>(room / textWidth("M", height)));
    int start[MOST_CHAT_ROWS + 1];
    const int rows = wrapRows(text, fit, start);
    if (!draw) return rows;
    drawText(margin, y, height, prefix, prefixColour);
    for (int r = 0; r < rows; ++r) {
        char row[CHAT_TEXT_CHARS + 2] = {};
        std::memcpy(row, text + start[r],
                    static_cast<size_t>(std::min(start[r + 1] - start[r], CHAT_TEXT_CHARS + 1)));
        drawText(textLeft, y + static_cast<float>(r) * height * LINE_SPACING, height, row, WHITE);
    }
    return rows;
}

// The chat lines, oldest first, and the line being typed below them, ending above the score.
void drawChat(const WorldState& world, const OverlayView& view, float height, float margin) {
    char names[CHAT_LINES][PLAYER_NAME_BYTES + 3];
    char typed[CHAT_TEXT_CHARS + 2];
    std::snprintf(typed, sizeof typed, "%s_", view.chatText);
    int rows = view.chatOpen ? chatLine(0, height, margin, CHAT_PROMPT, GREY, typed, false) : 0;
    for (int n = 0; n < world.messages.chatCount; ++n) {
        playerName(world, world.messages.chat[n].slot, names[n]);
        std::strncat(names[n], ": ", sizeof names[n] - std::strlen(names[n]) - 1);
        rows += chatLine(0, height, margin, names[n], WHITE, world.messages.chat[n].text, false);
    }
    float y = static_cast<float>(drawable.height) * CHAT_BOTTOM_SHARE -
              static_cast<float>(rows) * height * LINE_SPACING;
    for (int n = 0; n < world.messages.chatCount; ++n) {
        const ChatLine& c = world.messages.chat[n];
        y += static_cast<float>(
                 chatLine(y, height, margin, names[n], colourOf(c.slot), c.text, true)) *
             height * LINE_SPACING;
    }
    if (view.chatOpen) chatLine(y, height, margin, CHAT_PROMPT, GREY, typed, true);
}

// Where the scoreboard lies: its text's left edge and width, its heading's top, a row's height.
struct BoardPlace {
    float x, w, top, row;
};

BoardPlace boardPlace(float height) {
    const float w = static_cast<float>(drawable.width) * BOARD_WIDTH_SHARE;
    return BoardPlace{(static_cast<float>(drawable.width) - w) / 2.0f, w,
                      static_cast<float>(drawable.height) * BOARD_TOP_SHARE, height * 1.4f};
}

void drawScoreboard(const WorldState& world, float height) {
    int order[MAX_PLAYERS];
    const int count             = scoreboardOrder(world, order);
    const auto [x, w, top, row] = boardPlace(height);
    fillRect(x - height, top - height, w + 2.0f * height,
             row * static_cast<float>(count + 1) + 2.0f * height, BLACK, BOARD_ALPHA);
    drawText(x, top, height, "PLAYER", GREY);
    drawText(x + w * BOARD_KILLS_AT, top, height, "KILLS", GREY);
    drawText(x + w * BOARD_DEATHS_AT, top, height, "DEATHS", GREY);
    for (int r = 0; r < count; ++r) {
        const int slot = order[r];
        const float y  = top + row * static_cast<float>(r + 1);
        if (slot == world.localPlayer)
            fillRect(x - height / 2.0f, y - height * 0.2f, w + height, row, WHITE,
                     MARKED_ROW_ALPHA);
        char name[PLAYER_NAME_BYTES + 1], kills[ROW_TEXT_SIZE], deaths[ROW_TEXT_SIZE];
        playerName(world, slot, name);
        const bool numbers = slot == world.localPlayer || world.roster.known[slot];
        std::snprintf(kills, sizeof kills, "%d", static_cast<int>(killsOf(world, slot)));
        std::snprintf(deaths, sizeof deaths, "%d", static_cast<int>(deathsOf(world, slot)));
        drawText(x, y, height, name, slotTextColours[slot]);
        drawText(x + w * BOARD_KILLS_AT, y, height, numbers ? kills : NO_NUMBER, WHITE);
        drawText(x + w * BOARD_DEATHS_AT, y, height, numbers ? deaths : NO_NUMBER, WHITE);
    }
}

bool inIntermission(const WorldState& world) {
    return world.matchView.number > 0 && world.matchView.phase == MatchPhase::INTERMISSION;
}

void drawCentred(float y, float height, const char* text, const float colour[3]) {
    drawText((static_cast<float>(drawable.width) - textWidth(text, height)) / 2.0f, y, height, text,
             colour);
}

// M:SS at the top centre while a time limit runs.
void drawMatchClock(const WorldState& world, float height, float margin) {
    const int32_t left = world.matchView.secondsLeft;
    if (world.matchView.number <= 0 || left < 0) return;
    char clock[ROW_TEXT_SIZE];
    std::snprintf(clock, sizeof clock, "%d:%02d", static_cast<int>(left / SECONDS_PER_MINUTE),
                  static_cast<int>(left % SECONDS_PER_MINUTE));
    drawCentred(margin, height, clock, WHITE);
}

void drawMatchResult(const WorldState& world, float height) {
    const int32_t winner = world.matchView.winner;
    char text[PLAYER_NAME_BYTES + ROW_TEXT_SIZE];
    if (isValidSlot(winner)) {
        char name[PLAYER_NAME_BYTES + 1];
        playerName(world, winner, name);
        std::snprintf(text, sizeof text, "%s%s", name, WINS);
    } else {
        std::snprintf(text, sizeof text, "%s", DRAW_TEXT);
    }
    drawCentred(static_cast<float>(drawable.height) * RESULT_TOP_SHARE, height * RESULT_SCALE, text,
                colourOf(winner));
}

// Centred at the foot of the screen, between the score and the health.
void drawNotice(const char* text, float height, float margin) {
    drawCentred(static_cast<float>(drawable.height) - margin - height, height, text, WHITE);
}

// Red bands along every edge, fading with the flash.
void drawHitFlash(float strength) {
    const float w = static_cast<float>(drawable.width), h = static_cast<float>(drawable.height);
    const float band = drawable.layout.flashBand, alpha = FLASH_ALPHA * strength;
    fillRect(0.0f, 0.0f, w, band, RED, alpha);
    fillRect(0.0f, h - band, w, band, RED, alpha);
    fillRect(0.0f, band, band, h - 2.0f * band, RED, alpha);
    fillRect(w - band, band, band, h - 2.0f * band, RED, alpha);
}

// Four short strokes on the diagonals around the crosshair.
void drawHitMark(float strength) {
    const float cx  = static_cast<float>(drawable.width) / 2.0f,
                cy  = static_cast<float>(drawable.height) / 2.0f;
    const float in  = drawable.layout.markInner;
    const float out = drawable.layout.markOuter;
    glDisable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, strength);
    glBegin(GL_LINES);
    for (int corner = 0; corner < 4; ++corner) {
        const float sx = corner & 1 ? 1.0f : -1.0f, sy = corner & 2 ? 1.0f : -1.0f;
        glVertex2f(cx + sx * in, cy + sy * in);
        glVertex2f(cx + sx * out, cy + sy * out);
    }
    glEnd();
}
} // namespace

int scoreboardOrder(const WorldState& world, int order[MAX_PLAYERS]) {
    int count = 0;
    for (int slot = 0; slot < MAX_PLAYERS; ++slot) {
        if (inUse(world, slot)) order[count++] = slot;
    }
    std::stable_sort(order, order + count, [&world](int a, int b) {
        if (killsOf(world, a) != killsOf(world, b)) return killsOf(world, a) > killsOf(world, b);
        return deathsOf(world, a) < deathsOf(world, b);
    });
    return count;
}

int scoreboardSlotAt(const WorldState& world, float x, float y) {
    const float height = drawable.layout.textHeight;
    const BoardPlace b = boardPlace(height);
    // A row's marking starts a fifth of the text height above its text.
    const float fromFirst = y - (b.top + b.row - height * 0.2f);
    if (x < b.x - height || x > b.x + b.w + height || fromFirst < 0.0f) return FREE_SLOT;
    int order[MAX_PLAYERS];
    const int count = scoreboardOrder(world, order);
    const int r     = static_cast<int>(fromFirst / b.row);
    return r < count ? order[r] : FREE_SLOT;
}

void drawPeopleOverlay(const WorldState& world, const OverlayView& view) {
    const float height = drawable.layout.textHeight;
    const float margin = drawable.layout.margin;
    drawKillLines(world, height, margin);
    drawChat(world, view, height, margin);
    // The intermission shows the final scoreboard and the result on every screen.
    const bool intermission = inIntermission(world);
    if (view.scoreboard || intermission) drawScoreboard(world, height);
    if (intermission) {
        drawMatchResult(world, height);
    } else {
        drawMatchClock(world, height, margin);
    }
    if (view.notice[0] != '\0') drawNotice(view.notice, height, margin);
    if (view.hitFlash > 0.0f) drawHitFlash(view.hitFlash);
    if (view.hitMark > 0.0f) drawHitMark(view.hitMark);
}
