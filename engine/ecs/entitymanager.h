#pragma once
// The ECS world: entities, one component list per registered component type, the component
// systems, the message lists and the message systems. Structural change (adds, removals,
// destruction) is queued and applied in one batch by refresh(), so systems never see a
// container change under them.
#include "engine/core/assert.h"
#include "engine/ecs/component.h"
#include "engine/ecs/componentlist.h"
#include "engine/ecs/componentsystem.h"
#include "engine/ecs/ecstypes.h"
#include "engine/ecs/messagelist.h"
#include "engine/ecs/messagesystem.h"
#include "engine/ecs/typename.h"

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

namespace ECS {

// A message type names an entity when it has the members `entityID` (the entity's id) and
// `std::uint32_t entitySerial`. See EntityManager::sendMessage and EntityManager::isCurrent.
template <class M, class = void>
struct NamesEntity : std::false_type {};
template <class M>
struct NamesEntity<M, std::void_t<decltype(std::declval<M&>().entityID), decltype(std::declval<M&>().entitySerial)>>
    : std::true_type {};

// Stops the program on the use of a component type that was never registered (out of line, so
// lookups stay short).
[[noreturn, gnu::cold]] void failUnregisteredComponent(const std::type_info& type, const char* file, int line);

class EntityManager {
public:
    EntityManager();
    ~EntityManager();
    EntityManager(const EntityManager&) = delete;
    EntityManager& operator=(const EntityManager&) = delete;

    // --- Entities ---------------------------------------------------------------------------

    // A new live entity: the oldest released id, else the next never-used one. When every id
    // below EntityIdLimit is taken, logs a console line and answers InvalidEntity (callers check).
    EntityId createEntity();
    // Queues the live entity for destruction at the next refresh (its components go with it).
    void destroyEntity(EntityId entity);
    // Queues every live entity that is not queued yet (tear-down, map reloads).
    void destroyAllEntities();
    bool isAlive(EntityId entity) const { return entity < liveFlags.size() && liveFlags[entity]; }
    bool isDestroyPending(EntityId entity) const { return destroyIDqueue.count(entity) != 0; }
    // Ids are reused, so each life of an id gets a serial of its own from createEntity: the
    // serial of the entity's current life, or of its last one once it is gone (0 for an id
    // never handed out). An (id, serial) pair names one entity and never a later owner of the id.
    std::uint32_t serialOf(EntityId entity) const { return entity < serials.size() ? serials[entity] : 0; }
    // True while the entity is alive in the life that was given `serial`.
    bool isSameLife(EntityId entity, std::uint32_t serial) const
    {
        return isAlive(entity) && serials[entity] == serial;
    }
    std::uint32_t liveEntityCount() const { return liveCount; }

    // Applies all queued changes: destruction, system membership, removals, adds, and the
    // release of destroyed ids. Called at the end of every update.
    void refresh();

    // --- Components -------------------------------------------------------------------------

    // Creates the list of component type C. Throws "ComponentID already used" when its id slot
    // is taken.
    template <class C>
    bool registerComponent();

    // Queues `component` for the entity; it becomes visible at the refresh. Answers the queued
    // record (valid until the refresh) to finish setting it up. An add to an entity that is not
    // alive, or that is queued for destruction, is dropped (whatever the order of destroy, add
    // and remove within the update); it still answers a record, which is then thrown away.
    template <class C>
    C* addComponent(EntityId entity, C component);

    // Queues the removal of the entity's C; it stays readable until the refresh.
    template <class C>
    void removeComponent(EntityId entity);

    template <class C>
    bool hasComponent(EntityId entity) const;

    template <class C>
    C& getComponent(EntityId entity);

    // The C the entity will hold after the refresh, pending changes included: a queued add,
    // else the live record unless its removal is pending. nullptr when it will hold none, and
    // for an entity that is not alive or is queued for destruction. For code that must see the
    // world as the user left it before the refresh (saving a map right after an edit).
    template <class C>
    const C* upcomingComponent(EntityId entity) const;

    // The whole list of C, for systems that walk every record.
    template <class C>
    ComponentList<C>& componentList();

    // --- Systems ----------------------------------------------------------------------------

    // Stores a copy of `prototype` (instance 0 for the first system of T, then 1, 2, ...). It
    // learns of entities only as they change. Answers the stored system.
    template <class T>
    T* addSystem(T prototype);

    template <class T>
    T* getSystem(std::uint32_t instance = 0);

    // --- Messages ---------------------------------------------------------------------------

    // Creates the list of message type M. Throws "MessageID already used" when its slot is taken.
    template <class M>
    bool registerMessage();

    // Posts a message; it is handled in the message pass after the next one that swaps it in.
    //
    // Messages that name an entity (NamesEntity above) are handled an update or two after they
    // were sent, and by then the entity may be gone and its id taken by a new one. sendMessage
    // therefore stamps their `entitySerial` with serialOf(entityID), and their handlers ask
    // isCurrent(message) before touching the entity: a message whose entity was destroyed in
    // between answers false and is dropped, so it never reaches the id's new owner.
    template <class M>
    void sendMessage(M message);

    // For a message that names an entity: true while that entity is alive in the life it had
    // when the message was sent.
    template <class M>
    bool isCurrent(const M& message) const;

    // Stores a copy of the handler `prototype` (one per handler class). Answers the stored one.
    template <class T>
    T* addMessageSystem(T prototype);

    // Hands each message type's current messages to its handlers (in handler-name order), then
    // swaps every list's buffers.
    void processMessages();

private:
    // (system name, instance number), ordered by name byte by byte, then by number. Lookups
    // take a string_view key, so fetching a system allocates nothing.
    using SystemKey = std::pair<std::string, std::uint32_t>;
    using SystemKeyView = std::pair<std::string_view, std::uint32_t>;
    struct SystemKeyLess {
        using is_transparent = void;
        template <class A, class B>
        bool operator()(const A& a, const B& b) const
        {
            const int order = std::string_view(a.first).compare(std::string_view(b.first));
            return order < 0 || (order == 0 && a.second < b.second);
        }
    };

    bool qualifies(ComponentSystem& system, EntityId entity) const;
    void updateMembership(const std::vector<EntityId>& changed);
    template <class C>
    static constexpr void checkComponentType();
    template <class C>
    ComponentList<C>& listOf() const;

    std::array<std::unique_ptr<ComponentListAbstract>, ComponentSlots> componentContainers;
    EntityId nextEntityID = 1;
    std::deque<EntityId> freeIDs;
    std::set<EntityId> changedEntities;
    std::set<EntityId> destroyIDqueue;
    std::vector<bool> liveFlags; // per entity id below EntityIdLimit
    std::vector<std::uint32_t> serials; // per entity id below EntityIdLimit
    std::uint32_t liveCount = 0;

    std::map<SystemKey, std::unique_ptr<ComponentSystem>, SystemKeyLess> systemMap;
    std::map<std::string, std::uint32_t> systemCount;
    std::map<std::string, std::unique_ptr<MessageSystemAbstract>> messageSystemMap;
    std::array<std::unique_ptr<MessageListAbstract>, MessageSlots> messageContainers;
};

// --- Template definitions ----------------------------------------------------------------------

template <class C>
constexpr void EntityManager::checkComponentType()
{
    static_assert(std::is_base_of_v<Component, C>, "components derive from ECS::Component");
    static_assert(C::_cType > 0 && C::_cType < ComponentSlots, "component type id outside 1 to 63");
}

template <class C>
ComponentList<C>& EntityManager::listOf() const
{
    checkComponentType<C>();
    ComponentListAbstract* list = componentContainers[C::_cType].get();
    if (__builtin_expect(list == nullptr, 0))
        failUnregisteredComponent(typeid(C), __FILE__, __LINE__);
    return *static_cast<ComponentList<C>*>(list);
}

template <class C>
bool EntityManager::registerComponent()
{
    checkComponentType<C>();
    if (componentContainers[C::_cType])
        throw std::runtime_error("ComponentID already used");
    componentContainers[C::_cType] = std::make_unique<ComponentList<C>>(readableTypeName(typeid(C)));
    return true;
}

template <class C>
C* EntityManager::addComponent(EntityId entity, C component)
{
    ComponentList<C>& list = listOf<C>();
    const ComponentListAbstract& stored = *componentContainers[C::_cType];
    TX_ASSERT(typeid(stored) == typeid(ComponentList<C>),
              ("component id of " + readableTypeName(typeid(C)) + " belongs to " + list.typeName()).c_str());
    if (!isAlive(entity) || isDestroyPending(entity))
        return list.dropAdd(std::move(component));
    C* queued = list.addComponent(entity, std::move(component));
    changedEntities.insert(entity);
    return queued;
}

template <class C>
void EntityManager::removeComponent(EntityId entity)
{
    listOf<C>().removeComponent(entity);
    changedEntities.insert(entity);
}

template <class C>
bool EntityManager::hasComponent(EntityId entity) const
{
    return listOf<C>().hasComponent(entity);
}

template <class C>
C& EntityManager::getComponent(EntityId entity)
{
    return listOf<C>().getComponent(entity);
}

template <class C>
const C* EntityManager::upcomingComponent(EntityId entity) const
{
    if (!isAlive(entity) || isDestroyPending(entity))
        return nullptr;
    return listOf<C>().upcomingComponent(entity);
}

template <class C>
ComponentList<C>& EntityManager::componentList()
{
    return listOf<C>();
}

template <class T>
T* EntityManager::addSystem(T prototype)
{
    static_assert(std::is_base_of_v<ComponentSystem, T>, "component systems derive from ECS::ComponentSystem");
    const std::string name = T::systemName;
    std::uint32_t instance = 0;
    auto count = systemCount.find(name);
    if (count == systemCount.end()) {
        systemCount.emplace(name, 0);
    } else {
        const ComponentSystem& first = *systemMap.find(SystemKeyView(name, 0))->second;
        TX_ASSERT(typeid(first) == typeid(T), ("two system classes are named " + name).c_str());
        instance = ++count->second;
    }
    auto stored = std::make_unique<T>(std::move(prototype));
    T* system = stored.get();
    systemMap.emplace(SystemKey(name, instance), std::move(stored));
    return system;
}

template <class T>
T* EntityManager::getSystem(std::uint32_t instance)
{
    const auto found = systemMap.find(SystemKeyView(T::systemName, instance));
    TX_ASSERT(found != systemMap.end(),
              ("no system " + std::string(T::systemName) + " #" + std::to_string(instance)).c_str());
    const ComponentSystem& stored = *found->second;
    TX_ASSERT(typeid(stored) == typeid(T), ("two system classes are named " + std::string(T::systemName)).c_str());
    return static_cast<T*>(found->second.get());
}

template <class M>
bool EntityManager::registerMessage()
{
    static_assert(M::_mType > 0 && M::_mType < MessageSlots, "message type id outside 1 to 31");
    if (messageContainers[M::_mType])
        throw std::runtime_error("MessageID already used");
    messageContainers[M::_mType] = std::make_unique<MessageList<M>>();
    return true;
}

template <class M>
void EntityManager::sendMessage(M message)
{
    static_assert(M::_mType > 0 && M::_mType < MessageSlots, "message type id outside 1 to 31");
    MessageListAbstract* list = messageContainers[M::_mType].get();
    TX_ASSERT(list != nullptr, ("message type " + readableTypeName(typeid(M)) + " is not registered").c_str());
    TX_ASSERT(typeid(*list) == typeid(MessageList<M>),
              ("message id of " + readableTypeName(typeid(M)) + " belongs to another message type").c_str());
    if constexpr (NamesEntity<M>::value)
        message.entitySerial = serialOf(message.entityID);
    static_cast<MessageList<M>*>(list)->push(std::move(message));
}

template <class M>
bool EntityManager::isCurrent(const M& message) const
{
    static_assert(NamesEntity<M>::value, "the message names no entity (members entityID and entitySerial)");
    return isSameLife(message.entityID, message.entitySerial);
}

template <class T>
T* EntityManager::addMessageSystem(T prototype)
{
    static_assert(std::is_base_of_v<MessageSystemAbstract, T>, "message systems derive from ECS::MessageSystem");
    const std::string name = T::systemName;
    TX_ASSERT(messageSystemMap.count(name) == 0, ("second message system " + name).c_str());
    auto stored = std::make_unique<T>(std::move(prototype));
    T* system = stored.get();
    messageSystemMap.emplace(name, std::move(stored));
    return system;
}

} // namespace ECS
