// The window, its boxes and dialogs are the system's own: no toolkit has fatal errors of its
// own to route.
#include "platform/platform.h"

void platformRouteToolkitFailures(ToolkitFailure) {}
