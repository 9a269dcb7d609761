#pragma once
// What the UI draw systems draw with. The pointers are not owned: the game's loaded resources and
// its engine outlive the UI layer.
#include <cstdint>

namespace Engine {
class EngineCore;
}
namespace Engine::GFX {
class Drawable;
class RenderContext;
class ShaderProgram;
class Texture2D;
} // namespace Engine::GFX

namespace UI {

// Counts the draw calls of the UI pass, for the frame statistics.
struct UiDrawStats {
    std::uint32_t drawCalls = 0;
};

struct UiDrawResources {
    Engine::EngineCore* engine = nullptr; // the window size, read while drawing
    Engine::GFX::RenderContext* renderContext = nullptr;
    const Engine::GFX::ShaderProgram* backgroundProgram = nullptr; // backgrounds and sprites
    const Engine::GFX::ShaderProgram* fontProgram = nullptr;       // texts and carets
    const Engine::GFX::Drawable* quad = nullptr;      // unit square (0, 0)-(1, 1)
    const Engine::GFX::Drawable* caretQuad = nullptr; // unit square (0, 0)-(1, 1)
    const Engine::GFX::Texture2D* whiteTexture = nullptr;
    UiDrawStats* stats = nullptr;
};

} // namespace UI
