#pragma once
// Typed storage of one component type: the live records in one contiguous array, an index from
// entity id to record (O(1) lookup), and the queues of adds and removals that wait for the
// manager's refresh.
#include "engine/core/assert.h"
#include "engine/ecs/ecstypes.h"

#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace ECS {

// Stops the program on a lookup of a record the entity does not have. Kept out of line so the
// lookup itself stays a couple of instructions.
[[noreturn, gnu::cold]] void failComponentLookup(EntityId entity, const std::string& typeName, const char* file, int line);

// The untyped face of a component list: the manager drives every list through it.
class ComponentListAbstract {
public:
    virtual ~ComponentListAbstract() = default;

    // Queues the removal of the entity's record; accepted even if it has none.
    virtual void removeComponent(EntityId entity) = 0;
    // Applies the queued removals in call order (swap-and-pop).
    virtual void applyRemovals() = 0;
    // Applies the queued adds in call order; adds for entities not flagged in `live` are dropped.
    virtual void applyAdds(const std::vector<bool>& live) = 0;
    // True when the entity has a live record; pending adds do not count.
    virtual bool hasComponent(EntityId entity) const = 0;
    // True when a removal of the entity's record waits for the refresh.
    virtual bool isRemovalPending(EntityId entity) const = 0;
    virtual void clearRemovalSet() = 0;
    // Number of live records.
    virtual std::uint32_t size() const = 0;
    // Readable name of the component type, for messages.
    virtual const std::string& typeName() const = 0;
};

template <class T>
class ComponentList final : public ComponentListAbstract {
public:
    static constexpr std::uint32_t idArraySize = EntityIdLimit;

    explicit ComponentList(std::string name)
        : name(std::move(name)), idLookup(idArraySize, 0), entityIDs(idArraySize, 0)
    {
    }

    // Queues `component` for the entity and answers the queued record, valid until the refresh.
    // A second add of the type for one entity before the refresh, or an add to an entity that
    // already has the type (and no removal pending), is a programming error.
    T* addComponent(EntityId entity, T component)
    {
        TX_ASSERT(!hasComponent(entity) || isRemovalPending(entity),
                  ("entity " + std::to_string(entity) + " already has a " + name).c_str());
        TX_ASSERT(addSetDebug.insert(entity).second,
                  ("second add of a " + name + " to entity " + std::to_string(entity) + " before the refresh").c_str());
        addQueue.emplace_back(entity, std::move(component));
        return &addQueue.back().second;
    }

    // Holds an add that the manager drops because its entity is gone or about to go: the record
    // never reaches the list, but stays valid until the refresh so the caller can still finish
    // setting it up as it would a queued one.
    T* dropAdd(T component)
    {
        dropped.push_back(std::move(component));
        return &dropped.back();
    }

    void removeComponent(EntityId entity) override
    {
        removeQueue.push_back(entity);
        removeSet.insert(entity);
    }

    void applyRemovals() override
    {
        while (!removeQueue.empty()) {
            const EntityId entity = removeQueue.front();
            removeQueue.pop_front();
            if (hasComponent(entity))
                removeRecord(entity);
        }
    }

    void applyAdds(const std::vector<bool>& live) override
    {
        while (!addQueue.empty()) {
            auto& pair = addQueue.front();
            addSetDebug.erase(pair.first);
            if (pair.first < live.size() && live[pair.first] && pair.first < idArraySize)
                appendRecord(pair.first, std::move(pair.second));
            addQueue.pop_front();
        }
        dropped.clear();
    }

    bool hasComponent(EntityId entity) const override
    {
        return entity < idArraySize && idLookup[entity] != 0;
    }

    bool isRemovalPending(EntityId entity) const override { return removeSet.count(entity) != 0; }
    void clearRemovalSet() override { removeSet.clear(); }
    std::uint32_t size() const override { return static_cast<std::uint32_t>(components.size()); }
    const std::string& typeName() const override { return name; }

    // The entity's live record. Asking for a record the entity does not have is an error.
    T& getComponent(EntityId entity)
    {
        if (__builtin_expect(!hasComponent(entity), 0))
            failComponentLookup(entity, name, __FILE__, __LINE__);
        return components[idLookup[entity] - 1];
    }
    const T& getComponent(EntityId entity) const
    {
        return const_cast<ComponentList*>(this)->getComponent(entity);
    }

    // The record the entity will hold after the refresh: its queued add, else its live record
    // unless a removal is pending; nullptr when it will have none.
    const T* upcomingComponent(EntityId entity) const
    {
        if (addSetDebug.count(entity) != 0) {
            for (auto queued = addQueue.rbegin(); queued != addQueue.rend(); ++queued) {
                if (queued->first == entity)
                    return &queued->second;
            }
        }
        if (!hasComponent(entity) || isRemovalPending(entity))
            return nullptr;
        return &components[idLookup[entity] - 1];
    }

    // All live records, densely packed in no particular order, and their owners by index.
    std::vector<T>& records() { return components; }
    const std::vector<T>& records() const { return components; }
    EntityId ownerOf(std::uint32_t index) const
    {
        TX_ASSERT(index < components.size(), "record index out of range");
        return entityIDs[index];
    }

private:
    void appendRecord(EntityId entity, T&& component)
    {
        TX_ASSERT(idLookup[entity] == 0, ("entity " + std::to_string(entity) + " already has a " + name).c_str());
        components.push_back(std::move(component));
        idLookup[entity] = static_cast<std::uint32_t>(components.size());
        entityIDs[components.size() - 1] = entity;
    }

    // Swap-and-pop: the last record moves into the hole, so the array stays dense.
    void removeRecord(EntityId entity)
    {
        const std::uint32_t index = idLookup[entity] - 1;
        const std::uint32_t last = static_cast<std::uint32_t>(components.size()) - 1;
        if (index != last) {
            const EntityId movedEntity = entityIDs[last];
            std::swap(components[index], components[last]);
            entityIDs[index] = movedEntity;
            idLookup[movedEntity] = index + 1;
        }
        components.pop_back();
        entityIDs[last] = 0;
        idLookup[entity] = 0;
    }

    std::string name;
    std::deque<std::pair<EntityId, T>> addQueue;
    std::deque<T> dropped;
    std::set<EntityId> addSetDebug;
    std::deque<EntityId> removeQueue;
    std::set<EntityId> removeSet;
    std::vector<T> components;
    std::vector<std::uint32_t> idLookup;
    std::vector<std::uint32_t> entityIDs;
};

} // namespace ECS
