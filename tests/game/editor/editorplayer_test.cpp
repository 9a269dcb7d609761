#include "game/editor/editorplayer.h"

#include "tests/game/editor/editortestworld.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

using EditorTest::World;
using Game::BlockPose;

namespace {

// One window pixel at the blocks' distance, in world units, for pointer positions rounded to pixels.
constexpr float kPixel = 0.1f;

const glm::quat kTurned = glm::angleAxis(0.7f, glm::normalize(glm::vec3(1, 2, 3)));

} // namespace

TEST(EditorPlayer, DragsMoveTheCopiesAndTheBlocksAndCollidersFollowAtTheRelease)
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

TEST(EditorPlayer, UndoOfADeleteRestoresThePlaceExactlyAndLaterUndosFindTheNewBlock)
{
    World world;
    const BlockPose start{{0.3f, 0.1f, -0.2f}, {1.5f, 0.25f, 3.0f}, kTurned};
    world.addBlock(start.position, start.scale, start.rotation);
    world.pointAt(start.position);
    world.click();
    world.press({SDL_SCANCODE_LALT, SDL_SCANCODE_S}); // a modify before the delete
    world.press({SDL_SCANCODE_DELETE});
    EXPECT_TRUE(world.map.qubeIDs.empty());
    EXPECT_TRUE(world.selectedBlocks().empty());

    testing::internal::CaptureStdout();
    world.undo();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "REV DESTROY\n");
    ASSERT_EQ(world.map.qubeIDs.size(), 1u);
    const ECS::EntityId again = *world.map.qubeIDs.begin();
    EXPECT_EQ(world.selectedBlocks(), std::vector<ECS::EntityId>{again});
    EXPECT_EQ(world.transform(again).scale, glm::vec3(1.0f));

    world.undo(); // the reset, now reaching the re-created block
    EXPECT_TRUE(BlockPose::of(world.transform(again)) == start);
    EXPECT_EQ(world.colliderHalfExtents(again), start.scale * 0.5f);
}

TEST(EditorPlayer, HistoryNeverReachesABlockThatTookAVanishedBlocksId)
{
    World world;
    const ECS::EntityId block = world.addBlock({1, 1, 1});
    world.pointAt(glm::vec3(1, 1, 1));
    world.click();
    world.press({SDL_SCANCODE_LALT, SDL_SCANCODE_P});
    world.data().selections.clear(world.ecs); // cleared without a record
    world.step();
    world.map.removeQube(world.ecs, block); // destroyed behind the editor's back
    world.step();
    world.step();
    world.ecs.createEntity(); // takes the older free id of the selection copy
    const ECS::EntityId stranger = world.addBlock({5, 5, 5});
    ASSERT_EQ(stranger, block); // the id was reused

    world.undo();
    world.undo();
    EXPECT_EQ(world.transform(stranger).position, glm::vec3(5, 5, 5));
    EXPECT_TRUE(world.selectedBlocks().empty());

    // Replacing the map's blocks empties history and queue.
    world.pointAt(glm::vec3(5, 5, 5));
    world.click();
    world.editor->resetForNewMap();
    EXPECT_TRUE(world.data().history.empty());
    EXPECT_TRUE(world.data().pendingSelection.empty());
    EXPECT_TRUE(world.selectedBlocks().empty());
}

TEST(EditorPlayer, EveryWayOutOfADragPutsTheCopiesBackAndRecordsNothing)
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

TEST(EditorPlayer, PlacedBlocksFollowThePointerWithoutHittingThemselves)
{
    World world;
    world.addBlock({0, -15, 0});
    world.pointAt(glm::vec3(0, -15, 0));
    world.editor->startAddingBlock();
    world.step();
    world.step();
    ASSERT_EQ(world.data().placing.size(), 1u);
    const ECS::EntityId preview = *world.data().placing.begin();
    EXPECT_NEAR(world.transform(preview).position.y, -15.5f, 1e-4f);
    world.step();
    EXPECT_NEAR(world.transform(preview).position.y, -15.5f, 1e-4f);

    world.pointAt(glm::vec3(0, 0, 30)); // nothing within reach: 10 units ahead
    world.click();
    EXPECT_EQ(world.map.qubeIDs.size(), 2u);
    EXPECT_NEAR(glm::length(world.transform(*world.map.qubeIDs.rbegin()).position - glm::vec3(0, -20, 0)), 10.0f, 1e-3f);
    EXPECT_FALSE(world.ecs.isAlive(preview));
}

TEST(EditorPlayer, RefusesBlocksBeyondTheEntityIdsWholeAndKeepsWhatIsPlaced)
{
    World world;
    const ECS::EntityId a = world.addBlock({0, 0, 0});
    const ECS::EntityId b = world.addBlock({4, 0, 0});
    world.pointAt(glm::vec3(0, 0, 0));
    world.click();
    world.pointAt(glm::vec3(4, 0, 0));
    world.click({SDL_SCANCODE_LSHIFT});
    while (Game::GameMap::freeQubeSlots(world.ecs) > 3)
        world.map.addQube(world.ecs, glm::translate(glm::mat4(1.0f), glm::vec3(0, 50, 0)));
    world.ecs.refresh();
    const size_t blocks = world.map.qubeIDs.size();

    world.dragHandle(1, {0.5f, 0, 0}, {2.5f, 0, 0}, {SDL_SCANCODE_LCTRL});
    EXPECT_EQ(world.host.messages, std::vector<std::string>{"ERROR:\nToo many blocks."});
    EXPECT_EQ(world.map.qubeIDs.size(), blocks);
    EXPECT_EQ(world.transform(a).position, glm::vec3(0.0f));
    EXPECT_EQ(world.selectedBlocks(), (std::vector<ECS::EntityId>{a, b}));

    // Delete both, fill the freed ids, then undo: refused, and the group waits in the history.
    world.press({SDL_SCANCODE_DELETE});
    while (Game::GameMap::freeQubeSlots(world.ecs) > 3)
        world.map.addQube(world.ecs, glm::mat4(1.0f));
    world.ecs.refresh();
    world.undo();
    EXPECT_EQ(world.host.messages.size(), 2u);
    EXPECT_EQ(world.data().history.size(), 3u);

    while (Game::GameMap::freeQubeSlots(world.ecs) > 0)
        world.map.addQube(world.ecs, glm::mat4(1.0f));
    world.ecs.refresh();
    world.editor->startAddingBlock();
    EXPECT_EQ(world.host.messages.size(), 3u);
    EXPECT_EQ(world.data().mode, Game::EditorMode::idle);
}

TEST(EditorPlayer, SnappedDragsLandOnSteps)
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
