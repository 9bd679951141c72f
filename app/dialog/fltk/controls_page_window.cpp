// The controls page on FLTK. While an entry waits, the window takes every key and mouse
// button before its widgets do, Escape cancelling.
#include "app/dialog/fltk/controls_page_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Spinner.H>

#include "app/dialog/fltk/fltk_input_code.h"
#include "app/dialog/fltk/setup_widgets.h"

namespace {
constexpr const char* SENSITIVITY_FORMAT = "%.1f";

class PageWindow : public Fl_Double_Window {
  public:
    PageWindow(int w, int h, ControlsPageView& view)
        : Fl_Double_Window(w, h, CONTROLS_PAGE_TITLE), view_(view) {}
    int handle(int event) override;

  private:
    ControlsPageView& view_;
};

Fl_Spinner* spinner(const ControlsPageView& view, int id) {
    return static_cast<Fl_Spinner*>(pageControl(view, id));
}
Fl_Button* button(const ControlsPageView& view, int id) {
    return static_cast<Fl_Button*>(pageControl(view, id));
}

// Every entry anew: a move empties or changes another one.
void showEntries(ControlsPageView& view) {
    for (int e = 0; e < BINDING_ENTRY_COUNT; ++e) {
        Fl_Widget* entry = pageControl(view, ID_BINDING_FIRST + e);
        entry->copy_label(entryText(view.page, e));
        entry->redraw();
    }
}

void showLook(ControlsPageView& view) {
    const ControlSettings& s = view.page.settings;
    spinner(view, ID_SENSITIVITY)->value(s.sensitivity);
    button(view, ID_INVERT_PITCH)->value(s.invertPitch);
    spinner(view, ID_FOV)->value(s.fovDegrees);
}

int PageWindow::handle(int event) {
    ControlsPage& page = view_.page;
    if (page.waiting == NO_ENTRY) return Fl_Double_Window::handle(event);
    const int entry = page.waiting;
    if (event == FL_KEYBOARD || event == FL_SHORTCUT) {
        if (Fl::event_key() == FL_Escape) {
            cancelCapture(page);
        } else if (!captureInput(page, inputOfKey(Fl::event_key()))) {
            return 1; // keeps waiting
        }
    } else if (event == FL_PUSH) {
        if (!captureInput(page, inputOfButton(Fl::event_button()))) return 1;
    } else {
        return Fl_Double_Window::handle(event);
    }
    showEntries(view_);
    pageControl(view_, ID_BINDING_FIRST + entry)->take_focus();
    return 1;
}

void chooseEntry(Fl_Widget* entry, void* data) {
    ControlsPageView& view = *static_cast<ControlsPageView*>(data);
    for (int i = 0; i < CONTROLS_PAGE_CONTROL_COUNT; ++i)
        if (view.control[i] == entry)
            startCapture(view.page, bindingEntry(view.layout.control[i].id));
    showEntries(view);
    Fl::focus(view.window); // the keys come to the window while the entry waits
}

void defaults(Fl_Widget*, void* data) {
    ControlsPageView& view = *static_cast<ControlsPageView*>(data);
    restoreDefaults(view.page);
    showEntries(view);
    showLook(view);
}

void keep(Fl_Widget*, void* data) {
    ControlsPageView& view = *static_cast<ControlsPageView*>(data);
    setLook(view.page, spinner(view, ID_SENSITIVITY)->value(),
            button(view, ID_INVERT_PITCH)->value() != 0, spinner(view, ID_FOV)->value());
    view.kept = true;
    view.window->hide();
}

// Cancel, Escape and the close box.
void drop(Fl_Widget*, void* data) {
    static_cast<ControlsPageView*>(data)->window->hide();
}
} // namespace

void buildControlsPage(ControlsPageView& view, const ControlSettings& settings) {
    view.layout         = controlsPageLayout();
    const DialogScale s = dialogScale(view.layout.control, CONTROLS_PAGE_CONTROL_COUNT);
    view.page           = ControlsPage{};
    view.page.settings  = settings;
    view.kept           = false;
    view.window         = new PageWindow(s.px(CONTROLS_PAGE_W), s.py(CONTROLS_PAGE_H), view);
    view.window->end();
    const ArenaList noArenas{};
    for (int i = 0; i < CONTROLS_PAGE_CONTROL_COUNT; ++i) {
        const ControlTemplate& c = view.layout.control[i];
        Fl_Group::current(nullptr);
        view.control[i] = makeControl(c, s, noArenas, ControlValue{});
        view.window->add(view.control[i]);
        if (bindingEntry(c.id) >= 0) view.control[i]->callback(chooseEntry, &view);
    }
    Fl_Group::current(nullptr);
    Fl_Spinner* sensitivity = spinner(view, ID_SENSITIVITY);
    sensitivity->range(SENSITIVITY_LOWEST, SENSITIVITY_HIGHEST);
    sensitivity->step(SENSITIVITY_STEP);
    sensitivity->format(SENSITIVITY_FORMAT);
    spinner(view, ID_FOV)->range(FOV_LOWEST, FOV_HIGHEST);
    pageControl(view, ID_DEFAULTS)->callback(defaults, &view);
    pageControl(view, ID_CONTROLS_OK)->callback(keep, &view);
    pageControl(view, ID_CONTROLS_CANCEL)->callback(drop, &view);
    view.window->callback(drop, &view);
    showEntries(view);
    showLook(view);
    view.window->set_modal();
    view.window->xclass(CONTROLS_PAGE_TITLE);
}

Fl_Widget* pageControl(const ControlsPageView& view, int id) {
    for (int i = 0; i < CONTROLS_PAGE_CONTROL_COUNT; ++i)
        if (view.layout.control[i].id == id) return view.control[i];
    return nullptr;
}

void runControlsPage(Fl_Window* owner, ControlSettings& settings) {
    ControlsPageView view{};
    buildControlsPage(view, settings);
    view.window->position(owner->x() + (owner->w() - view.window->w()) / 2,
                          owner->y() + (owner->h() - view.window->h()) / 2);
    view.window->show();
    while (view.window->shown())
        Fl::wait();
    if (view.kept) settings = view.page.settings;
    delete view.window;
}
