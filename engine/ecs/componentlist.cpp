#include "engine/ecs/componentlist.h"

namespace ECS {

void failComponentLookup(EntityId entity, const std::string& typeName, const char* file, int line)
{
    const std::string message = "entity " + std::to_string(entity) + " has no " + typeName;
    Engine::assertFailed("hasComponent(entity)", message.c_str(), file, line);
}

} // namespace ECS
