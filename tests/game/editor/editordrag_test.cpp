#include "game/editor/editordrag.h"

#include "tests/game/editor/editortestworld.h"

#include <gtest/gtest.h>

using EditorTest::kTurned;
using EditorTest::World;
using Game::BlockPose;

namespace {

// One window pixel at the blocks' distance, in world units, for pointer positions rounded to pixels.
constexpr float kPixel = 0.1f;

} // namespace

TEST(EditorDrag, DragsMoveTheCopiesAndTheBlocksAndCollidersFollowAtTheRelease)
{
    World world;
    const glm::vec3 start(0.7f, 1.1f, 0.35f);
    const ECS::EntityId block = world.addBlock(start, {2, 1, 3}, kTurned);
    world.pointAt(start);
    world.click();

    world.host.handleUnderPointer = 1;
    world.pointAt(start + glm::vec3(0.5f, 0, 0));
    world.step({}, SDL_BUTTON_LMASK);
    world.pointAt(start + glm::vec3(3.0f, 0.0f, 0.6f)); // off the axis: only the part along x counts
    world.step({}, SDL_BUTTON_LMASK);
    const ECS::EntityId copy = world.data().selections.getSelection(block);
    EXPECT_NEAR(world.transform(copy).position.x, start.x + 2.5f, kPixel);
    EXPECT_EQ(world.transform(block).position, start);
    world.step();
    world.step();
    const BlockPose moved = BlockPose::of(world.transform(block));
    EXPECT_NEAR(moved.position.x, start.x + 2.5f, kPixel);
    EXPECT_TRUE(moved == (BlockPose{{moved.position.x, start.y, start.z}, {2, 1, 3}, kTurned}));
    EXPECT_TRUE(world.map.rebuildPending);

    // Scaling replaces the collider, once, at the release.
    world.press({SDL_SCANCODE_LALT, SDL_SCANCODE_R});
    world.editor->setTool(Game::EditorTool::scale);
    world.host.handleUnderPointer = 1;
    world.pointAt(moved.position + glm::vec3(1, 0, 0));
    world.step({}, SDL_BUTTON_LMASK);
    world.pointAt(moved.position + glm::vec3(3, 0, 0));
    world.step({}, SDL_BUTTON_LMASK);
    world.step({}, SDL_BUTTON_LMASK);
    EXPECT_EQ(world.colliderHalfExtents(block), glm::vec3(1.0f, 0.5f, 1.5f));
    world.step();
    world.step();
    const glm::vec3 scale = world.transform(block).scale;
    EXPECT_NEAR(scale.x, 4.0f, kPixel); // grown by the two units dragged
    EXPECT_EQ(glm::vec2(scale.y, scale.z), glm::vec2(1, 3));
    EXPECT_EQ(world.colliderHalfExtents(block), scale * 0.5f);
}

TEST(EditorDrag, EveryWayOutOfADragPutsTheCopiesBackAndRecordsNothing)
{
    World world;
    const ECS::EntityId block = world.addBlock({0, 0, 0});
    world.pointAt(glm::vec3(0, 0, 0));
    world.click();
    using WayOut = void (*)(World&);
    const std::pair<const char*, WayOut> waysOut[] = {
        {"release over the UI",
         [](World& w) {
             w.state.mouseOverUI = true;
             w.step();
             w.state.mouseOverUI = false;
         }},
        // The release after Escape must not be taken for a click into empty space.
        {"Escape",
         [](World& w) {
             w.step({SDL_SCANCODE_ESCAPE}, SDL_BUTTON_LMASK);
             w.step();
         }},
        {"pop-up",
         [](World& w) {
             w.host.modal = true;
             w.step({}, SDL_BUTTON_LMASK);
             w.step();
             w.host.modal = false;
         }},
        {"play-test",
         [](World& w) {
             w.step({SDL_SCANCODE_RETURN}, SDL_BUTTON_LMASK);
             w.step();
             w.press({SDL_SCANCODE_RETURN});
         }},
        // Last: the drags above need the translate tool.
        {"tool switch",
         [](World& w) {
             w.step({SDL_SCANCODE_TAB}, SDL_BUTTON_LMASK);
             w.step();
         }},
    };
    for (const auto& [name, wayOut] : waysOut) {
        const ECS::EntityId copy = world.data().selections.getSelection(block);
        world.host.handleUnderPointer = 1;
        world.pointAt(glm::vec3(0.5f, 0, 0));
        world.step({}, SDL_BUTTON_LMASK);
        world.host.handleUnderPointer = 0;
        world.pointAt(glm::vec3(2, 0, 0));
        world.step({}, SDL_BUTTON_LMASK);
        ASSERT_NE(world.transform(copy).position, glm::vec3(0.0f)) << name;
        wayOut(world); // with the button still down, then the release
        world.step();
        EXPECT_EQ(world.data().mode, Game::EditorMode::idle) << name;
        ASSERT_EQ(world.selectedBlocks(), std::vector<ECS::EntityId>{block}) << name;
        EXPECT_EQ(world.transform(world.data().selections.getSelection(block)).position, glm::vec3(0.0f)) << name;
        EXPECT_EQ(world.transform(block).position, glm::vec3(0.0f)) << name;
        EXPECT_EQ(world.data().history.size(), 1u) << name;
    }
    EXPECT_EQ(world.host.pauseMenus, 0);
}

TEST(EditorDrag, SnappedDragsLandOnSteps)
{
    World world;
    const glm::vec3 start(0.3f, 0.0f, 0.1f);
    const ECS::EntityId block = world.addBlock(start, {1.1f, 1, 1});
    world.pointAt(start);
    world.click();
    world.press({SDL_SCANCODE_G});
    ASSERT_TRUE(world.data().snapping);

    // 1.2 units of drag move one step of 0.5 twice from where the block stood: off the grid it
    // keeps its offset.
    world.dragHandle(1, start + glm::vec3(0.5f, 0, 0), start + glm::vec3(1.7f, 0, 0));
    EXPECT_LT(glm::distance(world.transform(block).position, start + glm::vec3(1, 0, 0)), 1e-5f);
    // With Alt the block lands on the grid itself.
    const glm::vec3 moved = world.transform(block).position;
    world.dragHandle(1, moved + glm::vec3(0.5f, 0, 0), moved + glm::vec3(1.6f, 0, 0), {SDL_SCANCODE_LALT});
    EXPECT_NEAR(world.transform(block).position.x, 2.5f, 1e-5f);
    // The centre handle moves in the view plane (here x and z), in steps along each axis.
    const glm::vec3 centre0 = world.transform(block).position;
    world.dragHandle(Game::EditorHandle::centre, centre0, centre0 + glm::vec3(1.2f, 0, -0.8f));
    EXPECT_LT(glm::distance(world.transform(block).position, centre0 + glm::vec3(1, 0, -1)), 1e-5f);

    // Turning about y by about 50 degrees turns by 45.
    world.editor->setTool(Game::EditorTool::rotate);
    const glm::vec3 centre = world.transform(block).position;
    world.dragHandle(2, centre + glm::vec3(2, 0, 0), centre + glm::vec3(2 * std::cos(0.87f), 0, 2 * std::sin(0.87f)));
    const glm::quat turn = world.transform(block).rotation;
    const float angle = 2.0f * std::acos(std::min(1.0f, std::abs(turn.w)));
    EXPECT_NEAR(glm::degrees(angle), 45.0f, 1e-3f);
    EXPECT_NEAR(std::abs(turn.y), std::sin(angle / 2.0f), 1e-5f) << "about y only";

    // Scaling along x by about 1.1 grows by 1.0; shrinking far stops at one step.
    world.press({SDL_SCANCODE_LALT, SDL_SCANCODE_R});
    world.editor->setTool(Game::EditorTool::scale);
    const glm::vec3 at = world.transform(block).position;
    world.dragHandle(1, at + glm::vec3(1, 0, 0), at + glm::vec3(2.1f, 0, 0));
    EXPECT_NEAR(world.transform(block).scale.x, 2.1f, 1e-5f);
    world.dragHandle(1, at + glm::vec3(1, 0, 0), at + glm::vec3(-3, 0, 0));
    EXPECT_NEAR(world.transform(block).scale.x, Game::TransformDrag::kScaleStep, 1e-6f);
    EXPECT_EQ(world.colliderHalfExtents(block).x, Game::TransformDrag::kScaleStep / 2.0f);
}
