// The set-up dialog as a first start builds and draws it: start values, the Tab key's order,
// Enter for Create Game and Escape for Join Game wherever the focus is, and every text inside
// its own control.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Image_Surface.H>
#include <FL/Fl_Input.H>
#include <FL/fl_draw.H>

#include "app/game_setup.h"
#include "app/setup_dialog_layout.h"
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
bool inside(const Fl_Widget* w, int x, int y, int margin = 0) {
    return x >= w->x() - margin && y >= w->y() - margin && x < w->x() + w->w() + margin &&
           y < w->y() + w->h() + margin;
}

class SetupDialogView : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static GameDriver screen; // a display of the test's own, whatever else runs
        setenv("DISPLAY", screen.display().c_str(), 1);
        gameSetup = startSetup();
        Fl::scheme("gtk+");
        dialog = buildSetupDialog();
        control(ID_CREATE_GAME)->callback([](Fl_Widget*, void*) { ++creates; });
        dialog.window->callback([](Fl_Widget*, void*) { ++joins; }); // Escape, as Join Game
        dialog.window->show();
        while (!dialog.window->visible())
            Fl::wait();
        Fl::flush();
    }
    static void TearDownTestSuite() { delete dialog.window; }
};
} // namespace

// A first start's values; one resolution at a time; Tab among the original ten controls in
// their order, then the name, the bots, their skill and the games list.
TEST_F(SetupDialogView, StartValuesAndKeys) {
    EXPECT_TRUE(checked(ID_RESOLUTION_FIRST) && checked(ID_FULL_SCREEN) && !checked(ID_SOUND));
    EXPECT_STREQ(static_cast<Fl_Input*>(control(ID_ADDRESS))->value(), ADDRESS_PREFIX);
    static_cast<Fl_Button*>(control(ID_RESOLUTION_FIRST + 2))->setonly();
    EXPECT_FALSE(checked(ID_RESOLUTION_FIRST) || checked(ID_RESOLUTION_FIRST + 1));
    control(ID_CREATE_GAME)->take_focus();
    for (int id : {ID_CREATE_GAME, ID_JOIN_GAME, ID_ADDRESS, ID_FULL_SCREEN, ID_SOUND, ID_NAME,
                   ID_BOTS, ID_BOT_SKILL, ID_GAME_LIST, ID_CREATE_GAME}) {
        EXPECT_TRUE(control(id)->contains(Fl::focus())) << "control " << id; // a spinner's field
        key(FL_Tab, "\t");
    }
    for (int i = 0; i < SETUP_CONTROL_COUNT; ++i) {
        if (!dialog.control[i]->visible_focus() || !dialog.control[i]->take_focus()) continue;
        creates = joins = 0;
        key(FL_Enter, "\r");
        key(FL_Escape, "\033");
        EXPECT_EQ(creates * 10 + joins, 11) << "focus on control " << SETUP_CONTROLS[i].id;
    }
}

// Drawn off the screen (no other window can cover it): dark text pixels near a control lie
// inside it or inside a neighbour, and every control with a text shows some.
TEST_F(SetupDialogView, EveryTextStaysInsideItsControl) {
    const int w = dialog.window->w(), h = dialog.window->h();
    Fl_Image_Surface surface(w, h);
    surface.set_current();
    surface.draw(dialog.window);
    uchar* shot = fl_read_image(nullptr, 0, 0, w, h);
    Fl_Display_Device::display_device()->set_current();
    for (int i = 0; i < SETUP_CONTROL_COUNT; ++i) {
        if (!*SETUP_CONTROLS[i].text) continue;
        int in = 0, out = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const uchar* p = shot + (y * w + x) * 3;
                if (std::max({p[0], p[1], p[2]}) >= 80 || !inside(dialog.control[i], x, y, 3))
                    continue;
                bool neighbours = false; // ink of a neighbour is the neighbour's
                for (int j = 0; j < SETUP_CONTROL_COUNT; ++j)
                    neighbours |= j != i && SETUP_CONTROLS[j].kind != ControlKind::GROUP_BOX &&
                                  inside(dialog.control[j], x, y);
                in += inside(dialog.control[i], x, y);
                out += !inside(dialog.control[i], x, y) && !neighbours;
            }
        EXPECT_GT(in, 10) << SETUP_CONTROLS[i].text << " shows no text";
        EXPECT_EQ(out, 0) << SETUP_CONTROLS[i].text << " runs over its edge";
    }
    delete[] shot;
}
