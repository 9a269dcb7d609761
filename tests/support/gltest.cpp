#include "tests/support/gltest.h"

#include "engine/gfx/gldriver.h"

#include <GL/glew.h>
#include <SDL.h>

#include <string>

namespace TestSupport {
namespace {

struct HiddenWindow {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    std::string error;

    HiddenWindow()
    {
        if (SDL_Init(SDL_INIT_VIDEO) != 0) {
            error = std::string("SDL_Init: ") + SDL_GetError();
            return;
        }
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        window = SDL_CreateWindow("tests", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, kGLWindowWidth,
                                  kGLWindowHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (!window) {
            error = std::string("SDL_CreateWindow: ") + SDL_GetError();
            return;
        }
        context = SDL_GL_CreateContext(window);
        if (!context) {
            error = std::string("SDL_GL_CreateContext: ") + SDL_GetError();
            return;
        }
        glewExperimental = GL_TRUE;
        const GLenum glewStatus = glewInit();
        // Without GLX (offscreen driver) glewInit reports "no GLX display" although every GL call works.
        if (glewStatus != GLEW_OK && glewStatus != 4) {
            error = std::string("glewInit: ") + reinterpret_cast<const char*>(glewGetErrorString(glewStatus));
            return;
        }
        while (glGetError() != GL_NO_ERROR) {
        }
        Engine::GFX::keepGLDriverLoaded();
    }

    ~HiddenWindow()
    {
        if (context)
            SDL_GL_DeleteContext(context);
        if (window)
            SDL_DestroyWindow(window);
        SDL_Quit();
    }
};

HiddenWindow& hiddenWindow()
{
    static HiddenWindow instance;
    return instance;
}

} // namespace

void GLTest::SetUpTestSuite()
{
    hiddenWindow();
}

void GLTest::SetUp()
{
    const HiddenWindow& gl = hiddenWindow();
    ASSERT_TRUE(gl.error.empty()) << gl.error;
    SDL_GL_MakeCurrent(gl.window, gl.context);
}

} // namespace TestSupport
