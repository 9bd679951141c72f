// The set-up dialog as a first start builds and draws it: start values, the Tab key's order,
// Enter for Create Game and Escape for Join Game wherever the focus is, and a screenshot in
// which every text stays inside its own control.
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
constexpr int STRIP              = 3;  // pixels looked at around each control
constexpr int INK_BELOW          = 80; // a pixel this dark in every channel is text
constexpr int LEAST_INK          = 10; // pixels of text a labelled control shows
constexpr const char* SCREENSHOT = "setup_dialog.ppm";

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

bool inside(const Fl_Widget* w, int x, int y) {
    return x >= w->x() && y >= w->y() && x < w->x() + w->w() && y < w->y() + w->h();
}

// Drawn off the screen, so no other window on the display can cover it.
Picture drawDialog() {
    const int w = dialog.window->w(), h = dialog.window->h();
    Fl_Image_Surface surface(w, h);
    surface.set_current();
    surface.draw(dialog.window);
    uchar* rgb = fl_read_image(nullptr, 0, 0, w, h);
    Fl_Display_Device::display_device()->set_current();
    Picture p{w, h, std::vector<uint8_t>(rgb, rgb + std::size_t(w) * h * 3)};
    delete[] rgb;
    return p;
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
// their order, then the name, the bots, their skill and the games list; Enter creates and Escape joins wherever the focus is.
TEST_F(SetupDialogView, StartValuesAndKeys) {
    EXPECT_TRUE(checked(ID_RESOLUTION_FIRST) && checked(ID_FULL_SCREEN) && !checked(ID_SOUND));
    EXPECT_STREQ(static_cast<Fl_Input*>(control(ID_ADDRESS))->value(), ADDRESS_PREFIX);
    static_cast<Fl_Button*>(control(ID_RESOLUTION_FIRST + 2))->setonly();
    EXPECT_FALSE(checked(ID_RESOLUTION_FIRST) || checked(ID_RESOLUTION_FIRST + 1));
    const int order[] = {ID_CREATE_GAME, ID_JOIN_GAME, ID_ADDRESS,     ID_FULL_SCREEN, ID_SOUND,
                         ID_NAME,        ID_BOTS,      ID_BOT_SKILL,   ID_GAME_LIST,   ID_CREATE_GAME};
    control(ID_CREATE_GAME)->take_focus();
    for (int id : order) {
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

// Text that does not fit its control runs over its edge: the picture shows no text just
// outside a control but inside a neighbour, and some inside every control with a text.
TEST_F(SetupDialogView, EveryTextStaysInsideItsControl) {
    const Picture shot = drawDialog();
    savePicture(shot, SCREENSHOT); // for a person to look at
    for (int i = 0; i < SETUP_CONTROL_COUNT; ++i) {
        if (!*SETUP_CONTROLS[i].text) continue;
        const Fl_Widget* c = dialog.control[i];
        int in = 0, out = 0;
        for (int y = std::max(c->y() - STRIP, 0);
             y < std::min(c->y() + c->h() + STRIP, shot.height); ++y)
            for (int x = std::max(c->x() - STRIP, 0);
                 x < std::min(c->x() + c->w() + STRIP, shot.width); ++x) {
                const uint8_t* p = shot.at(x, y);
                if (p[0] >= INK_BELOW || p[1] >= INK_BELOW || p[2] >= INK_BELOW) continue;
                bool neighbours = false; // ink of a neighbour is the neighbour's
                for (int j = 0; j < SETUP_CONTROL_COUNT; ++j)
                    neighbours =
                        neighbours || (j != i && SETUP_CONTROLS[j].kind != ControlKind::GROUP_BOX &&
                                       inside(dialog.control[j], x, y));
                if (inside(c, x, y))
                    ++in;
                else if (!neighbours)
                    ++out;
            }
        EXPECT_GT(in, LEAST_INK) << SETUP_CONTROLS[i].text << " shows no text";
        EXPECT_EQ(out, 0) << SETUP_CONTROLS[i].text << " runs over its edge (see " << SCREENSHOT
                          << ")";
    }
}
