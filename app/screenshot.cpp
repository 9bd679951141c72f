// Taking the screenshot: the folder, the pixels, a name no file has yet, the PNG file.
#include "app/screenshot.h"

#include <cstdio>
#include <string>
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

bool requested = false;

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

bool saveScreenshot(char name[SCREENSHOT_NAME_SIZE], char problem[PROBLEM_SIZE]) {
    char folder[FOLDER_PATH_SIZE];
    if (!platformDataFolder(SCREENSHOT_KIND, folder, sizeof folder, problem, PROBLEM_SIZE))
        return false;
    if (!freshName(folder, name)) {
        std::snprintf(problem, PROBLEM_SIZE, "%d screenshots in one second already in %s",
                      MOST_SCREENSHOTS_IN_A_SECOND, folder);
        return false;
    }
    std::vector<uint8_t> rgb;
    readDrawablePixels(&rgb);
    const std::string path = std::string(folder) + name;
    char pngProblem[PNG_PROBLEM_SIZE];
    const PngPicture picture{rgb.data(), drawable.width, drawable.height, PngChannels::RGB};
    if (writePng(path.c_str(), picture, pngProblem)) return true;
    std::snprintf(problem, PROBLEM_SIZE, "%s", pngProblem);
    return false;
}
} // namespace

void requestScreenshot() {
    requested = true;
}

void takeRequestedScreenshot(uint32_t nowMs) {
    if (!requested) return;
    requested                       = false;
    char name[SCREENSHOT_NAME_SIZE] = "";
    char problem[PROBLEM_SIZE]      = "";
    char notice[NOTICE_TEXT_SIZE];
    if (saveScreenshot(name, problem)) {
        std::snprintf(notice, sizeof notice, "Screenshot saved: %s", name);
    } else {
        std::snprintf(notice, sizeof notice, "Screenshot not saved: %s", problem);
        std::fprintf(stderr, "voranis: screenshot not saved: %s\n", problem);
    }
    showNotice(notice, nowMs);
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
