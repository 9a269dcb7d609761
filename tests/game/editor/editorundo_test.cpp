// Undo and redo through the editor player: every kind of step is taken back and carried out
// again exactly, a new step ends what can be redone, and neither ever reaches a stranger.
#include "game/editor/editorundo.h"

#include "tests/game/editor/editortestworld.h"

#include <gtest/gtest.h>

#include <algorithm>

using EditorTest::World;
using Game::BlockPose;

namespace {

// The map and the selection as places, which survive blocks coming back under new ids.
struct Snapshot {
    std::vector<std::vector<float>> blocks, selected;

    static Snapshot of(World& world)
    {
        Snapshot s;
        for (const ECS::EntityId block : world.map.qubeIDs) {
            const BlockPose p = BlockPose::of(world.transform(block));
            s.blocks.push_back({p.position.x, p.position.y, p.position.z, p.scale.x, p.scale.y, p.scale.z,
                                p.rotation.w, p.rotation.x, p.rotation.y, p.rotation.z});
        }
        for (const ECS::EntityId block : world.selectedBlocks()) {
            const glm::vec3 p = world.transform(block).position;
            s.selected.push_back({p.x, p.y, p.z});
        }
        std::sort(s.blocks.begin(), s.blocks.end());
        std::sort(s.selected.begin(), s.selected.end());
        return s;
    }
    bool operator==(const Snapshot& other) const { return blocks == other.blocks && selected == other.selected; }
};

const glm::quat kTilted = glm::angleAxis(0.4f, glm::normalize(glm::vec3(3, -1, 2)));

} // namespace

TEST(EditorUndo, RedoAfterUndoRestoresEveryStepExactly)
{
    World world;
    world.addBlock({0, 0, 0}, {1.5f, 1, 2}, kTilted);
    world.addBlock({4, 0, 0});
    std::vector<Snapshot> states{Snapshot::of(world)};
    const auto stepDone = [&] { states.push_back(Snapshot::of(world)); };

    world.pointAt(glm::vec3(0, 0, 0));
    world.click();
    stepDone();
    world.pointAt(glm::vec3(4, 0, 0));
    world.click({SDL_SCANCODE_LSHIFT});
    stepDone();
    world.dragHandle(1, {2.5f, 0, 0}, {4.2f, 0, 0}); // move both
    stepDone();
    world.press({SDL_SCANCODE_LALT, SDL_SCANCODE_R});
    stepDone();
    world.dragHandle(3, {2.0f + 1.7f, 0, 0.5f}, {3.7f, 0, 3}, {SDL_SCANCODE_LCTRL}); // duplicate upwards
    stepDone();
    // The originals stay where they were; the copies are selected.
    EXPECT_EQ(states[5].blocks.size(), 4u);
    EXPECT_TRUE(std::includes(states[5].blocks.begin(), states[5].blocks.end(), states[4].blocks.begin(),
                              states[4].blocks.end()));
    EXPECT_EQ(states[5].selected.size(), 2u);
    EXPECT_NE(states[5].selected, states[4].selected);
    world.press({SDL_SCANCODE_DELETE}); // the copies
    stepDone();
    world.editor->startAddingBlock(); // unselects, then places a block
    world.pointAt(glm::vec3(-3, 0, 0));
    world.click();
    stepDone();
    const size_t steps = states.size() - 1;
    ASSERT_EQ(world.data().history.size(), steps);

    for (size_t i = steps; i-- > 0;) {
        world.undo();
        EXPECT_TRUE(Snapshot::of(world) == states[i]) << "after undoing back to step " << i;
    }
    EXPECT_EQ(world.data().history.redoSize(), steps);

    testing::internal::CaptureStdout();
    world.redo();
    world.redo();
    world.redo();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "REV REDO SELECT\nREV REDO SELECT\nREV REDO MODIFY\n");
    EXPECT_TRUE(Snapshot::of(world) == states[3]);
    while (world.data().history.canRedo())
        world.redo();
    EXPECT_TRUE(Snapshot::of(world) == states[steps]);
    EXPECT_EQ(world.data().history.size(), steps);

    // Undo reaches the blocks that redo brought back.
    world.undo();
    world.undo();
    EXPECT_TRUE(Snapshot::of(world) == states[steps - 2]);
}

TEST(EditorUndo, AStepAfterUndoEndsWhatCanBeRedoneAndCtrlShiftZRedoes)
{
    World world;
    const ECS::EntityId block = world.addBlock({1, 2, 3}, {2, 2, 2});
    world.pointAt(glm::vec3(1, 2, 3));
    world.click();
    world.press({SDL_SCANCODE_LALT, SDL_SCANCODE_P});
    world.undo();
    world.press({SDL_SCANCODE_LALT, SDL_SCANCODE_S});
    world.redo();
    EXPECT_EQ(world.transform(block).position, glm::vec3(1, 2, 3)) << "nothing to redo";

    world.undo();
    EXPECT_EQ(world.transform(block).scale, glm::vec3(2.0f));
    world.press({SDL_SCANCODE_LCTRL, SDL_SCANCODE_LSHIFT, SDL_SCANCODE_Z});
    EXPECT_EQ(world.transform(block).scale, glm::vec3(1.0f));
    EXPECT_EQ(world.colliderHalfExtents(block), glm::vec3(0.5f));
}

TEST(EditorUndo, RedoNeverReachesABlockThatTookAnUndoneBlocksId)
{
    World world;
    world.editor->startAddingBlock();
    world.pointAt(glm::vec3(0, 0, 30)); // placed 10 units ahead
    world.click();
    ASSERT_EQ(world.map.qubeIDs.size(), 1u);
    const ECS::EntityId placed = *world.map.qubeIDs.begin();
    const BlockPose place = BlockPose::of(world.transform(placed));
    world.undo(); // the placing goes
    EXPECT_TRUE(world.map.qubeIDs.empty());
    world.step();
    world.step();
    world.ecs.createEntity(); // takes the older free id of the preview
    const ECS::EntityId stranger = world.addBlock({7, 7, 7});
    ASSERT_EQ(stranger, placed) << "the id was reused";

    world.redo(); // the placed block comes back beside the stranger
    ASSERT_EQ(world.map.qubeIDs.size(), 2u);
    EXPECT_EQ(world.transform(stranger).position, glm::vec3(7, 7, 7));
    const ECS::EntityId again = *world.map.qubeIDs.begin() == stranger ? *world.map.qubeIDs.rbegin()
                                                                        : *world.map.qubeIDs.begin();
    EXPECT_TRUE(BlockPose::of(world.transform(again)) == place);

    world.undo();
    EXPECT_EQ(world.map.qubeIDs, std::set<ECS::EntityId>{stranger});
    EXPECT_EQ(world.transform(stranger).position, glm::vec3(7, 7, 7));
}
