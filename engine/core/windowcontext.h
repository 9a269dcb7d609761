#pragma once
// The process's one window and its OpenGL context. Destruction deletes the context first, then
// destroys the window.
#include <SDL.h>

#include <memory>

namespace Engine {

// What the game keeps about the window's presentation: the swap interval it configured.
struct WindowHandle {
    SDL_Window* window = nullptr;
    int swapInterval = 0;
};

struct WindowContext {
    WindowContext(int width, int height) : width(width), height(height) {}
    ~WindowContext();
    WindowContext(const WindowContext&) = delete;
    WindowContext& operator=(const WindowContext&) = delete;

    SDL_Window* window = nullptr;
    SDL_GLContext glContext = nullptr;
    std::unique_ptr<WindowHandle> handle;
    int width;  // the size the window was created with
    int height;
};

} // namespace Engine
