#include "game/ui/mouseonuichecksystem.h"

#include "engine/core/enginecore.h"
#include "engine/ecs/entitymanager.h"
#include "game/core/gamestaterecord.h"
#include "game/ui/uihittest.h"

namespace UI::System {

MouseOnUIcheckSystem::MouseOnUIcheckSystem(ECS::EntityManager& manager, const Engine::EngineCore& engine,
                                           Game::GameStateRecord& state)
    : ECS::ComponentSystem(manager, {ECS::ComponentId::Transform}), engine(&engine), state(&state)
{
}

bool MouseOnUIcheckSystem::acceptsEntity(ECS::EntityId entity)
{
    return isUiElement(*manager, entity);
}

void MouseOnUIcheckSystem::onEntityAdded(ECS::EntityId)
{
    ++elementCount;
}

void MouseOnUIcheckSystem::onEntityRemoved(ECS::EntityId)
{
    if (--elementCount == 0)
        state->mouseOverUI = false;
}

void MouseOnUIcheckSystem::begin(float)
{
    pointerOverUi = false;
}

void MouseOnUIcheckSystem::processEntity(ECS::EntityId entity, float)
{
    if (pointerOverUi || manager->isDestroyPending(entity))
        return;
    pointerOverUi = pointerOn(manager->getComponent<Component::TransformComponent>(entity), engine->mouse->posX,
                              engine->mouse->posY);
}

void MouseOnUIcheckSystem::end(float)
{
    state->mouseOverUI = pointerOverUi;
}

} // namespace UI::System
