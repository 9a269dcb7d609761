#include "game/editor/selectionboxview.h"

#include "game/transform/transformcomponent.h"
#include "game/ui/uicomponents.h"
#include "game/ui/uielements.h"

namespace Game {

namespace {

constexpr glm::vec4 kFillColor{0.35f, 0.65f, 1.0f, 0.15f};
constexpr glm::vec4 kEdgeColor{0.55f, 0.8f, 1.0f, 0.9f};

Component::TransformComponent rectangle(glm::vec2 position, glm::vec2 size)
{
    Component::TransformComponent transform;
    transform.position = glm::vec3(position, 0.0f);
    transform.scale = glm::vec3(size, 1.0f);
    transform.rotation = glm::quat(1.0f, 0.0f, 0.0f, 0.0f);
    transform.copyToPrevious();
    return transform;
}

} // namespace

SelectionBoxView::SelectionBoxView(ECS::EntityManager& world, const Engine::GFX::Texture2D* white)
    : world(&world), white(white)
{
    parts.fill(ECS::InvalidEntity);
}

SelectionBoxView::~SelectionBoxView() = default;

ECS::EntityId SelectionBoxView::makePart(glm::vec4 color, glm::vec2 position, glm::vec2 size)
{
    return UI::createBackground(*world, kLayer, position, size, white, color, /*ignoresPointer=*/true);
}

void SelectionBoxView::place(std::size_t index, glm::vec2 position, glm::vec2 size)
{
    ECS::EntityId& part = parts[index];
    if (part == ECS::InvalidEntity) {
        part = makePart(index == 0 ? kFillColor : kEdgeColor, position, size);
        return;
    }
    // A part made in this update gets its place at the refresh; the next tick moves it on.
    if (world->hasComponent<Component::TransformComponent>(part))
        world->getComponent<Component::TransformComponent>(part) = rectangle(position, size);
}

void SelectionBoxView::show(glm::vec2 corner, glm::vec2 opposite)
{
    if (!shown() && !UI::roomFor(*world, kElements, "the selection box"))
        return;
    const glm::vec2 low = glm::min(corner, opposite);
    const glm::vec2 size = glm::max(corner, opposite) - low + glm::vec2(1.0f);
    place(0, low, size);
    place(1, low, {size.x, 1.0f});
    place(2, {low.x, low.y + size.y - 1.0f}, {size.x, 1.0f});
    place(3, low, {1.0f, size.y});
    place(4, {low.x + size.x - 1.0f, low.y}, {1.0f, size.y});
}

void SelectionBoxView::hide()
{
    for (ECS::EntityId& part : parts) {
        if (part != ECS::InvalidEntity)
            UI::destroyElement(*world, part);
        part = ECS::InvalidEntity;
    }
}

} // namespace Game
