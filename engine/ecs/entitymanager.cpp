#include "engine/ecs/entitymanager.h"

#include "engine/core/log.h"

namespace ECS {

void failUnregisteredComponent(const std::type_info& type, const char* file, int line)
{
    const std::string message = "component type " + readableTypeName(type) + " is not registered";
    Engine::assertFailed("componentContainers[C::_cType] != nullptr", message.c_str(), file, line);
}

EntityManager::EntityManager() : liveFlags(EntityIdLimit, false), serials(EntityIdLimit, 0) {}

// Systems go first: they may hold pointers into component records or other worlds.
EntityManager::~EntityManager()
{
    messageSystemMap.clear();
    systemMap.clear();
}

EntityId EntityManager::createEntity()
{
    EntityId id = InvalidEntity;
    if (!freeIDs.empty()) {
        id = freeIDs.front();
        freeIDs.pop_front();
    } else if (nextEntityID < EntityIdLimit) {
        id = nextEntityID++;
    } else {
        Engine::logf("ECS: all %u entity ids are in use, no entity created\n", EntityIdLimit - 1);
        return InvalidEntity;
    }
    TX_ASSERT(!isAlive(id), "a free entity id is still in use");
    liveFlags[id] = true;
    ++serials[id];
    ++liveCount;
    return id;
}

void EntityManager::destroyEntity(EntityId entity)
{
    TX_ASSERT(isAlive(entity), ("destroying entity " + std::to_string(entity) + ", which is not alive").c_str());
    TX_ASSERT(destroyIDqueue.insert(entity).second,
              ("entity " + std::to_string(entity) + " destroyed twice").c_str());
}

void EntityManager::destroyAllEntities()
{
    for (EntityId id = 1; id < nextEntityID; ++id) {
        if (isAlive(id))
            destroyIDqueue.insert(id);
    }
}

void EntityManager::refresh()
{
    std::vector<EntityId> changed(changedEntities.begin(), changedEntities.end());
    changedEntities.clear();
    const std::vector<EntityId> destroyed(destroyIDqueue.begin(), destroyIDqueue.end());
    destroyIDqueue.clear();

    for (const EntityId id : destroyed) {
        TX_ASSERT(isAlive(id), "a destroyed entity is not alive");
        liveFlags[id] = false;
        --liveCount;
        changed.push_back(id);
        for (auto& list : componentContainers) {
            if (list)
                list->removeComponent(id);
        }
    }

    // Leavers go while their components can still be read.
    updateMembership(changed);

    // All removals of all types before any add, so a component removed and added again in one
    // update is replaced.
    for (auto& list : componentContainers) {
        if (list)
            list->applyRemovals();
    }
    for (auto& list : componentContainers) {
        if (list)
            list->clearRemovalSet();
    }
    for (auto& list : componentContainers) {
        if (list)
            list->applyAdds(liveFlags);
    }

    // Joiners come once their components exist.
    updateMembership(changed);

    freeIDs.insert(freeIDs.end(), destroyed.begin(), destroyed.end());
}

bool EntityManager::qualifies(ComponentSystem& system, EntityId entity) const
{
    if (!isAlive(entity))
        return false;
    for (const ComponentType type : system.getRequiredComponents()) {
        const ComponentListAbstract* list = componentContainers[type].get();
        if (!list || !list->hasComponent(entity) || list->isRemovalPending(entity))
            return false;
    }
    return system.acceptsEntity(entity);
}

void EntityManager::updateMembership(const std::vector<EntityId>& changed)
{
    for (const EntityId entity : changed) {
        for (auto& entry : systemMap) {
            ComponentSystem& system = *entry.second;
            const bool listed = system.isListed(entity);
            const bool wanted = qualifies(system, entity);
            if (listed && !wanted) {
                system.onEntityRemoved(entity);
                system.markLeft(entity);
            } else if (!listed && wanted) {
                system.appendEntity(entity);
                system.onEntityAdded(entity);
            }
        }
    }
    for (auto& entry : systemMap)
        entry.second->closeGaps();
}

void EntityManager::processMessages()
{
    for (auto& entry : messageSystemMap) {
        MessageSystemAbstract& system = *entry.second;
        const MessageType type = system.getMessageType();
        TX_ASSERT(type < MessageSlots && messageContainers[type] != nullptr,
                  ("message system " + entry.first + " handles an unregistered message type").c_str());
        system.processList(*messageContainers[type]);
    }
    for (auto& list : messageContainers) {
        if (list)
            list->swapBuffers();
    }
}

} // namespace ECS
