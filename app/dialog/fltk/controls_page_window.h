// The controls page on FLTK: a modal window over the set-up dialog.
#pragma once

#include "app/dialog/controls_page.h"
#include "app/dialog/controls_page_layout.h"

class Fl_Double_Window;
class Fl_Widget;
class Fl_Window;

struct ControlsPageView {
    ControlsPageLayout layout;
    Fl_Double_Window* window;
    Fl_Widget* control[CONTROLS_PAGE_CONTROL_COUNT]; // in layout's order
    ControlsPage page;
    bool kept; // OK ended it
};

// Builds the page, hidden, showing settings, its callbacks working on view (which outlives
// the window).
void buildControlsPage(ControlsPageView& view, const ControlSettings& settings);
Fl_Widget* pageControl(const ControlsPageView& view, int id);

// Shows the page over owner until OK, Cancel, Escape or the close box; after OK the page's
// settings replace settings.
void runControlsPage(Fl_Window* owner, ControlSettings& settings);
