#include "game/transform/rotationanimationsystem.h"

#include "game/transform/rotationanimationcomponent.h"
#include "game/transform/transformcomponent.h"
#include "game/transform/transformtypes.h"

#include <gtest/gtest.h>

using Component::RotationAnimationComponent;
using Component::TransformComponent;

namespace {

void expectSameRotation(const glm::quat& actual, const glm::quat& expected)
{
    EXPECT_NEAR(std::abs(glm::dot(actual, expected)), 1.0f, 1e-5f)
        << actual.x << " " << actual.y << " " << actual.z << " " << actual.w;
}

} // namespace

TEST(RotationAnimationSystemTest, TurnsAboutTheEntitysOwnAxisOncePerTick)
{
    ECS::EntityManager world;
    Game::registerTransformComponents(world);
    auto* system = world.addSystem(Game::RotationAnimationSystem(world));
    const ECS::EntityId e = world.createEntity();
    const glm::quat start = glm::angleAxis(glm::radians(90.0f), glm::vec3(1, 0, 0));
    world.addComponent(e, TransformComponent())->rotation = start;
    world.addComponent(e, RotationAnimationComponent(30.0f, {0, 0, 1}));
    world.refresh();

    for (int tick = 0; tick < 3; ++tick)
        system->run(0.0f);
    const glm::quat& rotation = world.getComponent<TransformComponent>(e).rotation;
    // 90° in total about the entity's own z, which the start rotation turned onto world -y.
    expectSameRotation(rotation, start * glm::angleAxis(glm::radians(90.0f), glm::vec3(0, 0, 1)));
    EXPECT_NEAR(glm::length(rotation), 1.0f, 1e-6f);
}

TEST(RotationAnimationSystemTest, ZeroAngleOnlyRenormalisesAndZeroLengthBecomesIdentity)
{
    const glm::quat unnormalised(2.0f, 0.0f, 2.0f, 0.0f);
    expectSameRotation(Game::rotatedByOwnAxis(unnormalised, 0.0f, {0, 0, 1}), glm::normalize(unnormalised));
    const glm::quat zero = Game::rotatedByOwnAxis(glm::quat(0, 0, 0, 0), 45.0f, {0, 0, 1});
    EXPECT_EQ(zero, glm::quat(1, 0, 0, 0));
}
