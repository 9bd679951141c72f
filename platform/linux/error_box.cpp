// The fatal-error box: title, stop sign, text and one OK button, with no owner window.
// Drawn by FLTK in this process: SDL's X11 box forks the game, whose GL driver threads can
// leave the child deadlocked, and it needs fonts many X servers lack.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include "platform/platform.h"

namespace {
constexpr int BOX_MARGIN     = 14;
constexpr int SIGN_SIZE      = 36;
constexpr int BUTTON_WIDTH   = 80;
constexpr int BUTTON_HEIGHT  = 26;
constexpr int MIN_TEXT_WIDTH = 200;
// The box fits the smallest screen, 640 x 480: longer lines wrap.
constexpr int SMALLEST_SCREEN_WIDTH = 640;
constexpr int MAX_TEXT_WIDTH        = SMALLEST_SCREEN_WIDTH - BOX_MARGIN * 5 - SIGN_SIZE;

// A red disc with a white cross: the stop sign of an error box.
class StopSign : public Fl_Box {
  public:
    StopSign(int x, int y, int size) : Fl_Box(x, y, size, size) {}
    void draw() override {
        fl_color(FL_RED);
        fl_pie(x(), y(), w(), h(), 0, 360);
        fl_color(FL_WHITE);
        fl_line_style(FL_SOLID, w() / 9);
        int inset = w() * 3 / 10;
        fl_line(x() + inset, y() + inset, x() + w() - inset, y() + h() - inset);
        fl_line(x() + w() - inset, y() + inset, x() + inset, y() + h() - inset);
        fl_line_style(0);
    }
};

void closeBox(Fl_Widget* widget, void*) {
    widget->window()->hide();
}
} // namespace

void platformErrorBox(const char* title, const char* text, const ScreenArea& over) {
    fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
    int textW = MAX_TEXT_WIDTH, textH = 0; // a width given: fl_measure wraps to it
    fl_measure(text, textW, textH);
    if (textW < MIN_TEXT_WIDTH) textW = MIN_TEXT_WIDTH;
    int rowH = textH > SIGN_SIZE ? textH : SIGN_SIZE;
    int w    = BOX_MARGIN * 3 + SIGN_SIZE + textW;
    int h    = BOX_MARGIN * 3 + rowH + BUTTON_HEIGHT;

    Fl_Window box(w, h, title);
    StopSign sign(BOX_MARGIN, BOX_MARGIN, SIGN_SIZE);
    Fl_Box message(BOX_MARGIN * 2 + SIGN_SIZE, BOX_MARGIN, textW, rowH, text);
    message.align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
    Fl_Return_Button ok((w - BUTTON_WIDTH) / 2, h - BOX_MARGIN - BUTTON_HEIGHT, BUTTON_WIDTH,
                        BUTTON_HEIGHT, "OK");
    ok.callback(closeBox);
    box.end();
    box.set_modal();
    const ScreenArea area = over.w > 0 && over.h > 0 ? over : ScreenArea{0, 0, Fl::w(), Fl::h()};
    box.position(area.x + (area.w - w) / 2, area.y + (area.h - h) / 2);
    box.show();
    // Return presses the default button; Space presses the button that has the focus.
    ok.take_focus();
    while (box.shown())
        Fl::wait();
    Fl::check();
}
