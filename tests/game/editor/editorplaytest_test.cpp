#include "game/editor/editorplaytest.h"

#include "tests/game/editor/editortestworld.h"

#include <gtest/gtest.h>

using EditorTest::kTurned;
using EditorTest::World;

TEST(EditorPlayTest, PlayTestAndBackKeepsTheMapAndTheHistory)
{
    World world;
    const ECS::EntityId block = world.addBlock({0, 0, 0}, glm::vec3(1.0f), kTurned);
    world.pointAt(glm::vec3(0, 0, 0));
    world.click();
    world.press({SDL_SCANCODE_LALT, SDL_SCANCODE_R});
    const size_t history = world.data().history.size();
    world.ecs.getComponent<Component::CameraModificationComponent>(world.ids.editorCamera).yaw = 37.0f;

    world.press({SDL_SCANCODE_RETURN});
    // On foot where the editor camera stands, looking its way.
    EXPECT_EQ(world.transform(world.ids.player).position, world.transform(world.ids.editorCamera).position);
    EXPECT_EQ(world.ecs.getComponent<Component::CameraModificationComponent>(world.ids.player).yaw, 37.0f);
    EXPECT_TRUE(world.editor->playTesting());
    EXPECT_FALSE(world.state.showCursor);
    EXPECT_FALSE(world.data().gizmoShown);
    world.press({SDL_SCANCODE_DELETE}); // not editing
    EXPECT_EQ(world.map.qubeIDs.size(), 1u);

    world.press({SDL_SCANCODE_ESCAPE});
    EXPECT_FALSE(world.editor->playTesting());
    EXPECT_EQ(world.host.pauseMenus, 0);
    EXPECT_TRUE(world.state.showCursor);
    EXPECT_EQ(world.data().history.size(), history);
    EXPECT_EQ(world.selectedBlocks(), std::vector<ECS::EntityId>{block});
}

TEST(EditorPlayTest, StartsInTheStartGateFacingItsWay)
{
    World world;
    const glm::quat turned = glm::angleAxis(glm::radians(120.0f), glm::vec3(0, 0, 1));
    world.editor->scene().createGate(
        Game::Gate{Game::GateKind::Start, 0, Game::OrientedBox{{3, 4, 1.5f}, {1, 1.5f, 1.5f}, turned}});
    world.ecs.refresh();
    world.ecs.getComponent<Component::CameraModificationComponent>(world.ids.editorCamera).pitch = -30.0f;

    world.press({SDL_SCANCODE_RETURN});
    ASSERT_TRUE(world.editor->playTesting());
    EXPECT_EQ(world.transform(world.ids.player).position, glm::vec3(3, 4, 1.5f));
    const auto& view = world.ecs.getComponent<Component::CameraModificationComponent>(world.ids.player);
    EXPECT_NEAR(view.yaw, 120.0f, 1e-3f);
    EXPECT_EQ(view.pitch, 0.0f) << "level, not as the editor camera looked";
    world.press({SDL_SCANCODE_ESCAPE});
    EXPECT_FALSE(world.editor->playTesting());
}
