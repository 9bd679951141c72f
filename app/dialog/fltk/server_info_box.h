// The "Server Info" box a host confirms before waiting for the others.
#pragma once

class Fl_Window;

// Shows the box over its owner and returns when OK (or Enter, Escape, close) ends it.
void showServerInfo(Fl_Window* owner);
