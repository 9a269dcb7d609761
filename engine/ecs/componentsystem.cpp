#include "engine/ecs/componentsystem.h"

#include "engine/core/assert.h"

#include <algorithm>

namespace ECS {

ComponentSystem::ComponentSystem(EntityManager& manager, std::initializer_list<ComponentType> requiredComponents)
    : manager(&manager), requiredComponents(requiredComponents), slotOf(EntityIdLimit, 0)
{
    for (const ComponentType type : this->requiredComponents)
        TX_ASSERT(type > 0 && type < ComponentSlots, "required component type id outside 1 to 63");
}

void ComponentSystem::run(float alpha)
{
    if (entities.empty())
        return;
    begin(alpha);
    for (std::size_t i = 0; i < entities.size(); ++i)
        processEntity(entities[i], alpha);
    end(alpha);
}

void ComponentSystem::begin(float) {}
void ComponentSystem::end(float) {}
void ComponentSystem::onEntityAdded(EntityId) {}
void ComponentSystem::onEntityRemoved(EntityId) {}
bool ComponentSystem::acceptsEntity(EntityId) { return true; }

void ComponentSystem::appendEntity(EntityId entity)
{
    TX_ASSERT(entity != InvalidEntity && entity < slotOf.size() && slotOf[entity] == 0, "entity listed twice");
    entities.push_back(entity);
    slotOf[entity] = static_cast<std::uint32_t>(entities.size());
}

void ComponentSystem::markLeft(EntityId entity)
{
    TX_ASSERT(isListed(entity), "entity is not listed");
    entities[slotOf[entity] - 1] = InvalidEntity;
    slotOf[entity] = 0;
    hasGaps = true;
}

void ComponentSystem::closeGaps()
{
    if (!hasGaps)
        return;
    entities.erase(std::remove(entities.begin(), entities.end(), InvalidEntity), entities.end());
    for (std::size_t i = 0; i < entities.size(); ++i)
        slotOf[entities[i]] = static_cast<std::uint32_t>(i + 1);
    hasGaps = false;
}

} // namespace ECS
