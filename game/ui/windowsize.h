#pragma once
// The window's size in pixels, asked of the engine's loop source at the moment of the call.
#include "engine/core/enginecore.h"

#include <glm/vec2.hpp>

namespace UI {

inline glm::ivec2 windowSize(Engine::EngineCore& engine)
{
    glm::ivec2 size(0);
    engine.loopSource().windowSize(engine.window ? engine.window->window : nullptr, size.x, size.y);
    return size;
}

} // namespace UI
