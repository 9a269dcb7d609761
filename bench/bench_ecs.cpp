// Cost of the ECS indirection: one TransformMatrixRefreshSystem pass over 2,000 entities against
// a plain std::vector loop doing the same interpolation arithmetic, measured in the same run.
// Prints both times per pass and their ratio (ECS / plain) as the last line.
#include "bench/support/figures.h"
#include "engine/ecs/entitymanager.h"
#include "game/transform/transformcomponent.h"
#include "game/transform/transformmatrixrefreshsystem.h"
#include "game/transform/transformtypes.h"

#include <glm/gtc/quaternion.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kEntities = 2000;
constexpr int kPassesPerSample = 4;
constexpr int kSamples = 500;

// The same fields as a transform record, without the component base.
struct PlainTransform {
    glm::mat4 matrix{1.0f};
    glm::vec3 position{0.0f};
    glm::vec3 scale{1.0f};
    glm::quat rotation{1.0f, 0.0f, 0.0f, 0.0f};
    glm::vec3 previousPosition{0.0f};
    glm::vec3 previousScale{1.0f};
    glm::quat previousRotation{1.0f, 0.0f, 0.0f, 0.0f};
};

void refreshPlain(PlainTransform& t, float alpha)
{
    const float a = std::clamp(alpha, 0.0f, 1.0f);
    const glm::vec3 p = t.previousPosition + (t.position - t.previousPosition) * a;
    const glm::vec3 s = t.previousScale + (t.scale - t.previousScale) * a;
    const glm::quat q = t.previousRotation * (1.0f - a) + t.rotation * a;
    const glm::mat3 r = glm::mat3_cast(q);
    for (int c = 0; c < 3; ++c) {
        for (int row = 0; row < 3; ++row)
            t.matrix[c][row] = r[c][row] * s[c];
        t.matrix[c][3] = 0.0f;
    }
    t.matrix[3] = glm::vec4(p, 1.0f);
}

// Distinct start and end states per record, so no pass is trivial.
template <class T>
void fillState(T& t, int i)
{
    const float f = static_cast<float>(i);
    t.previousPosition = {f, -f, 0.5f * f};
    t.position = t.previousPosition + glm::vec3(0.1f, 0.2f, 0.3f);
    t.previousScale = {1.0f, 1.0f + 0.001f * f, 1.0f};
    t.scale = t.previousScale * 1.5f;
    t.previousRotation = glm::angleAxis(0.001f * f, glm::vec3(0, 0, 1));
    t.rotation = glm::angleAxis(0.002f * f, glm::vec3(0, 0, 1));
}

using BenchSupport::Clock;

// Microseconds per pass of kPassesPerSample passes.
template <class Pass>
double passMicroseconds(Pass&& pass)
{
    const auto start = Clock::now();
    for (int i = 0; i < kPassesPerSample; ++i)
        pass(static_cast<float>(i % 100) / 100.0f);
    const std::chrono::duration<double, std::micro> elapsed = Clock::now() - start;
    return elapsed.count() / kPassesPerSample;
}

// The same kEntities transforms, once as components refreshed by the game's system and once in
// a plain vector refreshed by a loop. Each pass adds a figure of its result to the checksum, so
// that no pass is optimised away.
class RefreshBench {
public:
    RefreshBench()
    {
        Game::registerTransformComponents(world);
        system = world.addSystem(Game::TransformMatrixRefreshSystem(world));
        for (int i = 0; i < kEntities; ++i)
            fillState(*world.addComponent(world.createEntity(), Component::TransformComponent()), i);
        world.refresh();

        plain.resize(kEntities);
        for (int i = 0; i < kEntities; ++i)
            fillState(plain[i], i);
    }
    RefreshBench(const RefreshBench&) = delete;
    RefreshBench& operator=(const RefreshBench&) = delete;

    double timeEcsPass()
    {
        return passMicroseconds([this](float alpha) {
            system->run(alpha);
            checksum += world.componentList<Component::TransformComponent>().records().back().matrix[3][0];
        });
    }

    double timePlainPass()
    {
        return passMicroseconds([this](float alpha) {
            for (PlainTransform& t : plain)
                refreshPlain(t, alpha);
            checksum += plain.back().matrix[3][0];
        });
    }

    float checksum = 0.0f;

private:
    ECS::EntityManager world;
    Game::TransformMatrixRefreshSystem* system = nullptr;
    std::vector<PlainTransform> plain;
};

} // namespace

int main()
{
    RefreshBench bench;
    bench.timeEcsPass();
    bench.timePlainPass();
    const BenchSupport::BestPair best = BenchSupport::bestOfAlternating(
        kSamples, [&] { return bench.timeEcsPass(); }, [&] { return bench.timePlainPass(); });

    std::printf("entities: %d (checksum %.1f)\n", kEntities, static_cast<double>(bench.checksum));
    std::printf("ECS system pass: %.2f us\n", best.first);
    std::printf("plain vector loop: %.2f us\n", best.second);
    std::printf("ratio ECS/plain: %.3f\n", best.first / best.second);
    return 0;
}
