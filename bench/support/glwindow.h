#pragma once
// An SDL window with an OpenGL 3.3 core context and GLEW started, for the benchmarks that draw
// without the engine. Destruction deletes the context, destroys the window and stops SDL.
#include <GL/glew.h>
#include <SDL.h>

namespace BenchSupport {

class GlWindow {
public:
    GlWindow() = default;
    GlWindow(const GlWindow&) = delete;
    GlWindow& operator=(const GlWindow&) = delete;
    ~GlWindow()
    {
        if (context)
            SDL_GL_DeleteContext(context);
        if (window)
            SDL_DestroyWindow(window);
        if (videoStarted)
            SDL_Quit();
    }

    // False when SDL's video does not start; SDL_GetError tells why.
    bool startVideo()
    {
        videoStarted = SDL_Init(SDL_INIT_VIDEO) == 0;
        return videoStarted;
    }

    // Opens the window and its context and starts GLEW, leaving no GL error pending. False when
    // there is no window or no context; SDL_GetError tells why.
    bool open(const char* title, int x, int y, int width, int height, Uint32 flags)
    {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        window = SDL_CreateWindow(title, x, y, width, height, flags);
        context = window ? SDL_GL_CreateContext(window) : nullptr;
        if (!context)
            return false;
        glewExperimental = GL_TRUE;
        glewInit();
        while (glGetError() != GL_NO_ERROR) {
        }
        return true;
    }

private:
    bool videoStarted = false;
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};

} // namespace BenchSupport
