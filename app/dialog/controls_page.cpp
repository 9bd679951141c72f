// The controls page's rules: capturing an input into an entry, and the look's ranges.
#include "app/dialog/controls_page.h"

#include <cmath>

#include "app/dialog/controls_page_layout.h"

namespace {
double clamped(double value, double lowest, double highest) {
    return value < lowest ? lowest : value > highest ? highest : value;
}
} // namespace

const char* entryText(const ControlsPage& page, int entry) {
    if (entry == page.waiting) return WAITING_TEXT;
    if (entry < 0 || entry >= BINDING_ENTRY_COUNT) return "";
    return inputName(page.settings.bindings[entry / INPUTS_PER_ACTION][entry % INPUTS_PER_ACTION]);
}

void startCapture(ControlsPage& page, int entry) {
    page.waiting = entry >= 0 && entry < BINDING_ENTRY_COUNT ? entry : NO_ENTRY;
}

void cancelCapture(ControlsPage& page) {
    page.waiting = NO_ENTRY;
}

bool captureInput(ControlsPage& page, InputCode code) {
    if (page.waiting == NO_ENTRY || code == InputCode::NONE || !inputBindable(code)) return false;
    const Action action = static_cast<Action>(page.waiting / INPUTS_PER_ACTION);
    bindInput(page.settings, action, page.waiting % INPUTS_PER_ACTION, code);
    page.waiting = NO_ENTRY;
    return true;
}

void restoreDefaults(ControlsPage& page) {
    page = ControlsPage{};
}

void setLook(ControlsPage& page, double sensitivity, bool invertPitch, double fovDegrees) {
    if (std::isfinite(sensitivity)) {
        const double tenths = std::round(sensitivity / SENSITIVITY_STEP) * SENSITIVITY_STEP;
        page.settings.sensitivity =
            static_cast<float>(clamped(tenths, SENSITIVITY_LOWEST, SENSITIVITY_HIGHEST));
    }
    page.settings.invertPitch = invertPitch;
    if (std::isfinite(fovDegrees))
        page.settings.fovDegrees =
            static_cast<int>(std::lround(clamped(fovDegrees, FOV_LOWEST, FOV_HIGHEST)));
}
