// The hidden-window GL context shared by the tests that draw.
#include "tests/assets/gl_context.h"

#include <SDL.h>

struct TestGlContext {
    SDL_Window* window;
    SDL_GLContext gl;
};

TestGlContext* createTestGlContext(int width, int height, std::string* error) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        *error = std::string("SDL video: ") + SDL_GetError();
        return nullptr;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_Window* window = SDL_CreateWindow("voranis test", 0, 0, width, height,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window) {
        *error = std::string("window: ") + SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    SDL_GLContext gl = SDL_GL_CreateContext(window);
    if (!gl) {
        *error = std::string("GL context: ") + SDL_GetError();
        SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    SDL_GL_MakeCurrent(window, gl);
    return new TestGlContext{window, gl};
}

// The video subsystem stays up to the end of the process: quitting it unloads the GL
// driver, and the leak checker could then no longer name (and pass over) what the driver
// and the desktop bus keep for the life of the process.
void destroyTestGlContext(TestGlContext* context) {
    if (!context) return;
    SDL_GL_DeleteContext(context->gl);
    SDL_DestroyWindow(context->window);
    delete context;
}

// Allocations the system libraries hold until exit, not leaks of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n"
           "leak:libX11.so\n"
           "leak:libGLX_mesa.so\n"
           "leak:swrast_dri.so\n"
           "leak:libgallium\n"
           "leak:libLLVM\n";
}
