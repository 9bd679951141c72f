// The input flags, all clear at start.
#include "world/control_state.h"

ControlState controls = {0, 0, 0, 0, 0, 0};
