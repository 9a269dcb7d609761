#include "game/ui/uirelayout.h"

#include "engine/ecs/entitymanager.h"
#include "game/transform/transformcomponent.h"
#include "game/ui/uicomponents.h"

namespace UI {

void recentreOverlays(ECS::EntityManager& world, glm::ivec2 from, glm::ivec2 to,
                      const std::function<bool(ECS::EntityId)>& rebuilt)
{
    const glm::ivec2 shift = to / 2 - from / 2;
    const glm::vec3 move(float(shift.x), float(shift.y), 0.0f);
    auto& backgrounds = world.componentList<Component::UIBackgroundComponent>();
    for (uint32_t i = 0; i < backgrounds.size(); ++i) {
        const ECS::EntityId element = backgrounds.ownerOf(i);
        if ((rebuilt && rebuilt(element)) || !world.hasComponent<Component::TransformComponent>(element))
            continue;
        Component::TransformComponent& t = world.getComponent<Component::TransformComponent>(element);
        if (world.hasComponent<Component::UIblockerComponent>(element)) {
            t.position = glm::vec3(0.0f);
            t.scale = glm::vec3(float(to.x), float(to.y), 1.0f);
        } else {
            t.position += move;
        }
        t.copyToPrevious();
    }
}

} // namespace UI
