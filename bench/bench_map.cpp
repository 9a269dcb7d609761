// Map loading benchmark: building a map of 150, 1,000 and 1,800 blocks into the world (entities,
// colliders, bodies in the physics world) plus its combined mesh, and the mesh rebuild alone.
// Prints each time and, last, the ratio of the 1,800-block time to the 150-block time
// (linear growth gives 12). Needs an X display for the GL context (scripts/xvfb.sh).
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

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kRuns = 7;

struct MapWorld {
    PhysicsWorld physics;
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

// A map like the editor makes: scattered blocks of mixed sizes, some of them turned.
std::vector<Component::TransformComponent> makeMap(size_t count)
{
    Game::MapRandom random;
    const auto draw = [&random] { return float(random.next()) / float(Game::MapRandom::kMax); };
    std::vector<Component::TransformComponent> qubes(count);
    for (Component::TransformComponent& t : qubes) {
        t.position = glm::vec3(draw() * 160.0f - 80.0f, draw() * 160.0f - 80.0f, draw() * 30.0f);
        t.scale = glm::vec3(1.0f + draw() * 9.0f, 1.0f + draw() * 9.0f, 1.0f + draw() * 9.0f);
        t.rotation = glm::angleAxis(draw() * 6.2831853f, glm::normalize(glm::vec3(draw(), draw(), 1.0f)));
        t.copyToPrevious();
    }
    return qubes;
}

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Message pass that creates the blocks, the refresh that puts them into the physics world,
// and the mesh rebuild, as one game update does them.
double timeLoad(const std::vector<Component::TransformComponent>& qubes)
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        MapWorld world;
        Game::FaceIdAllocator allocator;
        world.ecs.sendMessage(Message::LoadMapMessage{qubes});
        world.ecs.processMessages(); // swaps the message in
        const auto start = std::chrono::steady_clock::now();
        world.ecs.processMessages();
        world.ecs.refresh();
        world.map.rebuildMeshIfPending(world.ecs, allocator);
        times.push_back(millisecondsSince(start));
        if (world.map.qubeIDs.size() != qubes.size() || !world.map.mesh)
            std::printf("warning: map of %zu blocks not built\n", qubes.size());
    }
    return median(times);
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
        const auto start = std::chrono::steady_clock::now();
        world.map.rebuildMesh(world.ecs, allocator);
        glFinish();
        times.push_back(millisecondsSince(start));
    }
    return median(times);
}

} // namespace

int main()
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "bench_map: SDL_Init failed: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_Window* window = SDL_CreateWindow("bench_map", 0, 0, 64, 64, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context) {
        std::fprintf(stderr, "bench_map: no GL context: %s\n", SDL_GetError());
        return 1;
    }
    glewExperimental = GL_TRUE;
    glewInit();

    double load150 = 0.0, load1800 = 0.0;
    for (size_t count : {size_t(150), size_t(1000), size_t(1800)}) {
        const std::vector<Component::TransformComponent> qubes = makeMap(count);
        const double load = timeLoad(qubes);
        const double rebuild = timeRebuild(qubes);
        std::printf("%5zu blocks: load into world + mesh %8.3f ms, mesh rebuild alone %8.3f ms\n", count, load,
                    rebuild);
        if (count == 150)
            load150 = load;
        if (count == 1800)
            load1800 = load;
    }
    std::printf("ratio 1800/150 load + mesh: %.2f (linear 12, target under 15)\n", load1800 / load150);

    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
