// Map loading benchmark: building a map of 150, 1,000 and 1,800 blocks into the world (entities,
// colliders, bodies in the physics world) plus its combined mesh, and the mesh rebuild alone.
// Prints each time and, last, the ratio of the 1,800-block time to the 150-block time
// (linear growth gives 12). Needs an X display for the GL context (scripts/xvfb.sh).
// Times are CPU time of the game thread, the least of several runs, so that other programs
// competing for the machine do not distort them.
#include "bench/support/figures.h"
#include "bench/support/glwindow.h"
#include "engine/ecs/entitymanager.h"
#include "game/gamemap/gamemap.h"
#include "game/gamemap/mapsystems.h"
#include "game/physics/physicscomponents.h"
#include "game/physics/physicssystems.h"
#include "game/physics/physicsworld.h"
#include "game/transform/transformcomponent.h"

#include <GL/glew.h>
#include <SDL.h>
#include <glm/gtc/quaternion.hpp>

#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kRuns = 15;

struct MapWorld {
    GamePhysics::PhysicsWorld physics;
    Game::GameMap map;
    ECS::EntityManager ecs;

    MapWorld()
    {
        ecs.registerComponent<Component::TransformComponent>();
        ecs.registerComponent<Component::PhysicsColliderComponent>();
        ecs.registerComponent<Component::PhysicsRigidBodyComponent>();
        ecs.registerMessage<Message::LoadMapMessage>();
        ecs.addSystem(GamePhysics::RigidBodyColliderSystem(ecs, physics));
        ecs.addSystem(GamePhysics::PhysicsMotionStateSystem(ecs, physics));
        ecs.addMessageSystem(Game::LoadMapSystem(ecs, map, ECS::InvalidEntity));
    }

    ~MapWorld()
    {
        map.clear(ecs);
        ecs.refresh();
    }
};

// A map like the editor makes: scattered blocks of mixed sizes, turned every way. Larger maps
// cover more ground: the area grows with the block count, starting from the 60 x 60 of the
// random map at 150 blocks, so the blocks stand as densely in every map.
std::vector<Component::TransformComponent> makeMap(size_t count)
{
    const float side = 60.0f * std::sqrt(float(count) / 150.0f);
    Game::MapRandom random;
    const auto draw = [&random] { return float(random.next()) / float(Game::MapRandom::kMax); };
    std::vector<Component::TransformComponent> qubes(count);
    for (Component::TransformComponent& t : qubes) {
        t.position = glm::vec3((draw() - 0.5f) * side, (draw() - 0.5f) * side, draw() * 30.0f);
        t.scale = glm::vec3(1.0f + draw() * 9.0f, 1.0f + draw() * 9.0f, 1.0f + draw() * 9.0f);
        t.rotation = glm::angleAxis(draw() * 6.2831853f, glm::normalize(glm::vec3(draw(), draw(), 1.0f)));
        t.copyToPrevious();
    }
    return qubes;
}

using BenchSupport::least;
using BenchSupport::threadCpuMs;

// Message pass that creates the blocks, the refresh that puts them into the physics world,
// and the mesh rebuild, as one game update does them. One world loads the map again and again
// (emptied in between), as a game that has been running a while does.
double timeLoad(const std::vector<Component::TransformComponent>& qubes)
{
    MapWorld world;
    Game::FaceIdAllocator allocator;
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        world.ecs.sendMessage(Message::LoadMapMessage{qubes});
        world.ecs.processMessages(); // swaps the message in
        const double start = threadCpuMs();
        world.ecs.processMessages();
        world.ecs.refresh();
        world.map.rebuildMeshIfPending(world.ecs, allocator);
        times.push_back(threadCpuMs() - start);
        if (world.map.qubeIDs.size() != qubes.size() || !world.map.mesh)
            std::printf("warning: map of %zu blocks not built\n", qubes.size());

        world.ecs.sendMessage(Message::LoadMapMessage{});
        world.ecs.processMessages();
        world.ecs.processMessages();
        world.ecs.refresh();
        world.map.rebuildMeshIfPending(world.ecs, allocator);
    }
    return least(times);
}

double timeRebuild(const std::vector<Component::TransformComponent>& qubes)
{
    MapWorld world;
    Game::FaceIdAllocator allocator;
    for (const Component::TransformComponent& t : qubes)
        world.map.addQube(world.ecs, t);
    world.ecs.refresh();
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const double start = threadCpuMs();
        world.map.rebuildMesh(world.ecs, allocator);
        glFinish();
        times.push_back(threadCpuMs() - start);
    }
    return least(times);
}

// Prints the load and the rebuild times of a map of `count` blocks; answers the load time.
double measureMap(size_t count)
{
    const std::vector<Component::TransformComponent> qubes = makeMap(count);
    const double load = timeLoad(qubes);
    const double rebuild = timeRebuild(qubes);
    std::printf("%5zu blocks: load into world + mesh %8.3f ms, mesh rebuild alone %8.3f ms\n", count, load, rebuild);
    return load;
}

} // namespace

int main()
{
    BenchSupport::GlWindow gl;
    if (!gl.startVideo()) {
        std::fprintf(stderr, "bench_map: SDL_Init failed: %s\n", SDL_GetError());
        return 1;
    }
    if (!gl.open("bench_map", 0, 0, 64, 64, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN)) {
        std::fprintf(stderr, "bench_map: no GL context: %s\n", SDL_GetError());
        return 1;
    }
    const double load150 = measureMap(150);
    measureMap(1000);
    const double load1800 = measureMap(1800);
    std::printf("ratio 1800/150 load + mesh: %.2f (linear 12, target under 15)\n", load1800 / load150);
    return 0;
}
