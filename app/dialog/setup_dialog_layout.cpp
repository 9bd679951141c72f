// The set-up dialog's template and its FLTK widgets, scaled from dialog units.
#include "app/dialog/setup_dialog_layout.h"

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
#include <cstring>

#include "app/dialog/game_list.h"
#include "app/dialog/game_setup.h"
#include "app/dialog/setup_commands.h"

// clang-format off
const ControlTemplate SETUP_CONTROLS[SETUP_CONTROL_COUNT] = {
    {ID_CREATE_GAME,          ControlKind::DEFAULT_BUTTON, "Create Game",     17, 25,  57, 14},
    {ID_JOIN_GAME,            ControlKind::BUTTON,         "Join Game",       79, 25,  58, 14},
    {ID_ADDRESS,              ControlKind::EDIT,           "",                17, 12, 119, 12},
    {NO_CONTROL_ID,           ControlKind::STATIC,         "Server IP",       17,  2,  40,  9},
    {NO_CONTROL_ID,           ControlKind::GROUP_BOX,      "Video setup",      7, 42, 142, 49},
    {ID_FULL_SCREEN,          ControlKind::CHECK_BOX,      "FullScreen mode", 79, 79,  65,  8},
    {ID_RESOLUTION_FIRST,     ControlKind::RADIO,          "640 x 480",       10, 55,  61,  9},
    {ID_RESOLUTION_FIRST + 1, ControlKind::RADIO,          "800 x 600",       10, 66,  53,  9},
    {ID_RESOLUTION_FIRST + 2, ControlKind::RADIO,          "1024 x 768",      10, 79,  56,  8},
    {ID_SOUND,                ControlKind::CHECK_BOX,      "Enable sound",    79, 54,  59, 11},
    {NO_CONTROL_ID,           ControlKind::STATIC,         "Your name",        7, 97,  40,  9},
    {ID_NAME,                 ControlKind::EDIT,           "",                50, 95,  99, 12},
    {NO_CONTROL_ID,           ControlKind::STATIC,         "Bots",             7, 112,  20,  9},
    {ID_BOTS,                 ControlKind::SPINNER,        "",                30, 110,  34, 12},
    {NO_CONTROL_ID,           ControlKind::STATIC,         "Skill",           72, 112,  22,  9},
    {ID_BOT_SKILL,            ControlKind::CHOICE,         "",                97, 110,  52, 12},
    {NO_CONTROL_ID,           ControlKind::STATIC,         "Kills",            7, 128,  20,  9},
    {ID_SCORE_LIMIT,          ControlKind::SPINNER,        "",                30, 126,  40, 12},
    {NO_CONTROL_ID,           ControlKind::STATIC,         "Minutes",         76, 128,  32,  9},
    {ID_TIME_LIMIT,           ControlKind::SPINNER,        "",               109, 126,  40, 12},
    {NO_CONTROL_ID,           ControlKind::STATIC,         "Arena",            7, 144,  24,  9},
    {ID_ARENA,                ControlKind::CHOICE,         "",                50, 142,  99, 12},
    {NO_CONTROL_ID,           ControlKind::STATIC,     "Games on this network",    7, 158, 142,  9},
    {ID_GAME_LIST,            ControlKind::LIST,           "",                 7, 168, 142, 50},
    {ID_RESOLUTION_DESKTOP,   ControlKind::RADIO,          "Desktop",         79, 67,  53,  9},
};
// clang-format on

namespace {
// The bots' skill levels, 1 to 3, as the dialog names them.
constexpr const char* SKILL_NAMES[]        = {"Easy", "Normal", "Hard"};
constexpr const char* AVERAGE_WIDTH_SAMPLE = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int TEXT_MARGIN                  = 3; // pixels kept free on each side of a text
constexpr int GROUP_LABEL_X        = 8;     // the group box's text, in from its left edge (pixels)
constexpr const char* WIDEST_LIMIT = "000"; // a limit's spinner holds three digits
constexpr const char* ROTATE_TEXT  = "Rotate";

// A spinner's range and the choice it shows.
struct SpinnerRow {
    int id;
    int highest;
    int32_t GameSetup::*value;
};
constexpr SpinnerRow SPINNERS[] = {
    {ID_BOTS,        MAX_BOTS,               &GameSetup::bots            },
    {ID_SCORE_LIMIT, MAX_SCORE_LIMIT,        &GameSetup::scoreLimit      },
    {ID_TIME_LIMIT,  MAX_TIME_LIMIT_MINUTES, &GameSetup::timeLimitMinutes},
};

const SpinnerRow& spinnerRow(int id) {
    for (const SpinnerRow& row : SPINNERS)
        if (row.id == id) return row;
    return SPINNERS[0];
}

// The remembered arena's place in the choice: the list's, then "Rotate".
int arenaIndex(const ArenaList& arenas, const char* arena) {
    for (int k = 0; k < arenas.count; ++k)
        if (std::strcmp(arenas.name[k], arena) == 0) return k;
    return arenas.count;
}

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

struct Scale {
    double x, y;
    int px(int dialogUnits) const { return static_cast<int>(std::lround(dialogUnits * x)); }
    int py(int dialogUnits) const { return static_cast<int>(std::lround(dialogUnits * y)); }
};

// Heights first: the widths depend on them through the return arrow.
Scale dialogScale() {
    fl_open_display();
    fl_font(FL_HELVETICA, SETUP_FONT_SIZE);
    Scale s{fl_width(AVERAGE_WIDTH_SAMPLE) / 52.0 / 4.0, fl_height() / 8.0};
    int w = 0, h = 0;
    for (const ControlTemplate& c : SETUP_CONTROLS) {
        neededSize(c, 0, &w, &h);
        s.y = std::max(s.y, static_cast<double>(h) / c.h);
    }
    for (const ControlTemplate& c : SETUP_CONTROLS) {
        neededSize(c, s.py(c.h), &w, &h);
        s.x = std::max(s.x, static_cast<double>(w) / c.w);
    }
    return s;
}

Fl_Widget* makeControl(const ControlTemplate& c, const Scale& s, const ArenaList& arenas,
                       const GameSetup& setup) {
    int x = s.px(c.x), y = s.py(c.y), w = s.px(c.x + c.w) - x, h = s.py(c.y + c.h) - y;
    switch (c.kind) {
    case ControlKind::DEFAULT_BUTTON:
        return new Fl_Return_Button(x, y, w, h, c.text);
    case ControlKind::BUTTON:
        return new Fl_Button(x, y, w, h, c.text);
    case ControlKind::EDIT: {
        Fl_Input* input    = new Fl_Input(x, y, w, h);
        const bool address = c.id == ID_ADDRESS;
        input->maximum_size(address ? ADDRESS_MAX_CHARS : PLAYER_NAME_CHARS);
        input->value(address ? setup.address : setup.name);
        return input;
    }
    case ControlKind::STATIC: {
        Fl_Box* text = new Fl_Box(x, y, w, h, c.text);
        text->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_TOP);
        return text;
    }
    case ControlKind::GROUP_BOX:
        return new GroupBox(x, y, w, h, c.text);
    case ControlKind::CHECK_BOX:
        return new Fl_Check_Button(x, y, w, h, c.text);
    case ControlKind::RADIO: {
        Fl_Round_Button* radio = new Fl_Round_Button(x, y, w, h, c.text);
        radio->type(FL_RADIO_BUTTON);
        radio->clear_visible_focus(); // not a tab stop
        return radio;
    }
    case ControlKind::SPINNER: {
        Fl_Spinner* bots      = new Fl_Spinner(x, y, w, h);
        const SpinnerRow& row = spinnerRow(c.id);
        bots->range(0, row.highest);
        bots->step(1);
        bots->value(setup.*row.value);
        bots->textsize(SETUP_FONT_SIZE);
        // Its field would keep Enter for itself; Enter is Create Game's wherever the focus is.
        static_cast<Fl_Input*>(bots->child(0))->when(FL_WHEN_CHANGED);
        return bots;
    }
    case ControlKind::CHOICE: {
        Fl_Choice* skill = new Fl_Choice(x, y, w, h);
        if (c.id == ID_ARENA) {
            // By index: the menu's own reading of a text would take a leading '_' as a line.
            for (int k = 0; k <= arenas.count; ++k)
                skill->add(k < arenas.count ? arenas.name[k] : ROTATE_TEXT);
            skill->value(arenaIndex(arenas, setup.arena));
            skill->textsize(SETUP_FONT_SIZE);
            return skill;
        }
        for (const char* name : SKILL_NAMES)
            skill->add(name);
        skill->value(setup.botSkill - 1);
        skill->textsize(SETUP_FONT_SIZE);
        return skill;
    }
    case ControlKind::LIST: {
        Fl_Hold_Browser* list = new Fl_Hold_Browser(x, y, w, h);
        list->textsize(SETUP_FONT_SIZE);
        return list;
    }
    }
    return nullptr;
}
} // namespace

Fl_Widget* controlById(const SetupDialog& dialog, int id) {
    for (int i = 0; i < SETUP_CONTROL_COUNT; ++i) {
        if (SETUP_CONTROLS[i].id == id) return dialog.control[i];
    }
    return nullptr;
}

int resolutionControlId(int index) {
    return index == DESKTOP_RESOLUTION ? ID_RESOLUTION_DESKTOP : ID_RESOLUTION_FIRST + index;
}

SetupDialog buildSetupDialog(const GameSetup& setup) {
    FL_NORMAL_SIZE = SETUP_FONT_SIZE;
    Scale s        = dialogScale();
    SetupDialog dialog{};
    dialog.arenas = listArenas(ARENA_FOLDER);
    dialog.window = new Fl_Double_Window(s.px(SETUP_DIALOG_X), s.py(SETUP_DIALOG_Y),
                                         s.px(SETUP_DIALOG_W), s.py(SETUP_DIALOG_H), SETUP_TITLE);
    dialog.window->end();
    // Each control goes into the group box it lies in, else into the window, in template
    // order: that order is the Tab key's.
    Fl_Group* groupBox = nullptr;
    for (int i = 0; i < SETUP_CONTROL_COUNT; ++i) {
        const ControlTemplate& c = SETUP_CONTROLS[i];
        Fl_Group::current(nullptr);
        dialog.control[i] = makeControl(c, s, dialog.arenas, setup);
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

    static_cast<Fl_Button*>(controlById(dialog, resolutionControlId(setup.resolutionIndex)))
        ->setonly();
    static_cast<Fl_Button*>(controlById(dialog, ID_FULL_SCREEN))->value(setup.fullScreen);
    static_cast<Fl_Button*>(controlById(dialog, ID_SOUND))->value(setup.soundEnabled);
    return dialog;
}

void storeArenaChoice(const SetupDialog& dialog, int index, char out[ARENA_NAME_BYTES + 1]) {
    const char* name =
        index >= 0 && index < dialog.arenas.count ? dialog.arenas.name[index] : ROTATE_ARENAS;
    std::snprintf(out, ARENA_NAME_BYTES + 1, "%s", name);
}
