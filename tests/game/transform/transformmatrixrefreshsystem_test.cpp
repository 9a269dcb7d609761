#include "game/transform/transformmatrixrefreshsystem.h"

#include "game/transform/transformcomponent.h"
#include "game/transform/transformstatecopysystem.h"
#include "game/transform/transformtypes.h"

#include <gtest/gtest.h>

using Component::TransformComponent;

// A tick copies the state, moves the entity; frames of that tick draw between the two places.
TEST(TransformSystemsTest, FramesInterpolateTheMoveOfTheCurrentTick)
{
    ECS::EntityManager world;
    Game::registerTransformComponents(world);
    auto* copy = world.addSystem(Game::TransformStateCopySystem(world));
    auto* refresh = world.addSystem(Game::TransformMatrixRefreshSystem(world));
    const ECS::EntityId e = world.createEntity();
    TransformComponent* queued = world.addComponent(e, TransformComponent());
    queued->position = {4, 0, 0};
    world.refresh();

    copy->run(0.0f);
    world.getComponent<TransformComponent>(e).position = {8, 0, 0};

    const glm::mat4& matrix = world.getComponent<TransformComponent>(e).matrix;
    refresh->run(0.25f);
    EXPECT_FLOAT_EQ(matrix[3].x, 5.0f);
    refresh->run(1.0f);
    EXPECT_FLOAT_EQ(matrix[3].x, 8.0f);

    copy->run(0.0f); // next tick, no move: frames stand still
    refresh->run(0.0f);
    EXPECT_FLOAT_EQ(matrix[3].x, 8.0f);
}
