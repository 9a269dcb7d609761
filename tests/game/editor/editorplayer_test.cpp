#include "game/editor/editorplayer.h"

#include "tests/game/editor/editortestworld.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

using EditorTest::kTurned;
using EditorTest::World;
using Game::BlockPose;

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
