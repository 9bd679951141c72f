// The Windows game window end to end, for tests/windows/window-smoke under Wine: opens a
// window in the mode named, draws a known colour, says what it got, and logs the input
// events it receives until the window is closed ("windowed", "maximised", "desktop" or
// "switch", a display mode change to 640x480). "errorbox" shows the fatal-error box over
// a known area instead. Exit code 0 when everything it checks itself holds.
#include <windows.h>

#include <GL/gl.h>

#include <cstdio>
#include <cstring>

#include "app/controls/controls.h"
#include "platform/platform.h"

namespace {
constexpr int WIDTH = 640, HEIGHT = 480;
constexpr int CLEAR_RED = 51, CLEAR_GREEN = 153, CLEAR_BLUE = 255;
constexpr int ICON_SIDE         = 32;
constexpr int FIRST_FRAMES      = 3;
constexpr ULONGLONG LONGEST_RUN = 60000; // ms: the runner closes the window long before
constexpr const char* TITLE     = "voranis window smoke";
constexpr ScreenArea BOX_AREA{100, 100, WIDTH, HEIGHT};

const char* kindName(InputKind kind) {
    static const char* const NAMES[] = {"OTHER", "INPUT_DOWN", "INPUT_UP", "CHAR",
                                        "CLOSE", "MOUSE_MOVE", "TEXT",     "RESIZED"};
    return NAMES[static_cast<int>(kind)];
}

void logEvent(const InputEvent& event) {
    std::printf("event %s code '%s' repeat %d char %d dx %d dy %d text '%s'\n",
                kindName(event.kind), inputName(event.code), event.repeat ? 1 : 0, event.character,
                event.dx, event.dy, event.text);
    std::fflush(stdout);
}

// The viewport follows the drawable, as the game's does (GL drivers take a new size from it).
void drawFrame() {
    int w = 0, h = 0;
    platformDrawableSize(&w, &h);
    glViewport(0, 0, w, h);
    glClearColor(CLEAR_RED / 255.0f, CLEAR_GREEN / 255.0f, CLEAR_BLUE / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// What the context and drawable are, said and checked.
bool reportWindow(WindowMode mode) {
    int w = 0, h = 0;
    platformDrawableSize(&w, &h);
    const ScreenArea area    = platformWindowArea();
    const ScreenArea desktop = platformDesktopArea();
    GLint depth = 0, red = 0;
    GLboolean doubled = GL_FALSE;
    glGetIntegerv(GL_DEPTH_BITS, &depth);
    glGetIntegerv(GL_RED_BITS, &red);
    glGetBooleanv(GL_DOUBLEBUFFER, &doubled);
    drawFrame();
    unsigned char pixel[4] = {};
    glReadPixels(w / 2, h / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    std::printf("area %d %d %d %d\ndrawable %d %d\ndesktop %d %d\ndepth %d red %d double %d\n"
                "pixel %d %d %d\n",
                area.x, area.y, area.w, area.h, w, h, desktop.w, desktop.h, depth, red,
                doubled ? 1 : 0, pixel[0], pixel[1], pixel[2]);
    // Full screen covers the desktop, whose size after a mode switch is the mode's.
    const bool full =
        mode == WindowMode::FULL_SCREEN_DESKTOP || mode == WindowMode::FULL_SCREEN_SWITCH;
    const int wantedW = full ? desktop.w : WIDTH, wantedH = full ? desktop.h : HEIGHT;
    // A maximised window fills the work area less its frame: more than it asked for.
    const bool sized =
        mode == WindowMode::MAXIMISED ? w > WIDTH && h > HEIGHT : w == wantedW && h == wantedH;
    bool good = sized && depth >= WINDOW_DEPTH_BITS && doubled;
    good      = good && pixel[0] == CLEAR_RED && pixel[1] == CLEAR_GREEN && pixel[2] == CLEAR_BLUE;
    if (!good) std::printf("unexpected window\n");
    return good;
}

int runWindow(WindowMode mode) {
    char problem[PLATFORM_PROBLEM_SIZE];
    uint32_t icon[ICON_SIDE * ICON_SIDE];
    for (uint32_t& pixel : icon)
        pixel = 0xFF3399FFu;
    const WindowRequest request{TITLE, WIDTH, HEIGHT, mode, WIDTH, HEIGHT, icon, ICON_SIDE};
    if (!platformOpenVideo(TITLE, problem, sizeof problem) ||
        !platformCreateWindow(request, problem, sizeof problem) ||
        !platformCreateGlContext(problem, sizeof problem)) {
        std::printf("failed: %s\n", problem);
        return 1;
    }
    platformShowWindow();
    // A few frames first, as the game's loop draws them: what showing the window brought
    // (a maximised window's new size) reaches the drawable.
    for (int frame = 0; frame < FIRST_FRAMES; ++frame) {
        InputEvent shown;
        while (platformPollEvent(&shown))
            logEvent(shown);
        drawFrame();
        platformSwapBuffers();
    }
    const bool good = reportWindow(mode);
    platformSwapBuffers();
    platformShowCursor(false);
    std::printf("drawn\n");
    std::fflush(stdout);
    const ULONGLONG start = GetTickCount64();
    bool closed           = false;
    while (!closed && GetTickCount64() - start < LONGEST_RUN) {
        InputEvent event;
        while (platformPollEvent(&event)) {
            logEvent(event);
            // As the game's chat line: T turns text input on.
            if (event.kind == InputKind::INPUT_DOWN && event.code == InputCode::T)
                platformTextInput(true);
            closed = closed || event.kind == InputKind::CLOSE;
        }
        drawFrame();
        platformSwapBuffers();
        Sleep(10);
    }
    platformCloseVideo();
    std::printf("closed %d\n", closed ? 1 : 0);
    return good && closed ? 0 : 1;
}
} // namespace

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "windowed";
    if (std::strcmp(mode, "errorbox") == 0) {
        std::printf("box\n");
        std::fflush(stdout);
        platformErrorBox("NETWORK ERROR", "The smoke test's error box.", BOX_AREA);
        std::printf("box closed\n");
        return 0;
    }
    if (std::strcmp(mode, "desktop") == 0) return runWindow(WindowMode::FULL_SCREEN_DESKTOP);
    if (std::strcmp(mode, "switch") == 0) return runWindow(WindowMode::FULL_SCREEN_SWITCH);
    if (std::strcmp(mode, "maximised") == 0) return runWindow(WindowMode::MAXIMISED);
    return runWindow(WindowMode::WINDOWED);
}
