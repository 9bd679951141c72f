#include "tests/support/gl_frame.h"

#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>
#include <fstream>

struct GlWindow {
    SDL_Window* window;
    SDL_GLContext gl;
};

GlWindow* openGlWindow(int width, int height, std::string* error) {
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16); // what the game asks for
    SDL_Window* window = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0
                             ? SDL_CreateWindow("voranis test", 0, 0, width, height,
                                                SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN)
                             : nullptr;
    SDL_GLContext gl   = window ? SDL_GL_CreateContext(window) : nullptr;
    if (gl) return new GlWindow{window, gl};
    *error = std::string("GL window: ") + SDL_GetError();
    if (window) SDL_DestroyWindow(window);
    return nullptr;
}

// Video stays up: unloading the GL driver would hide what it keeps from the leak checker.
void closeGlWindow(GlWindow* w) {
    if (!w) return;
    SDL_GL_DeleteContext(w->gl);
    SDL_DestroyWindow(w->window);
    delete w;
}

Picture readFrame(int width, int height) {
    Picture p{width, height, std::vector<uint8_t>(std::size_t(width) * height * 3)};
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, p.rgb.data());
    for (int y = 0; y < height / 2; ++y) // GL's rows run bottom up
        std::swap_ranges(&p.rgb[y * width * 3], &p.rgb[(y + 1) * width * 3],
                         &p.rgb[(height - 1 - y) * width * 3]);
    return p;
}

Picture readTexture(unsigned name) {
    GLint w = 0, h = 0;
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    Picture p{w, h, std::vector<uint8_t>(std::size_t(w) * h * 3)};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    if (w > 0 && h > 0) glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, p.rgb.data());
    return p;
}

bool savePicture(const Picture& picture, const std::string& path) {
    std::ofstream f(path, std::ios::binary);
    f << "P6\n" << picture.width << " " << picture.height << "\n255\n";
    return bool(f.write(reinterpret_cast<const char*>(picture.rgb.data()), picture.rgb.size()));
}
