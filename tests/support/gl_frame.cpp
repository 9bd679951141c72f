// The hidden-window GL context and pixel read-back.
#include "tests/support/gl_frame.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cstring>

constexpr int DEPTH_BITS = 16; // what the game asks for

struct GlWindow {
    SDL_Window* window;
    SDL_GLContext gl;
};

GlWindow* openGlWindow(int width, int height, std::string* error) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        *error = std::string("SDL video: ") + SDL_GetError();
        return nullptr;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, DEPTH_BITS);
    SDL_Window* window = SDL_CreateWindow("voranis test", 0, 0, width, height,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    SDL_GLContext gl   = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!gl) {
        *error = std::string("GL window: ") + SDL_GetError();
        if (window) SDL_DestroyWindow(window);
        return nullptr;
    }
    SDL_GL_MakeCurrent(window, gl);
    return new GlWindow{window, gl};
}

// The video subsystem stays up to the end of the process: quitting it unloads the GL driver,
// and the leak checker could then no longer name (and pass over) what the driver keeps.
void closeGlWindow(GlWindow* w) {
    if (!w) return;
    SDL_GL_DeleteContext(w->gl);
    SDL_DestroyWindow(w->window);
    delete w;
}

Picture readFrame(int width, int height) {
    Picture p{width, height, std::vector<uint8_t>(std::size_t(width) * height * 3)};
    std::vector<uint8_t> bottomUp(p.rgb.size());
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    const std::size_t row = std::size_t(width) * 3;
    for (int y = 0; y < height; ++y)
        std::memcpy(&p.rgb[y * row], &bottomUp[(height - 1 - y) * row], row);
    return p;
}
