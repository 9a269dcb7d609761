#pragma once
// The rectangle of a box selection, drawn with the UI's backgrounds under the top bar: a faint
// fill and a one-pixel frame. Its elements ignore the pointer, so the editor keeps the view while
// the box is drawn. The elements are made at the first show and moved afterwards.
#include "engine/ecs/entitymanager.h"

#include <glm/vec2.hpp>
#include <glm/vec4.hpp>

#include <array>
#include <cstddef>

namespace Engine::GFX {
class Texture2D;
}

namespace Game {

class SelectionBoxView {
public:
    static constexpr int32_t kLayer = 0;
    // The fill and four edges, made together at the first show or not at all.
    static constexpr std::uint32_t kElements = 5;

    // `white` is the plain texture the rectangle is tinted from; both must outlive the view.
    SelectionBoxView(ECS::EntityManager& world, const Engine::GFX::Texture2D* white);
    ~SelectionBoxView();
    SelectionBoxView(const SelectionBoxView&) = delete;
    SelectionBoxView& operator=(const SelectionBoxView&) = delete;

    // Shows the rectangle between two window pixels (y up), in any order.
    void show(glm::vec2 corner, glm::vec2 opposite);
    void hide();
    bool shown() const { return parts[0] != ECS::InvalidEntity; }
    // The fill's entity (ECS::InvalidEntity while hidden).
    ECS::EntityId fill() const { return parts[0]; }

private:
    ECS::EntityId makePart(glm::vec4 color, glm::vec2 position, glm::vec2 size);
    // Moves part `index`, making it first when it is missing.
    void place(std::size_t index, glm::vec2 position, glm::vec2 size);

    ECS::EntityManager* world;
    const Engine::GFX::Texture2D* white;
    // Fill, then the bottom, top, left and right edges.
    std::array<ECS::EntityId, kElements> parts{};
};

} // namespace Game
