#include "engine/core/windowcontext.h"

namespace Engine {

WindowContext::~WindowContext()
{
    if (glContext)
        SDL_GL_DeleteContext(glContext);
    if (window)
        SDL_DestroyWindow(window);
}

} // namespace Engine
