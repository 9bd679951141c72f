// The set-up dialog as a first start builds and draws it: start values, every text inside its
// control, the Tab key's order, and Enter for Create Game and Escape for Join Game wherever the
// focus is. Its controls page driven with real clicks and keys: an entry waits for the next key
// or mouse button and takes it from the action that had it (which shows the move), Escape
// cancels, F12 is refused, Defaults restores all and OK keeps the page's. Every key the game
// knows comes from one FLTK key, and the look's fields keep to their ranges.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Image_Surface.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Spinner.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <string>

#include "app/dialog/fltk/controls_page_window.h"
#include "app/dialog/fltk/fltk_input_code.h"
#include "app/dialog/fltk/setup_widgets.h"
#include "app/dialog/game_setup.h"
#include "tests/support/game_driver.h"

namespace {
// A display of the tests' own, whatever else runs.
GameDriver& ownDisplay() {
    static GameDriver screen;
    setenv("DISPLAY", screen.display().c_str(), 1);
    return screen;
}

SetupDialog dialog;
int creates = 0, joins = 0;

Fl_Widget* control(int id) {
    return controlById(dialog, id);
}
bool checked(int id) {
    return static_cast<Fl_Button*>(control(id))->value() != 0;
}
void key(int sym, const char* text) {
    Fl::e_keysym = sym;
    Fl::e_state  = 0;
    Fl::e_text   = const_cast<char*>(text);
    Fl::e_length = 1;
    Fl::handle(FL_KEYBOARD, dialog.window);
}
bool within(const Fl_Widget* c, int x, int y, int margin = 0) {
    return x >= c->x() - margin && y >= c->y() - margin && x < c->x() + c->w() + margin &&
           y < c->y() + c->h() + margin;
}

ControlsPageView page;

int entryId(Action action, int place) {
    return ID_BINDING_FIRST + static_cast<int>(action) * INPUTS_PER_ACTION + place;
}
std::string shown(Action action, int place) {
    return pageControl(page, entryId(action, place))->label();
}
// Events are handled until the entry shows text, for at most the driver's longest wait.
bool showsSoon(Action action, int place, const std::string& text) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(DRIVER_WAIT_MS);
    while (shown(action, place) != text && std::chrono::steady_clock::now() < end)
        Fl::wait(0.05);
    return shown(action, place) == text;
}
// Builds and shows the page; clicks go where it is once the server shows it. The xdotool
// words that send keys to it.
std::string showPage() {
    buildControlsPage(page, ControlSettings{});
    page.window->show();
    XWindowAttributes shownAs{};
    while (XGetWindowAttributes(fl_display, fl_xid(page.window), &shownAs) &&
           shownAs.map_state != IsViewable)
        Fl::wait(0.05);
    return "key --window " + std::to_string(fl_xid(page.window)) + " ";
}
void waitClosed() {
    while (page.window->shown())
        Fl::wait(0.05);
}
// The xdotool words that click the control with the mouse button.
std::string click(int id, int button = 1) {
    const Fl_Widget* c = pageControl(page, id);
    return "mousemove --window " + std::to_string(fl_xid(page.window)) + " " +
           std::to_string(c->x() + c->w() / 2) + " " + std::to_string(c->y() + c->h() / 2) +
           " click " + std::to_string(button) + " ";
}
} // namespace

// Tab goes through the original ten controls in order, then the name, bots, skill, the
// match's limits and arena, and the list.
TEST(SetupDialog, StartValuesAndKeys) {
    ownDisplay();
    Fl::scheme("gtk+"); // as the game draws it
    dialog = buildSetupDialog(startSetup());
    control(ID_CREATE_GAME)->callback([](Fl_Widget*, void*) { ++creates; });
    dialog.window->callback([](Fl_Widget*, void*) { ++joins; }); // Escape, as Join Game
    dialog.window->show();
    while (!dialog.window->visible())
        Fl::wait();
    EXPECT_TRUE(checked(ID_RESOLUTION_DESKTOP) && checked(ID_FULL_SCREEN) && !checked(ID_SOUND));
    EXPECT_STREQ(static_cast<Fl_Input*>(control(ID_ADDRESS))->value(), ADDRESS_PREFIX);
    // Drawn off the screen: a control with a text shows ink inside it and none on a 3-pixel rim
    // around it, where a text running over its edge would show.
    const int w = dialog.window->w(), h = dialog.window->h();
    Fl_Image_Surface surface(w, h);
    surface.set_current();
    surface.draw(dialog.window);
    const std::unique_ptr<uchar[]> shot(fl_read_image(nullptr, 0, 0, w, h));
    Fl_Display_Device::display_device()->set_current();
    for (int i = 0; i < SETUP_CONTROL_COUNT; ++i) {
        int in = 0, out = 0;
        for (int at = 0; at < w * h && *SETUP_CONTROLS[i].text; ++at) {
            const bool ink = *std::max_element(shot.get() + 3 * at, shot.get() + 3 * at + 3) < 80;
            const bool inside = within(dialog.control[i], at % w, at / w);
            in += ink && inside;
            out += ink && !inside && within(dialog.control[i], at % w, at / w, 3);
        }
        EXPECT_TRUE(!*SETUP_CONTROLS[i].text || (in > 10 && out == 0))
            << SETUP_CONTROLS[i].text << ": " << in << " inside, " << out << " over its edge";
    }
    control(ID_CREATE_GAME)->take_focus();
    for (int id : {ID_CREATE_GAME, ID_JOIN_GAME, ID_ADDRESS, ID_FULL_SCREEN, ID_SOUND, ID_NAME,
                   ID_BOTS, ID_BOT_SKILL, ID_SCORE_LIMIT, ID_TIME_LIMIT, ID_ARENA, ID_GAME_LIST,
                   ID_CONTROLS, ID_DEMOS, ID_CREATE_GAME}) {
        EXPECT_TRUE(control(id)->contains(Fl::focus())) << id; // a spinner's field
        key(FL_Tab, "\t");
    }
    for (int i = 0; i < SETUP_CONTROL_COUNT; ++i) {
        if (!dialog.control[i]->visible_focus() || !dialog.control[i]->take_focus()) continue;
        creates = joins = 0;
        key(FL_Enter, "\r");
        key(FL_Escape, "\033");
        EXPECT_EQ(creates, 1) << "focus on control " << SETUP_CONTROLS[i].id;
        EXPECT_EQ(joins, 1) << "focus on control " << SETUP_CONTROLS[i].id;
    }
    delete dialog.window;
}

TEST(ControlsPage, AnEntryTakesTheNextInputFromItsActionAndOkKeepsThePage) {
    GameDriver& screen     = ownDisplay();
    const std::string keys = showPage();
    screen.xdo(click(entryId(Action::FORWARD, 0)));
    EXPECT_TRUE(showsSoon(Action::FORWARD, 0, WAITING_TEXT));
    screen.xdo(keys + "F12 Escape"); // F12 is refused, Escape leaves the entry as it was
    EXPECT_TRUE(showsSoon(Action::FORWARD, 0, "Up"));
    screen.xdo(click(entryId(Action::FORWARD, 0)) + keys + "Down");
    EXPECT_TRUE(showsSoon(Action::FORWARD, 0, "Down"));
    EXPECT_EQ(shown(Action::BACKWARD, 0), "");
    screen.xdo(click(entryId(Action::FIRE, 1)) + click(entryId(Action::FIRE, 1), 3));
    EXPECT_TRUE(showsSoon(Action::FIRE, 1, "Mouse Right"));
    EXPECT_EQ(shown(Action::RESPAWN, 0), "");
    screen.xdo(click(ID_DEFAULTS));
    EXPECT_TRUE(showsSoon(Action::BACKWARD, 0, "Down"));
    EXPECT_EQ(shown(Action::FORWARD, 0), "Up");
    screen.xdo(click(entryId(Action::CHAT, 1)) + keys + "Control_L");
    EXPECT_TRUE(showsSoon(Action::CHAT, 1, "Left Ctrl"));
    static_cast<Fl_Spinner*>(pageControl(page, ID_FOV))->value(90);
    screen.xdo(click(ID_CONTROLS_OK));
    waitClosed();
    EXPECT_TRUE(page.kept);
    const ControlSettings& kept = page.page.settings;
    EXPECT_EQ(kept.bindings[static_cast<int>(Action::CHAT)][1], InputCode::LEFT_CTRL);
    EXPECT_EQ(kept.bindings[static_cast<int>(Action::VERTICAL)][0], InputCode::NONE);
    EXPECT_EQ(kept.fovDegrees, 90);
    delete page.window;
}

TEST(ControlsPage, CancelDropsThePage) {
    GameDriver& screen     = ownDisplay();
    const std::string keys = showPage();
    screen.xdo(click(entryId(Action::FORWARD, 0)) + keys + "w");
    EXPECT_TRUE(showsSoon(Action::FORWARD, 0, "W"));
    screen.xdo(click(ID_CONTROLS_CANCEL));
    waitClosed();
    EXPECT_FALSE(page.kept);
    delete page.window;
}

TEST(ControlsPage, EveryKeyOfTheGameComesFromOneFltkKey) {
    int keys[INPUT_CODE_COUNT] = {};
    for (int key = 0; key <= 0xffff; ++key)
        ++keys[static_cast<int>(inputOfKey(key))];
    for (int code = static_cast<int>(InputCode::NONE) + 1;
         code < static_cast<int>(InputCode::MOUSE_LEFT); ++code)
        EXPECT_EQ(keys[code], 1) << inputName(static_cast<InputCode>(code));
}

TEST(ControlsPage, TheLookKeepsToItsRanges) {
    struct Case {
        double sensitivity, fov;
        float keptSensitivity;
        int keptFov;
    };
    const Case cases[] = {
        {1.26, 75.4, 1.3f, 75 },
        {0.01, 20,   0.1f, 50 },
        {9,    300,  5.0f, 110},
        {NAN,  NAN,  2.0f, 80 },
    };
    for (const Case& c : cases) {
        ControlsPage page;
        page.settings.sensitivity = 2.0f;
        page.settings.fovDegrees  = 80;
        setLook(page, c.sensitivity, true, c.fov);
        EXPECT_FLOAT_EQ(page.settings.sensitivity, c.keptSensitivity) << c.sensitivity;
        EXPECT_EQ(page.settings.fovDegrees, c.keptFov) << c.fov;
    }
}
