// The actions, their default inputs, and the rules for binding: an input belongs to one
// action at most, and Escape and F12 to none.
#include "app/controls/controls.h"

#include <cstdio>
#include <cstring>

namespace {
// In Action's order, so an action is its row. The defaults are the game's first keys.
// clang-format off
const ActionRow ACTIONS[ACTION_COUNT] = {
    {Action::FORWARD,    "forward",    "Fly forward",            {InputCode::UP,         InputCode::NONE}},
    {Action::BACKWARD,   "backward",   "Fly backward",           {InputCode::DOWN,       InputCode::NONE}},
    {Action::LEFT,       "left",       "Slide left",             {InputCode::LEFT,       InputCode::NONE}},
    {Action::RIGHT,      "right",      "Slide right",            {InputCode::RIGHT,      InputCode::NONE}},
    {Action::VERTICAL,   "vertical",   "Climb and sink (held)",  {InputCode::LEFT_CTRL,  InputCode::RIGHT_CTRL}},
    {Action::FIRE,       "fire",       "Fire",                   {InputCode::MOUSE_LEFT, InputCode::NONE}},
    {Action::RESPAWN,    "respawn",    "Respawn",                {InputCode::MOUSE_RIGHT, InputCode::NONE}},
    {Action::SCOREBOARD, "scoreboard", "Scoreboard (held)",      {InputCode::TAB,        InputCode::NONE}},
    {Action::CHAT,       "chat",       "Chat",                   {InputCode::T,          InputCode::NONE}},
};
// clang-format on
constexpr int NAME_SIZE = 32; // the longest input or action name and its end, with room

bool validPlace(int place) {
    return place >= 0 && place < INPUTS_PER_ACTION;
}

// A name copied from what a player typed, fit to be shown: anything but printable ASCII
// becomes '?'; cut at NAME_SIZE.
void copyName(const char* text, std::size_t length, char name[NAME_SIZE]) {
    std::snprintf(name, NAME_SIZE, "%.*s", static_cast<int>(length), text);
    for (char* c = name; *c; ++c) {
        if (*c < ' ' || *c > '~') *c = '?';
    }
}

// The next name of a list "A,B" from text on, into name: its first character always belongs
// to it, so "," names the comma key. Returns where the next name starts, or null at the end.
const char* nextName(const char* text, char name[NAME_SIZE]) {
    const char* end          = text[0] ? std::strchr(text + 1, ',') : nullptr;
    const std::size_t length = end ? static_cast<std::size_t>(end - text) : std::strlen(text);
    copyName(text, length, name);
    if (length >= NAME_SIZE) name[NAME_SIZE - 2] = '?'; // too long to be a name: unknown
    return end ? end + 1 : nullptr;
}

bool refuseInput(const char* name, char problem[CONTROLS_PROBLEM_SIZE]) {
    InputCode code = InputCode::NONE;
    if (inputFromName(name, &code)) {
        std::snprintf(problem, CONTROLS_PROBLEM_SIZE, "the input \"%s\" cannot be bound", name);
    } else {
        std::snprintf(problem, CONTROLS_PROBLEM_SIZE,
                      "unknown input \"%s\" (a key as \"W\", \"Left Ctrl\", \"Space\", or "
                      "\"Mouse Left\")",
                      name);
    }
    return false;
}
} // namespace

ControlSettings::ControlSettings() {
    restoreDefaultBindings(*this);
}

const ActionRow& actionRow(Action action) {
    const int row = static_cast<int>(action);
    return ACTIONS[row >= 0 && row < ACTION_COUNT ? row : 0];
}

bool actionFromName(const char* name, Action* action) {
    for (const ActionRow& row : ACTIONS) {
        if (std::strcmp(row.name, name) == 0) {
            *action = row.action;
            return true;
        }
    }
    return false;
}

void addLookTurn(const ControlSettings& settings, int dx, int dy, float* yaw, float* pitch) {
    const float degrees = DEGREES_PER_PIXEL * settings.sensitivity;
    *yaw += static_cast<float>(dx) * degrees;
    *pitch += static_cast<float>(settings.invertPitch ? -dy : dy) * degrees;
}

bool findBinding(const ControlSettings& settings, InputCode code, Action* action, int* place) {
    for (int a = 0; a < ACTION_COUNT; ++a) {
        for (int p = 0; p < INPUTS_PER_ACTION; ++p) {
            if (code == InputCode::NONE || settings.bindings[a][p] != code) continue;
            *action = static_cast<Action>(a);
            *place  = p;
            return true;
        }
    }
    return false;
}

Action actionOfInput(const ControlSettings& settings, InputCode code) {
    Action action = Action::COUNT;
    int place     = 0;
    findBinding(settings, code, &action, &place);
    return action;
}

Action bindInput(ControlSettings& settings, Action action, int place, InputCode code) {
    const int a = static_cast<int>(action);
    if (a < 0 || a >= ACTION_COUNT || !validPlace(place)) return Action::COUNT;
    if (code != InputCode::NONE && !inputBindable(code)) return Action::COUNT;
    const Action left = actionOfInput(settings, code);
    if (left != Action::COUNT) {
        for (InputCode& bound : settings.bindings[static_cast<int>(left)]) {
            if (bound == code) bound = InputCode::NONE;
        }
    }
    settings.bindings[a][place] = code;
    return left == action ? Action::COUNT : left;
}

void restoreDefaultBindings(ControlSettings& settings) {
    for (int a = 0; a < ACTION_COUNT; ++a) {
        for (int place = 0; place < INPUTS_PER_ACTION; ++place)
            settings.bindings[a][place] = ACTIONS[a].defaults[place];
    }
}

void formatBinding(const ControlSettings& settings, Action action, char text[BINDING_TEXT_SIZE]) {
    const InputCode* inputs = settings.bindings[static_cast<int>(actionRow(action).action)];
    const char* first       = inputName(inputs[0]);
    const char* second      = inputName(inputs[1]);
    std::snprintf(text, BINDING_TEXT_SIZE, "%s%s%s", first, *first && *second ? "," : "", second);
}

bool parseInputs(ControlSettings& settings, Action action, const char* text,
                 char problem[CONTROLS_PROBLEM_SIZE]) {
    InputCode codes[INPUTS_PER_ACTION] = {InputCode::NONE, InputCode::NONE};
    int count                          = 0;
    char name[NAME_SIZE];
    for (const char* at = text[0] ? text : nullptr; at;) {
        at = nextName(at, name);
        if (count == INPUTS_PER_ACTION) {
            copyName(text, std::strlen(text), name);
            std::snprintf(problem, CONTROLS_PROBLEM_SIZE, "\"%s\" names more than %d inputs", name,
                          INPUTS_PER_ACTION);
            return false;
        }
        if (!inputFromName(name, &codes[count]) || !inputBindable(codes[count]))
            return refuseInput(name, problem);
        ++count;
    }
    for (int place = 0; place < INPUTS_PER_ACTION; ++place)
        bindInput(settings, action, place, InputCode::NONE);
    for (int place = 0; place < INPUTS_PER_ACTION; ++place)
        bindInput(settings, action, place, codes[place]);
    return true;
}

bool parseBinding(ControlSettings& settings, const char* text,
                  char problem[CONTROLS_PROBLEM_SIZE]) {
    const char* equals = std::strchr(text, '=');
    char name[NAME_SIZE];
    const std::size_t length = equals ? static_cast<std::size_t>(equals - text) : 0;
    Action action            = Action::COUNT;
    if (!equals) {
        copyName(text, std::strlen(text), name);
        std::snprintf(problem, CONTROLS_PROBLEM_SIZE, "\"%s\" is not ACTION=INPUT[,INPUT]", name);
        return false;
    }
    copyName(text, length, name);
    if (length >= NAME_SIZE || !actionFromName(name, &action)) {
        int used =
            std::snprintf(problem, CONTROLS_PROBLEM_SIZE, "unknown action \"%s\" (one of", name);
        for (const ActionRow& row : ACTIONS) {
            if (used < 0 || used >= CONTROLS_PROBLEM_SIZE) break;
            used += std::snprintf(problem + used, CONTROLS_PROBLEM_SIZE - used, " %s", row.name);
        }
        if (used >= 0 && used < CONTROLS_PROBLEM_SIZE)
            std::snprintf(problem + used, CONTROLS_PROBLEM_SIZE - used, ")");
        return false;
    }
    return parseInputs(settings, action, equals + 1, problem);
}
