// The set-up dialog as a first start builds and draws it: start values, every text inside its
// control, the Tab key's order, and Enter for Create Game and Escape for Join Game wherever the
// focus is.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Image_Surface.H>
#include <FL/Fl_Input.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <memory>

#include "app/dialog/fltk/setup_widgets.h"
#include "app/dialog/game_setup.h"
#include "tests/support/game_driver.h"

namespace {
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
} // namespace

// Tab goes through the original ten controls in order, then the name, bots, skill, the
// match's limits and arena, and the list.
TEST(SetupDialog, StartValuesAndKeys) {
    static GameDriver screen; // a display of the test's own, whatever else runs
    setenv("DISPLAY", screen.display().c_str(), 1);
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
                   ID_DEMOS, ID_CREATE_GAME}) {
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
