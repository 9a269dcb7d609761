#pragma once
// Small component, system and message types shared by the ECS tests.
#include "engine/ecs/entitymanager.h"

#include <memory>
#include <string>
#include <vector>

namespace EcsTest {

struct Position : ECS::Component {
    static constexpr ECS::ComponentType _cType = 40;
    explicit Position(float x = 0.0f) : x(x) {}
    float x;
};

struct Velocity : ECS::Component {
    static constexpr ECS::ComponentType _cType = 41;
    explicit Velocity(float dx = 0.0f) : dx(dx) {}
    float dx;
};

// Move-only owner of a resource; counts live resources so a test sees double frees and leaks.
struct Owner : ECS::Component {
    static constexpr ECS::ComponentType _cType = 42;
    struct Resource {
        explicit Resource(int value, int& live) : value(value), live(&live) { ++live; }
        ~Resource() { --*live; }
        int value;
        int* live;
    };
    Owner(int value, int& live) : resource(std::make_unique<Resource>(value, live)) {}
    std::unique_ptr<Resource> resource;
};

struct Note {
    static constexpr ECS::MessageType _mType = 20;
    int value;
};

// A message that names an entity.
struct EntityNote {
    static constexpr ECS::MessageType _mType = 21;
    ECS::EntityId entityID = ECS::InvalidEntity;
    std::uint32_t entitySerial = 0;
};

// Records every call the manager makes on it.
class RecordingSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "RecordingSystem";
    RecordingSystem(ECS::EntityManager& manager, std::shared_ptr<std::vector<std::string>> log)
        : ComponentSystem(manager, {Position::_cType, Velocity::_cType}), log(std::move(log))
    {
    }
    void begin(float) override { log->push_back("begin"); }
    void end(float) override { log->push_back("end"); }
    void processEntity(ECS::EntityId entity, float) override { log->push_back("process " + std::to_string(entity)); }
    void onEntityAdded(ECS::EntityId entity) override
    {
        log->push_back("added " + std::to_string(entity) + " x=" + xOf(entity));
    }
    void onEntityRemoved(ECS::EntityId entity) override
    {
        log->push_back("removed " + std::to_string(entity) + " x=" + xOf(entity));
    }
    bool acceptsEntity(ECS::EntityId entity) override { return entity != rejected; }

    ECS::EntityId rejected = ECS::InvalidEntity;

private:
    std::string xOf(ECS::EntityId entity)
    {
        return std::to_string(static_cast<int>(manager->getComponent<Position>(entity).x));
    }
    std::shared_ptr<std::vector<std::string>> log;
};

} // namespace EcsTest
