#include "game/gamemap/gamemap.h"

#include "engine/core/log.h"

#include <glm/gtc/matrix_transform.hpp>

#include <string>

namespace Game {
namespace {

constexpr uint32_t kRandomQubes = 150;
constexpr float kMinSize = 1.0f;
constexpr float kSizeRange = 9.0f;   // sizes 1 to 10
constexpr float kAreaHalfWidth = 30.0f; // centres in [-30, 30] on x and y
constexpr float kMaxHeight = 30.0f;  // centres in [0, 30] on z

float draw(MapRandom& random)
{
    return float(random.next()) / float(MapRandom::kMax);
}

} // namespace

uint32_t generateRandomMap(ECS::EntityManager& world, GameMap& map)
{
    if (GameMap::freeQubeSlots(world) < kRandomQubes) {
        Engine::logLine("MAP: no room for " + std::to_string(kRandomQubes) + " more random blocks ("
                        + std::to_string(map.qubeIDs.size()) + " blocks already)");
        return 0;
    }
    for (uint32_t i = 0; i < kRandomQubes; ++i) {
        // The six draws in their fixed order: sizes z, y, x, then centre z, y, x.
        glm::vec3 scale, position;
        scale.z = draw(map.random) * kSizeRange + kMinSize;
        scale.y = draw(map.random) * kSizeRange + kMinSize;
        scale.x = draw(map.random) * kSizeRange + kMinSize;
        position.z = draw(map.random) * kMaxHeight;
        position.y = draw(map.random) * 2.0f * kAreaHalfWidth - kAreaHalfWidth;
        position.x = draw(map.random) * 2.0f * kAreaHalfWidth - kAreaHalfWidth;
        const glm::mat4 m = glm::scale(glm::translate(glm::mat4(1.0f), position), scale);
        map.addQube(world, m);
    }
    return kRandomQubes;
}

} // namespace Game
