#include "tests/support/gltest.h"

#include <GL/glew.h>
#include <SDL.h>
#include <dlfcn.h>
#include <link.h>

#include <cstring>
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
        keepGLDriverLoaded();
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

void keepGLDriverLoaded()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            const char* name = info->dlpi_name;
            const size_t length = name ? std::strlen(name) : 0;
            if (length > 7 && std::strcmp(name + length - 7, "_dri.so") == 0)
                dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

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
