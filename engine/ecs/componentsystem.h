#pragma once
// Base of every component system: it names the component types an entity must have, and the
// manager keeps its list of qualifying entities up to date at each refresh. Each concrete system
// declares `static constexpr const char* systemName` (its class name): the manager orders and
// finds systems by that string, never by compiler-made type names.
#include "engine/ecs/ecstypes.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace ECS {

class EntityManager;

class ComponentSystem {
public:
    virtual ~ComponentSystem() = default;

    // Runs begin, processEntity for every listed entity in list order, and end; does nothing at
    // all when no entity is listed. `alpha` is 0 during updates and the frame's interpolation
    // factor when the system runs while rendering.
    void run(float alpha);

    virtual void processEntity(EntityId entity, float alpha) = 0;
    virtual void begin(float alpha);
    virtual void end(float alpha);
    // Called at the refresh after the entity joined the list; its components are readable.
    virtual void onEntityAdded(EntityId entity);
    // Called at the refresh before the entity leaves the list; its components are still readable.
    virtual void onEntityRemoved(EntityId entity);
    // Extra test after the component test; asked again whenever the entity changes.
    virtual bool acceptsEntity(EntityId entity);

    // The qualifying entities in the order they joined.
    const std::vector<EntityId>& getEntities() const { return entities; }
    bool isListed(EntityId entity) const { return entity < slotOf.size() && slotOf[entity] != 0; }
    const std::vector<ComponentType>& getRequiredComponents() const { return requiredComponents; }

protected:
    ComponentSystem(EntityManager& manager, std::initializer_list<ComponentType> requiredComponents);

    EntityManager* manager;

private:
    friend class EntityManager;

    void appendEntity(EntityId entity);
    // Takes the entity out of the index at once and leaves a gap (id 0) in the list;
    // closeGaps() removes all gaps in one pass, so N leavers cost O(list length), not O(N²).
    void markLeft(EntityId entity);
    void closeGaps();

    std::vector<EntityId> entities;
    std::vector<ComponentType> requiredComponents;
    std::vector<std::uint32_t> slotOf; // per entity id: 1 + index into `entities`, 0 when absent
    bool hasGaps = false;
};

} // namespace ECS
