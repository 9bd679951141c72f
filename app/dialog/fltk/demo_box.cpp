// The recorded games' box: a browser in columns and two buttons, modal over the dialog.
#include "app/dialog/fltk/demo_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <cstdio>

#include "app/dialog/setup_dialog_layout.h"

namespace {
constexpr int MARGIN                 = 10; // pixels
constexpr int LIST_W                 = 460;
constexpr int LIST_H                 = 260;
constexpr int BUTTON_W               = 88;
constexpr int BUTTON_H               = 28;
constexpr int COLUMN_GAP             = 12;
constexpr const char* WIDEST_DATE    = "0000-00-00 00:00";
constexpr const char* WIDEST_PLAYERS = "8 players";
constexpr const char* WIDEST_LENGTH  = "000:00";

struct DemoBox {
    const DemoList& demos;
    Fl_Hold_Browser* list;
    int chosen; // the entry chosen, -1 while none
};

// Arena, date, players and length in columns; the arena takes what the others leave.
void setColumns(Fl_Hold_Browser* list, int widths[5]) {
    fl_font(list->textfont(), list->textsize());
    widths[1] = static_cast<int>(fl_width(WIDEST_DATE)) + COLUMN_GAP;
    widths[2] = static_cast<int>(fl_width(WIDEST_PLAYERS)) + COLUMN_GAP;
    widths[3] = static_cast<int>(fl_width(WIDEST_LENGTH)) + COLUMN_GAP;
    widths[0] = list->w() - widths[1] - widths[2] - widths[3] - Fl::box_dw(list->box());
    widths[4] = 0;
    list->column_widths(widths);
    list->column_char(DEMO_LINE_COLUMN_SEPARATOR);
}

void play(DemoBox& box) {
    const int line = box.list->value();
    if (line < 1 || line > box.demos.count) return;
    box.chosen = line - 1;
    box.list->window()->hide();
}

void playButton(Fl_Widget*, void* data) {
    play(*static_cast<DemoBox*>(data));
}

void cancelButton(Fl_Widget* button, void*) {
    button->window()->hide();
}

void listClicked(Fl_Widget*, void* data) {
    if (Fl::event_clicks() > 0) play(*static_cast<DemoBox*>(data));
}
} // namespace

bool chooseDemo(Fl_Window* owner, const DemoList& demos, char path[DEMO_PATH_BYTES]) {
    const int w = LIST_W + 2 * MARGIN;
    const int h = MARGIN + LIST_H + MARGIN + BUTTON_H + MARGIN;
    Fl_Window window(owner->x() + (owner->w() - w) / 2, owner->y() + (owner->h() - h) / 2, w, h,
                     DEMO_BOX_TITLE);
    Fl_Hold_Browser list(MARGIN, MARGIN, LIST_W, LIST_H);
    int widths[5];
    setColumns(&list, widths);
    for (int i = 0; i < demos.count; ++i) {
        char line[DEMO_LINE_SIZE];
        demoListLine(demos.entry[i], line);
        // '@' would start one of FLTK's formatting codes.
        for (char* c = line; *c; ++c) {
            if (*c == '@') *c = '?';
        }
        list.add(line);
    }
    if (demos.count == 0) list.add(NO_DEMOS_TEXT);
    if (demos.count > 0) list.value(1);
    Fl_Return_Button playIt(w - 2 * (MARGIN + BUTTON_W), h - MARGIN - BUTTON_H, BUTTON_W, BUTTON_H,
                            DEMO_BOX_CONTROLS[1].text);
    Fl_Button cancel(w - MARGIN - BUTTON_W, h - MARGIN - BUTTON_H, BUTTON_W, BUTTON_H,
                     DEMO_BOX_CONTROLS[2].text);
    window.end();
    DemoBox box{demos, &list, -1};
    playIt.callback(playButton, &box);
    cancel.callback(cancelButton);
    list.callback(listClicked, &box);
    if (demos.count == 0) playIt.deactivate();
    window.set_modal();
    window.xclass(DEMO_BOX_TITLE);
    window.show();
    while (window.shown())
        Fl::wait();
    if (box.chosen < 0) return false;
    std::snprintf(path, DEMO_PATH_BYTES, "%s", demos.entry[box.chosen].path);
    return true;
}
