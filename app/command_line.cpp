// Options, one row each in the programs' shared kind of table: the name, its value, its
// help, and what it sets.
#include "app/command_line.h"

#include <cstdio>
#include <cstring>

#include "app/window.h"
#include "step/bot_launcher.h"

namespace {
constexpr int HIGHEST_PORT = 65535;
constexpr int LARGEST_SIDE = 16384; // past any screen; the window is cut to the real one
constexpr const char* RESOLUTION_WANTED =
    "--resolution wants desktop, or WxH from 640x480 up to the screen, not \"%s\"";

enum Option {
    HELP,
    VERSION,
    HOST,
    JOIN,
    PORT,
    WINDOW,
    FULL_SCREEN,
    RESOLUTION,
    SOUND,
    NO_SOUND,
    NAME,
    BOTS,
    SKILL,
    SCORE_LIMIT,
    TIME_LIMIT,
    ARENA,
    SENSITIVITY,
    INVERT_PITCH,
    NO_INVERT_PITCH,
    FIELD_OF_VIEW,
    PAD_LOOK,
    PAD_DEAD_ZONE,
    BIND,
    DEMO,
    VERIFY,
    NO_RECORD
};

constexpr OptionKind FLAG    = OptionKind::FLAG;
constexpr OptionKind NUMBER  = OptionKind::NUMBER;
constexpr OptionKind TEXT    = OptionKind::TEXT;
constexpr OptionKind DECIMAL = OptionKind::DECIMAL;
static_assert(DECIMAL_SCALE == 100, "the sensitivity is read in hundredths");

// clang-format off
const OptionRow OPTIONS[] = {
    {"host",        nullptr,   "host a game at once, without the set-up dialog",             FLAG,   0, 0, nullptr, HOST, false},
    {"join",        "ADDRESS", "join the game at ADDRESS (a.b.c.d or a name[:port])",        TEXT,   0, 0, nullptr, JOIN, false},
    {"port",        "N",       "host on TCP port N (2345), join on it if ADDRESS has none",  NUMBER, 1, HIGHEST_PORT, nullptr, PORT, false},
    {"window",      nullptr,   "play in a window",                                           FLAG,   0, 0, nullptr, WINDOW, false},
    {"fullscreen",  nullptr,   "play in full screen",                                        FLAG,   0, 0, nullptr, FULL_SCREEN, false},
    {"resolution",  "WxH",     "desktop (full screen's default) or a size, 640x480 up",      TEXT,   0, 0, nullptr, RESOLUTION, false},
    {"sound",       nullptr,   "play sound",                                                 FLAG,   0, 0, nullptr, SOUND, false},
    {"no-sound",    nullptr,   "play without sound",                                         FLAG,   0, 0, nullptr, NO_SOUND, false},
    {"name",        "NAME",    "the name the others see (at most 15 characters)",            TEXT,   0, 0, nullptr, NAME, false},
    {"bots",        "N",       "with --host: start N bots (0 to 7) to play against",         NUMBER, 0, MAX_BOTS, nullptr, BOTS, false},
    {"skill",       "1|2|3",   "the bots' skill: 1 easy, 2 normal, 3 hard",                  NUMBER, 1, BOT_SKILL_LEVELS, "1, 2 or 3", SKILL, false},
    {"score-limit", "N",       "a match ends at N kills (10; 0 for no limit)",               NUMBER, 0, MAX_SCORE_LIMIT, nullptr, SCORE_LIMIT, false},
    {"time-limit",  "MIN",     "a match ends after MIN minutes (10; 0: none)",               NUMBER, 0, MAX_TIME_LIMIT_MINUTES, "minutes from 0 to 999", TIME_LIMIT, false},
    {"arena",       "NAME|rotate", "host in arenas/NAME.uni, or in each in turn",            TEXT,   0, 0, nullptr, ARENA, false},
    {"sensitivity", "X",       "mouse look speed, 0.1 to 5 (1: 0.3 degrees a pixel)",  DECIMAL, SENSITIVITY_LOWEST_HUNDREDTHS, SENSITIVITY_HIGHEST_HUNDREDTHS, nullptr, SENSITIVITY, false},
    {"invert-pitch", nullptr,  "moving the mouse up looks down",                             FLAG,   0, 0, nullptr, INVERT_PITCH, false},
    {"no-invert-pitch", nullptr, "moving the mouse up looks up",                             FLAG,   0, 0, nullptr, NO_INVERT_PITCH, false},
    {"fov",         "DEG",     "the view's height in degrees, 50 to 110 (60)",               NUMBER, FOV_LOWEST, FOV_HIGHEST, nullptr, FIELD_OF_VIEW, false},
    {"pad-look",    "DEG",     "gamepad look speed at full tilt, 30 to 720 a second (180)",  NUMBER, PAD_LOOK_LOWEST, PAD_LOOK_HIGHEST, nullptr, PAD_LOOK, false},
    {"pad-dead-zone", "PERCENT", "gamepad stick tilt taken as centred, 0 to 50 (15)",       NUMBER, PAD_DEAD_ZONE_LOWEST, PAD_DEAD_ZONE_HIGHEST, nullptr, PAD_DEAD_ZONE, false},
    {"bind",        "ACTION=INPUT[,INPUT]", "an action's one or two inputs (see below)",        TEXT,   0, 0, nullptr, BIND, false},
    {"demo",        "FILE",    "play the recorded game FILE (a .vdem demo)",                 TEXT,   0, 0, nullptr, DEMO, false},
    {"verify",      nullptr,   "with --demo: replay it without a window and check it",       FLAG,   0, 0, nullptr, VERIFY, false},
    {"no-record",   nullptr,   "do not record this game as a demo",                          FLAG,   0, 0, nullptr, NO_RECORD, false},
    {"version",     nullptr,   "print the game's version and end",                           FLAG,   0, 0, nullptr, VERSION, false},
    {"help",        nullptr,   "print this help and end",                                    FLAG,   0, 0, nullptr, HELP, false},
};
// clang-format on
constexpr int OPTION_COUNT = sizeof OPTIONS / sizeof OPTIONS[0];
constexpr int HELP_COLUMN  = 20;

// "desktop", a size of the table (its row), or any other size (kept beside the table).
bool readResolution(const char* text, CommandLine* line) {
    if (std::strcmp(text, "desktop") == 0) {
        line->resolutionIndex = DESKTOP_RESOLUTION;
        line->width = line->height = 0;
        return true;
    }
    int w = 0, h = 0, end = 0;
    if (std::sscanf(text, "%5dx%5d%n", &w, &h, &end) != 2 || text[end] != '\0' ||
        w < SMALLEST_WIDTH || h < SMALLEST_HEIGHT || w > LARGEST_SIDE || h > LARGEST_SIDE)
        return false;
    for (int i = 0; i < RESOLUTION_COUNT; ++i) {
        if (resolutionTable[i].width == w && resolutionTable[i].height == h) {
            line->resolutionIndex = i;
            line->width = line->height = 0;
            return true;
        }
    }
    line->width  = w;
    line->height = h;
    return true;
}

bool fail(char problem[COMMAND_PROBLEM_SIZE], const char* format, const char* what) {
    std::snprintf(problem, COMMAND_PROBLEM_SIZE, format, what);
    return false;
}

// Checked now, over the defaults, so a wrong one is a usage error; applied over the
// remembered bindings later.
bool takeBind(const char* value, CommandLine* line, char problem[COMMAND_PROBLEM_SIZE]) {
    ControlSettings check;
    char why[CONTROLS_PROBLEM_SIZE];
    if (!parseBinding(check, value, why)) return fail(problem, "--bind: %s", why);
    if (line->bindCount == MOST_BIND_OPTIONS || std::strlen(value) >= BINDING_TEXT_SIZE)
        return fail(problem, "--bind \"%s\" is one too many or too long", shownValue(value).text);
    std::snprintf(line->binds[line->bindCount++], BINDING_TEXT_SIZE, "%s", value);
    return true;
}

bool take(const OptionRow& row, const char*, const char* value, int number, void* context,
          char problem[COMMAND_PROBLEM_SIZE]) {
    CommandLine* line = static_cast<CommandLine*>(context);
    switch (row.id) {
    case HELP:
        line->help = true;
        return true;
    case VERSION:
        line->version = true;
        return true;
    case HOST:
        if (line->mode == StartMode::JOIN)
            return fail(problem, "%s", "--host and --join exclude each other");
        line->mode = StartMode::HOST;
        return true;
    case JOIN:
        if (line->mode == StartMode::HOST)
            return fail(problem, "%s", "--host and --join exclude each other");
        line->mode = StartMode::JOIN;
        std::snprintf(line->join, sizeof line->join, "%s", value);
        return true;
    case PORT:
        line->port = number;
        return true;
    case WINDOW:
        line->fullScreen = 0;
        return true;
    case FULL_SCREEN:
        line->fullScreen = 1;
        return true;
    case RESOLUTION:
        return readResolution(value, line) || fail(problem, RESOLUTION_WANTED, value);
    case SOUND:
        line->soundEnabled = 1;
        return true;
    case NO_SOUND:
        line->soundEnabled = 0;
        return true;
    case NAME:
        line->nameGiven = true;
        printableText(value, PLAYER_NAME_CHARS, line->name, sizeof line->name);
        return true;
    case BOTS:
        line->bots = number;
        return true;
    case SKILL:
        line->botSkill = number;
        return true;
    case SCORE_LIMIT:
        line->scoreLimit = number;
        return true;
    case TIME_LIMIT:
        line->timeLimitMinutes = number;
        return true;
    case ARENA:
        if (!isPlainName(value, ARENA_NAME_BYTES))
            return fail(problem, "--arena wants a name of letters, digits, _ or -, not \"%s\"",
                        value);
        std::snprintf(line->arena, sizeof line->arena, "%s", value);
        return true;
    case SENSITIVITY:
        line->sensitivityHundredths = number;
        return true;
    case INVERT_PITCH:
    case NO_INVERT_PITCH:
        line->invertPitch = row.id == INVERT_PITCH ? 1 : 0;
        return true;
    case FIELD_OF_VIEW:
        line->fovDegrees = number;
        return true;
    case PAD_LOOK:
        line->padLookSpeed = number;
        return true;
    case PAD_DEAD_ZONE:
        line->padDeadZone = number;
        return true;
    case BIND:
        return takeBind(value, line, problem);
    case DEMO:
        if (std::strlen(value) >= sizeof line->demo)
            return fail(problem, "--demo wants a shorter path, not \"%s\"", shownValue(value).text);
        std::snprintf(line->demo, sizeof line->demo, "%s", value);
        return true;
    case VERIFY:
        line->verify = true;
        return true;
    case NO_RECORD:
        line->noRecord = true;
        return true;
    }
    return false;
}
} // namespace

bool parseCommandLine(int argc, const char* const* argv, CommandLine* line,
                      char problem[COMMAND_PROBLEM_SIZE]) {
    *line = CommandLine{};
    if (!parseOptions(argc, argv, OPTIONS, OPTION_COUNT, OptionTaker{take, nullptr, line}, problem))
        return false;
    if (line->verify && line->demo[0] == '\0')
        return fail(problem, "%s", "--verify wants --demo FILE");
    return true;
}

void applyCommandLine(const CommandLine& line, GameSetup* setup) {
    if (line.port != NOT_GIVEN) setup->port = line.port;
    if (line.resolutionIndex != NOT_GIVEN) setup->resolutionIndex = line.resolutionIndex;
    setup->width  = line.width;
    setup->height = line.height;
    if (line.fullScreen != NOT_GIVEN) setup->fullScreen = line.fullScreen;
    if (line.soundEnabled != NOT_GIVEN) setup->soundEnabled = line.soundEnabled;
    if (line.bots != NOT_GIVEN) setup->bots = line.bots;
    if (line.botSkill != NOT_GIVEN) setup->botSkill = line.botSkill;
    if (line.scoreLimit != NOT_GIVEN) setup->scoreLimit = line.scoreLimit;
    if (line.timeLimitMinutes != NOT_GIVEN) setup->timeLimitMinutes = line.timeLimitMinutes;
    if (line.arena[0] != '\0') std::snprintf(setup->arena, sizeof setup->arena, "%s", line.arena);
    if (line.nameGiven) std::snprintf(setup->name, sizeof setup->name, "%s", line.name);
    if (line.mode == StartMode::JOIN)
        std::snprintf(setup->address, sizeof setup->address, "%s", line.join);
    ControlSettings& controls = setup->controls;
    if (line.sensitivityHundredths != NOT_GIVEN)
        controls.sensitivity = static_cast<float>(line.sensitivityHundredths) / DECIMAL_SCALE;
    if (line.invertPitch != NOT_GIVEN) controls.invertPitch = line.invertPitch != 0;
    if (line.fovDegrees != NOT_GIVEN) controls.fovDegrees = line.fovDegrees;
    if (line.padLookSpeed != NOT_GIVEN) controls.padLookSpeed = line.padLookSpeed;
    if (line.padDeadZone != NOT_GIVEN) controls.padDeadZone = line.padDeadZone;
    char ignored[CONTROLS_PROBLEM_SIZE]; // each was read once already
    for (int b = 0; b < line.bindCount; ++b)
        parseBinding(controls, line.binds[b], ignored);
}

void printUsage(FILE* to) {
    std::fprintf(to, "Usage: voranis [OPTION]...\n"
                     "A space-combat game for up to eight players on a local network. Without\n"
                     "--host or --join the set-up dialog asks; the choices are remembered.\n\n");
    printOptionRows(to, OPTIONS, OPTION_COUNT, HELP_COLUMN);
    std::fprintf(to, "\nACTION is");
    for (int a = 0; a < ACTION_COUNT; ++a)
        std::fprintf(to, " %s", actionRow(static_cast<Action>(a)).name);
    std::fprintf(
        to, ";\nINPUT a key's name (\"W\", \"Left Ctrl\", \"Space\", \"F1\", \"Keypad 1\") or\n"
            "\"Mouse Left\", \"Mouse Right\", \"Mouse Middle\", \"Mouse X1\", \"Mouse X2\".\n"
            "Example: --bind forward=W,Up --bind fire=\"Mouse Left,Space\"\n");
}
