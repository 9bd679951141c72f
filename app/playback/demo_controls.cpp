// The demo's keys and the playback's rules, one table each.
#include "app/playback/demo_controls.h"

#include "world/tables.h"

namespace {
struct DemoKey {
    InputCode code;
    DemoAction action;
};

// clang-format off
constexpr DemoKey DEMO_KEYS[] = {
    {InputCode::DIGIT_1,      {DemoCommand::FOLLOW, 0, 0}},
    {InputCode::DIGIT_2,      {DemoCommand::FOLLOW, 1, 0}},
    {InputCode::DIGIT_3,      {DemoCommand::FOLLOW, 2, 0}},
    {InputCode::DIGIT_4,      {DemoCommand::FOLLOW, 3, 0}},
    {InputCode::DIGIT_5,      {DemoCommand::FOLLOW, 4, 0}},
    {InputCode::DIGIT_6,      {DemoCommand::FOLLOW, 5, 0}},
    {InputCode::DIGIT_7,      {DemoCommand::FOLLOW, 6, 0}},
    {InputCode::DIGIT_8,      {DemoCommand::FOLLOW, 7, 0}},
    {InputCode::KEYPAD_1,     {DemoCommand::FOLLOW, 0, 0}},
    {InputCode::KEYPAD_2,     {DemoCommand::FOLLOW, 1, 0}},
    {InputCode::KEYPAD_3,     {DemoCommand::FOLLOW, 2, 0}},
    {InputCode::KEYPAD_4,     {DemoCommand::FOLLOW, 3, 0}},
    {InputCode::KEYPAD_5,     {DemoCommand::FOLLOW, 4, 0}},
    {InputCode::KEYPAD_6,     {DemoCommand::FOLLOW, 5, 0}},
    {InputCode::KEYPAD_7,     {DemoCommand::FOLLOW, 6, 0}},
    {InputCode::KEYPAD_8,     {DemoCommand::FOLLOW, 7, 0}},
    {InputCode::F,            {DemoCommand::FREE_CAMERA, 0, 0}},
    {InputCode::SPACE,        {DemoCommand::PAUSE, 0, 0}},
    {InputCode::MINUS,        {DemoCommand::SLOWER, 0, 0}},
    {InputCode::KEYPAD_MINUS, {DemoCommand::SLOWER, 0, 0}},
    {InputCode::EQUALS,       {DemoCommand::FASTER, 0, 0}}, // the key that has + shifted
    {InputCode::KEYPAD_PLUS,  {DemoCommand::FASTER, 0, 0}},
    {InputCode::PAGE_DOWN,    {DemoCommand::SEEK, 0, -DEMO_SEEK_MS}},
    {InputCode::PAGE_UP,      {DemoCommand::SEEK, 0, DEMO_SEEK_MS}},
    {InputCode::LEFT,         {DemoCommand::SEEK, 0, -DEMO_SEEK_MS}},
    {InputCode::RIGHT,        {DemoCommand::SEEK, 0, DEMO_SEEK_MS}},
    {InputCode::TAB,          {DemoCommand::SCOREBOARD_ON, 0, 0}},
    {InputCode::MOUSE_LEFT,   {DemoCommand::PICK, 0, 0}},
};
// clang-format on

constexpr DemoAction NOTHING = {DemoCommand::NONE, 0, 0};

bool isArrow(InputCode code) {
    return code == InputCode::LEFT || code == InputCode::RIGHT;
}

DemoAction keyDown(const InputEvent& event, const PlaybackState& state) {
    if (state.freeCamera && isArrow(event.code)) return NOTHING; // it flies
    for (const DemoKey& key : DEMO_KEYS) {
        if (key.code != event.code) continue;
        // Held keys repeat; only the seeks mean it again.
        if (event.repeat && key.action.command != DemoCommand::SEEK) return NOTHING;
        if (key.action.command == DemoCommand::PICK && !state.scoreboard) return NOTHING;
        return key.action;
    }
    return NOTHING;
}
} // namespace

PlaybackState startPlayback(int32_t recorder) {
    return PlaybackState{DEMO_NORMAL_SPEED, false, false, recorder, false, 0};
}

DemoAction demoActionOf(const InputEvent& event, const PlaybackState& state) {
    switch (event.kind) {
    case InputKind::INPUT_DOWN:
        return keyDown(event, state);
    case InputKind::INPUT_UP:
        return event.code == InputCode::TAB ? DemoAction{DemoCommand::SCOREBOARD_OFF, 0, 0}
                                            : NOTHING;
    case InputKind::CHAR:
        return event.character == ESCAPE_CHAR ? DemoAction{DemoCommand::QUIT, 0, 0} : NOTHING;
    case InputKind::CLOSE:
        return DemoAction{DemoCommand::QUIT, 0, 0};
    default:
        return NOTHING;
    }
}

void applyDemoAction(PlaybackState& state, const DemoAction& action, uint32_t slotsInUse) {
    switch (action.command) {
    case DemoCommand::FOLLOW:
        if (!isValidSlot(action.slot) || !(slotsInUse >> action.slot & 1u)) return;
        state.followed   = action.slot;
        state.freeCamera = false;
        return;
    case DemoCommand::FREE_CAMERA:
        state.freeCamera = !state.freeCamera;
        return;
    case DemoCommand::PAUSE:
        state.paused = !state.paused;
        return;
    case DemoCommand::SLOWER:
        if (state.speed > 0) --state.speed;
        return;
    case DemoCommand::FASTER:
        if (state.speed < DEMO_SPEED_COUNT - 1) ++state.speed;
        return;
    case DemoCommand::SCOREBOARD_ON:
    case DemoCommand::SCOREBOARD_OFF:
        state.scoreboard = action.command == DemoCommand::SCOREBOARD_ON;
        return;
    default:
        return;
    }
}

int replayStepsOwed(PlaybackState& state, int ticks) {
    if (state.paused || ticks <= 0) return 0;
    const int quarters = state.owedQuarters + ticks * DEMO_SPEED_QUARTERS[state.speed];
    state.owedQuarters = quarters % QUARTERS_PER_STEP;
    return quarters / QUARTERS_PER_STEP;
}
