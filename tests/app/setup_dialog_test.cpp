// The set-up dialog as built and drawn: its controls, start values, tab order, and a
// screenshot in which every text stays inside its own control.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Device.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Image.H>
#include <FL/Fl_Image_Surface.H>
#include <FL/Fl_Input.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/setup_commands.h"
#include "app/setup_dialog_layout.h"
#include "app/game_setup.h"

namespace {
constexpr int STRIP              = 3;  // pixels looked at around each control
constexpr int INK_BELOW          = 80; // a pixel this dark in every channel is text
constexpr const char* SCREENSHOT = "setup_dialog.ppm";

struct Rect {
    int x, y, w, h;
    bool contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

Rect rectOf(const Fl_Widget* w) {
    return {w->x(), w->y(), w->w(), w->h()};
}

SetupDialog shown;

Fl_Widget* control(int id) {
    return controlById(shown, id);
}
bool isChecked(int id) {
    return static_cast<Fl_Button*>(control(id))->value() != 0;
}

constexpr int DISPLAY_TRIES    = 50;
constexpr int DISPLAY_RETRY_US = 100000;

class SetupDialogView : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // A busy test display may turn a connection away for a moment (FLTK would end the
        // process at once), so connect here with a few tries and hand FLTK the connection.
        Display* display = nullptr;
        for (int i = 0; i < DISPLAY_TRIES && !(display = XOpenDisplay(nullptr)); ++i)
            usleep(DISPLAY_RETRY_US);
        if (display) fl_open_display(display);
        gameSetup = startSetup();
        Fl::scheme("gtk+");
        shown = buildSetupDialog();
        shown.window->show();
        for (int i = 0; i < 100 && !shown.window->visible(); ++i)
            Fl::wait(0.02);
        for (int i = 0; i < 10; ++i)
            Fl::wait(0.02);
        Fl::flush();
    }
    static void TearDownTestSuite() { delete shown.window; }
};

// One key press, as the keyboard would send it to the dialog.
void press(int key, const char* text) {
    Fl::e_keysym = key;
    Fl::e_state  = 0;
    Fl::e_text   = const_cast<char*>(text);
    Fl::e_length = 1;
    Fl::handle(FL_KEYBOARD, shown.window);
}
void pressTab() {
    press(FL_Tab, "\t");
}

int pressedCount = 0;
void countPress(Fl_Widget*, void*) {
    ++pressedCount;
}

struct Screenshot {
    int w, h;
    std::vector<unsigned char> rgb;
    bool ink(int x, int y) const {
        const unsigned char* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
        return p[0] < INK_BELOW && p[1] < INK_BELOW && p[2] < INK_BELOW;
    }
};

// Drawn off the screen, so that no other window on the test display can cover it.
Screenshot takeScreenshot() {
    Screenshot s{shown.window->w(), shown.window->h(), {}};
    Fl_Image_Surface surface(s.w, s.h);
    surface.set_current();
    surface.draw(shown.window);
    Fl_RGB_Image* image = surface.image();
    Fl_Display_Device::display_device()->set_current();
    const unsigned char* pixels = reinterpret_cast<const unsigned char*>(image->data()[0]);
    for (int y = 0; y < s.h; ++y) {
        const unsigned char* row = pixels + y * (image->ld() ? image->ld() : s.w * image->d());
        for (int x = 0; x < s.w; ++x)
            s.rgb.insert(s.rgb.end(), row + x * image->d(), row + x * image->d() + 3);
    }
    delete image;
    if (FILE* f = std::fopen(SCREENSHOT, "wb")) { // kept for a person to look at
        std::fprintf(f, "P6 %d %d 255\n", s.w, s.h);
        std::fwrite(s.rgb.data(), 1, s.rgb.size(), f);
        std::fclose(f);
    }
    return s;
}
} // namespace

TEST_F(SetupDialogView, HasTheTitleControlsAndTextsInTemplateOrder) {
    EXPECT_STREQ(shown.window->label(), "Voranis NetSetup");
    EXPECT_TRUE(shown.window->modal());
    const char* texts[] = {"Create Game", "Join Game",       "",          "Server IP",
                           "Video setup", "FullScreen mode", "640 x 480", "800 x 600",
                           "1024 x 768",  "Enable sound", "Games on this network", ""};
    for (int i = 0; i < SETUP_CONTROL_COUNT; ++i) {
        const char* label = shown.control[i]->label();
        EXPECT_EQ(std::string(label ? label : ""), texts[i]) << "control " << i;
    }
}

TEST_F(SetupDialogView, StartsWithSmallestResolutionFullScreenNoSoundAndTheAddressPrefix) {
    EXPECT_TRUE(isChecked(ID_RESOLUTION_FIRST));
    EXPECT_FALSE(isChecked(ID_RESOLUTION_FIRST + 1));
    EXPECT_FALSE(isChecked(ID_RESOLUTION_FIRST + 2));
    EXPECT_TRUE(isChecked(ID_FULL_SCREEN));
    EXPECT_FALSE(isChecked(ID_SOUND));
    auto* address = static_cast<Fl_Input*>(control(ID_ADDRESS));
    EXPECT_STREQ(address->value(), ADDRESS_PREFIX);
    EXPECT_EQ(address->maximum_size(), 149);
}

TEST_F(SetupDialogView, ChoosingAResolutionTurnsTheOthersOff) {
    auto* radio = static_cast<Fl_Button*>(control(ID_RESOLUTION_FIRST + 2));
    radio->setonly();
    EXPECT_FALSE(isChecked(ID_RESOLUTION_FIRST));
    EXPECT_TRUE(isChecked(ID_RESOLUTION_FIRST + 2));
    static_cast<Fl_Button*>(control(ID_RESOLUTION_FIRST))->setonly();
}

TEST_F(SetupDialogView, TabVisitsTheTabStopsInTemplateOrder) {
    const int order[] = {ID_CREATE_GAME, ID_JOIN_GAME, ID_ADDRESS,
                         ID_FULL_SCREEN, ID_SOUND,     ID_GAME_LIST, ID_CREATE_GAME};
    control(ID_CREATE_GAME)->take_focus();
    for (int id : order) {
        EXPECT_EQ(Fl::focus(), control(id)) << "expected control " << id;
        pressTab();
    }
}

TEST_F(SetupDialogView, ControlsKeepTheirPlacesWithoutOverlapping) {
    Rect window{0, 0, shown.window->w(), shown.window->h()};
    for (int i = 0; i < SETUP_CONTROL_COUNT; ++i) {
        Rect r = rectOf(shown.control[i]);
        EXPECT_TRUE(window.contains(r.x, r.y) && window.contains(r.x + r.w - 1, r.y + r.h - 1))
            << SETUP_CONTROLS[i].text;
        for (int j = i + 1; j < SETUP_CONTROL_COUNT; ++j) {
            if (SETUP_CONTROLS[i].kind == ControlKind::GROUP_BOX) continue; // holds the rest
            Rect o       = rectOf(shown.control[j]);
            bool overlap = r.x < o.x + o.w && o.x < r.x + r.w && r.y < o.y + o.h && o.y < r.y + r.h;
            EXPECT_FALSE(overlap) << SETUP_CONTROLS[i].text << " / " << SETUP_CONTROLS[j].text;
        }
    }
    // Proportions: "Join Game" starts where its dialog units say, relative to the width.
    const ControlTemplate& join = SETUP_CONTROLS[1];
    EXPECT_NEAR(static_cast<double>(control(ID_JOIN_GAME)->x()) / window.w,
                static_cast<double>(join.x) / SETUP_DIALOG_W, 0.01);
}

// Text that does not fit its control runs over its edge: the screenshot must show no
// text just outside any control, and some inside every control that has a text.
TEST_F(SetupDialogView, ScreenshotShowsEveryTextInsideItsControl) {
    Screenshot shot = takeScreenshot();
    for (int i = 0; i < SETUP_CONTROL_COUNT; ++i) {
        const ControlTemplate& c = SETUP_CONTROLS[i];
        if (c.text[0] == '\0') continue;
        Rect r      = rectOf(shown.control[i]);
        int inside  = 0;
        int outside = 0;
        for (int y = r.y - STRIP; y < r.y + r.h + STRIP; ++y) {
            for (int x = r.x - STRIP; x < r.x + r.w + STRIP; ++x) {
                if (x < 0 || y < 0 || x >= shot.w || y >= shot.h || !shot.ink(x, y)) continue;
                if (r.contains(x, y)) {
                    ++inside;
                    continue;
                }
                bool elsewhere = false; // ink of a neighbour is the neighbour's
                for (int j = 0; j < SETUP_CONTROL_COUNT; ++j) {
                    if (j != i && SETUP_CONTROLS[j].kind != ControlKind::GROUP_BOX &&
                        rectOf(shown.control[j]).contains(x, y)) {
                        elsewhere = true;
                    }
                }
                if (!elsewhere) ++outside;
            }
        }
        EXPECT_GT(inside, 10) << c.text << " shows no text";
        EXPECT_EQ(outside, 0) << c.text << " runs over its edge (see " << SCREENSHOT << ")";
    }
}

TEST_F(SetupDialogView, EnterPressesCreateGameWhereverTheFocusIs) {
    control(ID_CREATE_GAME)->callback(countPress);
    const int focused[] = {ID_CREATE_GAME, ID_JOIN_GAME, ID_ADDRESS, ID_FULL_SCREEN, ID_SOUND};
    for (int id : focused) {
        pressedCount = 0;
        control(id)->take_focus();
        press(FL_Enter, "\r");
        EXPECT_EQ(pressedCount, 1) << "focus on control " << id;
        EXPECT_EQ(Fl::focus(), control(id));
    }
    control(ID_CREATE_GAME)->callback(Fl_Widget::default_callback);
}
