// Taking the screenshot: the folder, a name no file has yet and the pixels on the game's
// thread; the PNG file on a writer thread of its own.
#include "app/screenshot.h"

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/hud_state.h"
#include "platform/platform.h"
#include "png/png_picture.h"
#include "render/drawable_pixels.h"
#include "render/render.h"

namespace {
constexpr int PROBLEM_SIZE     = PNG_PROBLEM_SIZE + PLATFORM_PROBLEM_SIZE;
constexpr int FOLDER_PATH_SIZE = 4096; // the longest path the system takes
constexpr int STAMP_SIZE       = 32;   // "voranis-2026-12-08_07-15-03", room for any year

// One file at a time: the writer owns the save from its start until it sets `written`.
struct ScreenshotSave {
    std::vector<uint8_t> rgb;
    int width = 0, height = 0;
    std::string path;
    char name[SCREENSHOT_NAME_SIZE] = "";
    bool saved                      = false;
    char problem[PROBLEM_SIZE]      = "";
};

bool requested = false;
ScreenshotSave save;
std::thread writer;
std::atomic<bool> written{false};

bool fileExists(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file) std::fclose(file);
    return file != nullptr;
}

// The first name of this second no file in the folder has; false when every copy is taken.
bool freshName(const std::string& folder, char name[SCREENSHOT_NAME_SIZE]) {
    const std::time_t now = std::time(nullptr);
    std::tm when{};
    localtime_r(&now, &when);
    for (int copy = 1; copy <= MOST_SCREENSHOTS_IN_A_SECOND; ++copy) {
        screenshotName(when, copy, name);
        if (!fileExists(folder + name)) return true;
    }
    return false;
}

// The folder, the name and the frame's pixels into save; false with what failed.
bool prepareSave() {
    char folder[FOLDER_PATH_SIZE];
    if (!platformDataFolder(SCREENSHOT_KIND, folder, sizeof folder, save.problem, PROBLEM_SIZE))
        return false;
    if (!freshName(folder, save.name)) {
        std::snprintf(save.problem, PROBLEM_SIZE, "%d screenshots in one second already in %s",
                      MOST_SCREENSHOTS_IN_A_SECOND, folder);
        return false;
    }
    save.path   = std::string(folder) + save.name;
    save.width  = drawable.width;
    save.height = drawable.height;
    readDrawablePixels(&save.rgb);
    return true;
}

void writeSave() {
    char problem[PNG_PROBLEM_SIZE];
    save.saved = writePng(save.path.c_str(),
                          {save.rgb.data(), save.width, save.height, PngChannels::RGB}, problem);
    if (!save.saved) std::snprintf(save.problem, PROBLEM_SIZE, "%s", problem);
    written = true;
}

// The overlay cuts the line to its size; standard error takes it whole.
void tellOutcome(uint32_t nowMs) {
    if (save.saved) {
        showNotice((std::string("Screenshot saved: ") + save.name).c_str(), nowMs);
        return;
    }
    showNotice((std::string("Screenshot not saved: ") + save.problem).c_str(), nowMs);
    std::fprintf(stderr, "voranis: screenshot not saved: %s\n", save.problem);
}
} // namespace

void requestScreenshot() {
    requested = true;
}

void screenshotAfterDrawing(uint32_t nowMs) {
    if (writer.joinable() && written) {
        writer.join();
        tellOutcome(nowMs);
    }
    if (!requested || writer.joinable()) return;
    requested = false;
    save      = ScreenshotSave{};
    if (!prepareSave()) {
        tellOutcome(nowMs);
        return;
    }
    written = false;
    writer  = std::thread(writeSave);
}

void finishScreenshot() {
    if (!writer.joinable()) return;
    writer.join();
    if (!save.saved) std::fprintf(stderr, "voranis: screenshot not saved: %s\n", save.problem);
}

void screenshotName(const std::tm& when, int copy, char name[SCREENSHOT_NAME_SIZE]) {
    char stamp[STAMP_SIZE];
    std::strftime(stamp, sizeof stamp, "voranis-%Y-%m-%d_%H-%M-%S", &when);
    if (copy <= 1) {
        std::snprintf(name, SCREENSHOT_NAME_SIZE, "%s.png", stamp);
    } else {
        std::snprintf(name, SCREENSHOT_NAME_SIZE, "%s-%d.png", stamp, copy);
    }
}
