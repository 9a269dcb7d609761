// Cost of one game update's physics as the map grows: one 10 ms step plus 100 closest-hit rays
// in a world of 150 static blocks and in one of 1,800. The broadphase tree should keep the
// larger world well under linear cost (target: under 3x the smaller one).
//
// Each figure is the best mean of alternating rounds, so that other load on the machine weighs
// on both figures alike.
//
// Blocks are laid out as the random map lays them out (sizes 1 to 10, heights 0 to 30) with the
// same density: the 150-block map covers 60 x 60 units and the area grows with the block count.
// Rays are 100 units long (the rope's reach) from player height in random directions, with the
// editor's surface mask, so they hit the floor or a block.
#include "bench/support/figures.h"
#include "game/physics/physicsbodyinfo.h"
#include "game/physics/physicscomponents.h"
#include "game/physics/physicsworld.h"
#include "game/physics/raycast.h"

#include <BulletCollision/CollisionShapes/btBoxShape.h>
#include <BulletCollision/CollisionShapes/btStaticPlaneShape.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <glm/geometric.hpp>
#include <glm/gtc/constants.hpp>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

using Component::PhysicsRigidBodyComponent;

namespace {

constexpr int smallMap = 150;
constexpr int largeMap = 1800;
constexpr int raysPerStep = 100;
constexpr float rayLength = 100.0f;
constexpr float smallMapHalfWidth = 30.0f;
constexpr int warmUpSteps = 50;
constexpr int rounds = 30;
constexpr int stepsPerRound = 100;

struct Ray {
    glm::vec3 from;
    glm::vec3 to;
};

// A world holding the floor and `blocks` static boxes, built from the game's own body component.
class BenchWorld {
public:
    BenchWorld(int blocks, std::mt19937& random)
    {
        const float halfWidth = smallMapHalfWidth * std::sqrt(static_cast<float>(blocks) / smallMap);
        std::uniform_real_distribution<float> xy(-halfWidth, halfWidth);
        std::uniform_real_distribution<float> z(0.0f, 30.0f);
        std::uniform_real_distribution<float> size(1.0f, 10.0f);

        addBody(1, GamePhysics::CollisionGroup::floor, std::make_shared<btStaticPlaneShape>(btVector3(0, 0, 1), 0),
                glm::vec3(0.0f));
        for (int i = 0; i < blocks; ++i) {
            const glm::vec3 scale(size(random), size(random), size(random));
            const glm::vec3 center(xy(random), xy(random), z(random));
            addBody(static_cast<uint32_t>(i + 2), GamePhysics::CollisionGroup::block,
                    std::make_shared<btBoxShape>(btVector3(scale.x, scale.y, scale.z) * 0.5f), center);
        }

        std::uniform_real_distribution<float> angle(0.0f, glm::two_pi<float>());
        std::uniform_real_distribution<float> pitch(-0.6f, 0.6f);
        for (int i = 0; i < raysPerStep; ++i) {
            const glm::vec3 from(xy(random), xy(random), 1.8f);
            const float yaw = angle(random);
            const float up = pitch(random);
            const glm::vec3 direction(std::cos(yaw) * std::cos(up), std::sin(yaw) * std::cos(up), std::sin(up));
            rays.push_back(Ray{from, from + direction * rayLength});
        }
    }

    ~BenchWorld()
    {
        for (auto& body : bodies)
            world.removeRigidBody(body->body.get());
    }

    // One game update's physics; answers the number of rays that hit, so nothing is optimised away.
    int update()
    {
        world.step();
        int hits = 0;
        for (const Ray& ray : rays) {
            if (GamePhysics::RayCast::closestHit(world, ray.from, ray.to, GamePhysics::RayMask::surfaces))
                ++hits;
        }
        return hits;
    }

private:
    void addBody(uint32_t entity, uint32_t group, std::shared_ptr<btCollisionShape> shape, const glm::vec3& center)
    {
        auto body = std::make_unique<PhysicsRigidBodyComponent>(entity, 0.0f, glm::vec3(0.0f));
        body->info->group = group;
        body->setShape(std::move(shape));
        body->body->setWorldTransform(btTransform(btQuaternion::getIdentity(), btVector3(center.x, center.y, center.z)));
        world.addRigidBody(body->body.get());
        bodies.push_back(std::move(body));
    }

    GamePhysics::PhysicsWorld world;
    std::vector<std::unique_ptr<PhysicsRigidBodyComponent>> bodies;
    std::vector<Ray> rays;
};

// Mean microseconds per update over one round.
double timeRound(BenchWorld& world, long& hits)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < stepsPerRound; ++i)
        hits += world.update();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::micro>(end - start).count() / stepsPerRound;
}

void printWorld(int blocks, double us, BenchWorld& world)
{
    std::printf("step + %d rays, %d blocks: %.1f us (%d rays hit)\n", raysPerStep, blocks, us, world.update());
}

} // namespace

int main()
{
    std::mt19937 random(20240611u);
    long hits = 0;
    BenchWorld small(smallMap, random);
    BenchWorld large(largeMap, random);
    for (int i = 0; i < warmUpSteps; ++i)
        hits += small.update() + large.update();
    const BenchSupport::BestPair best = BenchSupport::bestOfAlternating(
        rounds, [&] { return timeRound(small, hits); }, [&] { return timeRound(large, hits); });

    printWorld(smallMap, best.first, small);
    printWorld(largeMap, best.second, large);
    if (hits == 0)
        std::printf("no ray hit anything: the worlds are empty\n");
    std::printf("ratio %d/%d blocks: %.2f (target under 3)\n", largeMap, smallMap, best.second / best.first);
    return 0;
}
