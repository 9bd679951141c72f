// The window's OpenGL context through WGL: a double-buffered RGBA pixel format with a depth
// buffer, made current, swapping without waiting for the screen's refresh.
#include "platform/windows/win32_gl_context.h"

#include <windows.h>

#include <cstdio>

#include "platform/platform.h"
#include "platform/windows/win32_problem.h"
#include "platform/windows/win32_window.h"

namespace {
constexpr BYTE ASKED_COLOUR_BITS = 24;

using SwapIntervalFunction = BOOL(WINAPI*)(int);

HGLRC glContext = nullptr; // the one context, on the one window

bool formatIsEnough(const PIXELFORMATDESCRIPTOR& format) {
    const DWORD needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    return (format.dwFlags & needed) == needed && format.iPixelType == PFD_TYPE_RGBA &&
           format.cRedBits >= WINDOW_COLOUR_BITS && format.cGreenBits >= WINDOW_COLOUR_BITS &&
           format.cBlueBits >= WINDOW_COLOUR_BITS && format.cDepthBits >= WINDOW_DEPTH_BITS;
}

bool choosePixelFormat(HDC dc, char* problem, int problemSize) {
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize      = sizeof wanted;
    wanted.nVersion   = 1;
    wanted.dwFlags    = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    wanted.iPixelType = PFD_TYPE_RGBA;
    wanted.cColorBits = ASKED_COLOUR_BITS;
    wanted.cDepthBits = WINDOW_DEPTH_BITS;
    wanted.iLayerType = PFD_MAIN_PLANE;
    const int format  = ChoosePixelFormat(dc, &wanted);
    if (format == 0) {
        systemProblem("no OpenGL pixel format for the window", problem, problemSize);
        return false;
    }
    PIXELFORMATDESCRIPTOR offered{};
    DescribePixelFormat(dc, format, sizeof offered, &offered);
    if (!formatIsEnough(offered)) {
        std::snprintf(problem, static_cast<size_t>(problemSize),
                      "the display offers no double-buffered OpenGL format with %d bits of "
                      "depth (the closest has %d): update the graphics driver",
                      WINDOW_DEPTH_BITS, offered.cDepthBits);
        return false;
    }
    if (!SetPixelFormat(dc, format, &offered)) {
        systemProblem("cannot give the window its OpenGL pixel format", problem, problemSize);
        return false;
    }
    return true;
}

// Frames are paced by the clock alone, never by the screen's refresh; drivers without the
// extension never wait anyway.
void swapWithoutWaiting() {
    const PROC found = wglGetProcAddress("wglSwapIntervalEXT");
    if (!found) return;
    reinterpret_cast<SwapIntervalFunction>(reinterpret_cast<void (*)()>(found))(0);
}
} // namespace

bool platformCreateGlContext(char* problem, int problemSize) {
    HDC dc = gameWindowDc();
    if (!dc) {
        std::snprintf(problem, static_cast<size_t>(problemSize), "there is no game window");
        return false;
    }
    if (!choosePixelFormat(dc, problem, problemSize)) return false;
    glContext = wglCreateContext(dc);
    if (!glContext) {
        systemProblem("cannot create the OpenGL context", problem, problemSize);
        return false;
    }
    if (!wglMakeCurrent(dc, glContext)) {
        systemProblem("cannot make the OpenGL context current", problem, problemSize);
        return false;
    }
    swapWithoutWaiting();
    return true;
}

void platformSwapBuffers() {
    HDC dc = gameWindowDc();
    if (dc) SwapBuffers(dc);
}

void deleteGlContext() {
    if (!glContext) return;
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(glContext);
    glContext = nullptr;
}
