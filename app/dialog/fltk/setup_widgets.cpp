// The set-up dialog's FLTK widgets, one for each row of the control table.
#include "app/dialog/fltk/setup_widgets.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Spinner.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/dialog/game_list.h"

namespace {
constexpr const char* AVERAGE_WIDTH_SAMPLE = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int TEXT_MARGIN                  = 3; // pixels kept free on each side of a text
constexpr int GROUP_LABEL_X        = 8;     // the group box's text, in from its left edge (pixels)
constexpr const char* WIDEST_LIMIT = "000"; // a limit's spinner holds three digits

// A frame with its text set into the top line, as a group box shows it.
class GroupBox : public Fl_Group {
  public:
    GroupBox(int x, int y, int w, int h, const char* text) : Fl_Group(x, y, w, h, text) {
        box(FL_NO_BOX);
        align(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE);
    }

    // Enter belongs to the default button wherever the focus is; a group would move the
    // focus on with it.
    int handle(int event) override {
        bool enter = Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter;
        if (event == FL_SHORTCUT && enter) return 0;
        return Fl_Group::handle(event);
    }

  protected:
    void draw() override {
        fl_font(labelfont(), labelsize());
        int textH = fl_height();
        int lineY = y() + textH / 2;
        if (damage() & ~FL_DAMAGE_CHILD) {
            fl_color(color());
            fl_rectf(x(), y(), w(), h());
            fl_draw_box(FL_ENGRAVED_FRAME, x(), lineY, w(), h() - (lineY - y()), color());
            int textW = static_cast<int>(fl_width(label()));
            fl_color(color());
            fl_rectf(x() + GROUP_LABEL_X - 2, y(), textW + 4, textH);
            fl_color(labelcolor());
            fl_draw(label(), x() + GROUP_LABEL_X, y() + textH - fl_descent());
        }
        draw_children();
    }
};

// Pixels a control needs around its text, by kind, as FLTK draws them. heightPx is the
// control's own height: the default button's return arrow is as wide as the button is high.
void neededSize(const ControlTemplate& c, int heightPx, int* w, int* h) {
    int textW = static_cast<int>(std::ceil(fl_width(c.text)));
    int textH = fl_height();
    switch (c.kind) {
    case ControlKind::DEFAULT_BUTTON:
        textW += heightPx;
        [[fallthrough]];
    case ControlKind::BUTTON:
        *w = textW + Fl::box_dw(FL_UP_BOX) + 4 * TEXT_MARGIN;
        *h = textH + Fl::box_dh(FL_UP_BOX) + 2;
        return;
    case ControlKind::EDIT:
        *w = 0;
        *h = textH + Fl::box_dh(FL_DOWN_BOX);
        return;
    case ControlKind::STATIC:
        *w = textW + TEXT_MARGIN;
        *h = textH;
        return;
    case ControlKind::GROUP_BOX:
        *w = textW + 2 * GROUP_LABEL_X;
        *h = 2 * textH;
        return;
    case ControlKind::CHECK_BOX:
    case ControlKind::RADIO:
        *w = SETUP_FONT_SIZE + 4 + textW + TEXT_MARGIN; // indicator, gap, text
        *h = textH;
        return;
    case ControlKind::SPINNER: // its digits and its arrows
        *w = static_cast<int>(std::ceil(fl_width(c.id == ID_BOTS ? "0" : WIDEST_LIMIT))) +
             heightPx + Fl::box_dw(FL_DOWN_BOX) + 2 * TEXT_MARGIN;
        *h = textH + Fl::box_dh(FL_DOWN_BOX);
        return;
    case ControlKind::CHOICE: // the longest skill name and the menu's arrow
        *w = static_cast<int>(std::ceil(fl_width(SKILL_NAMES[1]))) + heightPx +
             Fl::box_dw(FL_UP_BOX) + 2 * TEXT_MARGIN;
        *h = textH + Fl::box_dh(FL_UP_BOX);
        return;
    case ControlKind::LIST: // its longest line is the one that says nothing was found
        *w = static_cast<int>(std::ceil(fl_width(NO_GAMES_FOUND_TEXT))) + Fl::box_dw(FL_DOWN_BOX) +
             4 * TEXT_MARGIN;
        *h = 3 * textH + Fl::box_dh(FL_DOWN_BOX);
        return;
    }
}

} // namespace

int DialogScale::px(int dialogUnits) const {
    return static_cast<int>(std::lround(dialogUnits * x));
}
int DialogScale::py(int dialogUnits) const {
    return static_cast<int>(std::lround(dialogUnits * y));
}

// Heights first: the widths depend on them through the return arrow.
DialogScale dialogScale(const ControlTemplate* controls, int count) {
    fl_open_display();
    fl_font(FL_HELVETICA, SETUP_FONT_SIZE);
    DialogScale s{fl_width(AVERAGE_WIDTH_SAMPLE) / 52.0 / 4.0, fl_height() / 8.0};
    int w = 0, h = 0;
    for (int i = 0; i < count; ++i) {
        neededSize(controls[i], 0, &w, &h);
        s.y = std::max(s.y, static_cast<double>(h) / controls[i].h);
    }
    for (int i = 0; i < count; ++i) {
        neededSize(controls[i], s.py(controls[i].h), &w, &h);
        s.x = std::max(s.x, static_cast<double>(w) / controls[i].w);
    }
    return s;
}

Fl_Widget* makeControl(const ControlTemplate& c, const DialogScale& s, const ArenaList& arenas,
                       const ControlValue& value) {
    int x = s.px(c.x), y = s.py(c.y), w = s.px(c.x + c.w) - x, h = s.py(c.y + c.h) - y;
    switch (c.kind) {
    case ControlKind::DEFAULT_BUTTON:
        return new Fl_Return_Button(x, y, w, h, c.text);
    case ControlKind::BUTTON:
        return new Fl_Button(x, y, w, h, c.text);
    case ControlKind::EDIT: {
        Fl_Input* input = new Fl_Input(x, y, w, h);
        input->maximum_size(editMaxChars(c.id));
        input->value(value.text);
        return input;
    }
    case ControlKind::STATIC: {
        Fl_Box* text = new Fl_Box(x, y, w, h, c.text);
        text->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_TOP);
        return text;
    }
    case ControlKind::GROUP_BOX:
        return new GroupBox(x, y, w, h, c.text);
    case ControlKind::CHECK_BOX: {
        Fl_Check_Button* box = new Fl_Check_Button(x, y, w, h, c.text);
        box->value(value.number);
        return box;
    }
    case ControlKind::RADIO: {
        Fl_Round_Button* radio = new Fl_Round_Button(x, y, w, h, c.text);
        radio->type(FL_RADIO_BUTTON);
        radio->clear_visible_focus(); // not a tab stop
        radio->value(value.number);
        return radio;
    }
    case ControlKind::SPINNER: {
        Fl_Spinner* spinner = new Fl_Spinner(x, y, w, h);
        spinner->range(0, spinnerHighest(c.id));
        spinner->step(1);
        spinner->value(value.number);
        spinner->textsize(SETUP_FONT_SIZE);
        // Its field would keep Enter for itself; Enter is Create Game's wherever the focus is.
        static_cast<Fl_Input*>(spinner->child(0))->when(FL_WHEN_CHANGED);
        return spinner;
    }
    case ControlKind::CHOICE: {
        Fl_Choice* choice = new Fl_Choice(x, y, w, h);
        const char* entries[CHOICE_ENTRY_MAX];
        const int count = choiceEntries(c.id, arenas, entries);
        // By index: the menu's own reading of a text would take a leading '_' as a line.
        for (int k = 0; k < count; ++k)
            choice->add(entries[k]);
        choice->value(value.number);
        choice->textsize(SETUP_FONT_SIZE);
        return choice;
    }
    case ControlKind::LIST: {
        Fl_Hold_Browser* list = new Fl_Hold_Browser(x, y, w, h);
        list->textsize(SETUP_FONT_SIZE);
        return list;
    }
    }
    return nullptr;
}

Fl_Widget* controlById(const SetupDialog& dialog, int id) {
    const int i = controlIndex(id);
    return i < 0 ? nullptr : dialog.control[i];
}

SetupDialog buildSetupDialog(const GameSetup& setup) {
    FL_NORMAL_SIZE = SETUP_FONT_SIZE;
    DialogScale s  = dialogScale(SETUP_CONTROLS, SETUP_CONTROL_COUNT);
    SetupDialog dialog{};
    dialog.arenas = listArenas(ARENA_FOLDER);
    ControlValues values;
    setupToControls(setup, dialog.arenas, values);
    dialog.window = new Fl_Double_Window(s.px(SETUP_DIALOG_X), s.py(SETUP_DIALOG_Y),
                                         s.px(SETUP_DIALOG_W), s.py(SETUP_DIALOG_H), SETUP_TITLE);
    dialog.window->end();
    // Each control goes into the group box it lies in, else into the window, in template
    // order: that order is the Tab key's.
    Fl_Group* groupBox = nullptr;
    for (int i = 0; i < SETUP_CONTROL_COUNT; ++i) {
        const ControlTemplate& c = SETUP_CONTROLS[i];
        Fl_Group::current(nullptr);
        dialog.control[i] = makeControl(c, s, dialog.arenas, values[i]);
        Fl_Widget* w      = dialog.control[i];
        const bool inside = groupBox && w->x() >= groupBox->x() && w->y() >= groupBox->y() &&
                            w->x() + w->w() <= groupBox->x() + groupBox->w() &&
                            w->y() + w->h() <= groupBox->y() + groupBox->h();
        if (inside) {
            groupBox->add(w);
        } else {
            dialog.window->add(w);
        }
        if (c.kind == ControlKind::GROUP_BOX) groupBox = static_cast<Fl_Group*>(w);
    }
    Fl_Group::current(nullptr);
    dialog.window->set_modal();
    dialog.window->xclass(SETUP_TITLE);
    return dialog;
}

void readControls(const SetupDialog& dialog, ControlValues values) {
    for (int i = 0; i < SETUP_CONTROL_COUNT; ++i) {
        ControlValue& value = values[i];
        value.number        = 0;
        value.text[0]       = '\0';
        Fl_Widget* w        = dialog.control[i];
        switch (SETUP_CONTROLS[i].kind) {
        case ControlKind::CHECK_BOX:
        case ControlKind::RADIO:
            value.number = static_cast<Fl_Button*>(w)->value();
            break;
        case ControlKind::EDIT:
            std::snprintf(value.text, sizeof value.text, "%s", static_cast<Fl_Input*>(w)->value());
            break;
        case ControlKind::SPINNER:
            value.number = static_cast<int>(static_cast<Fl_Spinner*>(w)->value());
            break;
        case ControlKind::CHOICE:
            value.number = static_cast<Fl_Choice*>(w)->value();
            break;
        default:
            break;
        }
    }
}
