#include "game/editor/editorcamera.h"

#include "tests/game/editor/editortestworld.h"

#include <gtest/gtest.h>

using EditorTest::kTurned;
using EditorTest::World;
using Game::BlockPose;


TEST(EditorCamera, ThePointerWrapsRoundTheEdgesOnlyWhileTheCameraTurnsOrPans)
{
    World world;
    world.mouse.x = world.mouse.posX = 640;
    world.mouse.y = 719; // the bottom row
    world.mouse.posY = 1;
    world.step();
    EXPECT_EQ(world.mouse.y, 719) << "no button held";

    world.step({}, SDL_BUTTON_RMASK);
    EXPECT_EQ(world.mouse.y, Game::EditorCamera::kTopBarRows + 1) << "just under the top bar";
    EXPECT_EQ(world.mouse.posY, 720 - world.mouse.y);
    world.mouse.y = Game::EditorCamera::kTopBarRows; // onto the top bar
    world.mouse.x = 0;
    world.step({}, SDL_BUTTON_MMASK);
    EXPECT_EQ(world.mouse.y, 718);
    EXPECT_EQ(world.mouse.x, 1278);
    EXPECT_EQ(world.mouse.posX, 1278);
    world.step();
}

TEST(EditorCamera, FramingPutsEverySelectedBlockInTheView)
{
    World world;
    const ECS::EntityId a = world.addBlock({30, 60, 5}, {2, 3, 8}, kTurned);
    const ECS::EntityId b = world.addBlock({-40, 90, 12}, {6, 1, 1});
    world.pointAt(glm::vec3(30, 60, 5));
    world.click();
    world.pointAt(glm::vec3(-40, 90, 12));
    world.click({SDL_SCANCODE_LSHIFT});
    ASSERT_EQ(world.selectedBlocks().size(), 2u);

    const Game::CameraData camera = world.ecs.getComponent<Component::CameraComponent>(world.ids.editorCamera).current;
    world.press({SDL_SCANCODE_F});
    const glm::vec3 eye = world.transform(world.ids.editorCamera).position;
    EXPECT_GT(glm::length(eye - camera.eye), 10.0f) << "the camera moved";
    // Framing keeps the viewing direction: the old camera data seen from the new eye.
    for (const ECS::EntityId block : {a, b}) {
        const glm::mat4 model = BlockPose::of(world.transform(block)).matrix();
        for (int corner = 0; corner < 8; ++corner) {
            const glm::vec4 local(corner & 1 ? 0.5f : -0.5f, corner & 2 ? 0.5f : -0.5f, corner & 4 ? 0.5f : -0.5f, 1);
            const auto pixel = Game::EditorView::projectToWindow(camera, eye, glm::vec3(model * local));
            ASSERT_TRUE(pixel) << block << " corner " << corner;
            EXPECT_TRUE(glm::all(glm::greaterThanEqual(*pixel, glm::vec2(0)))
                        && glm::all(glm::lessThanEqual(*pixel, glm::vec2(camera.width, camera.height))))
                << block << " corner " << corner;
        }
    }
}
