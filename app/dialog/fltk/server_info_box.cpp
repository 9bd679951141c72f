// A plain modal box: one line of text, one "OK" button, no icon.
#include "app/dialog/fltk/server_info_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "app/dialog/setup_dialog_layout.h"

namespace {
constexpr const char* OK_TEXT = "OK";
constexpr int MARGIN          = 16; // pixels
constexpr int BUTTON_W        = 88;
constexpr int BUTTON_H        = 28;

void closeBox(Fl_Widget* button, void*) {
    button->window()->hide();
}
} // namespace

void showServerInfo(Fl_Window* owner) {
    fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
    int textW = static_cast<int>(fl_width(SERVER_INFO_TEXT)) + 4;
    int textH = fl_height();
    int w     = std::max(textW, BUTTON_W) + 2 * MARGIN;
    int h     = MARGIN + textH + MARGIN + BUTTON_H + MARGIN;
    int x     = owner->x() + (owner->w() - w) / 2;
    int y     = owner->y() + (owner->h() - h) / 2;

    Fl_Window box(x, y, w, h, SERVER_INFO_TITLE);
    Fl_Box text(MARGIN, MARGIN, w - 2 * MARGIN, textH, SERVER_INFO_TEXT);
    Fl_Return_Button ok((w - BUTTON_W) / 2, h - MARGIN - BUTTON_H, BUTTON_W, BUTTON_H, OK_TEXT);
    ok.callback(closeBox);
    box.end();
    box.set_modal(); // stays over the dialog, which waits for it
    box.xclass(SERVER_INFO_TITLE);
    box.show();
    while (box.shown())
        Fl::wait();
}
