// Course gates in the editor: added, picked, dragged, duplicated, deleted and renumbered like
// blocks, with undo and redo, and the gate model the editor keeps beside its entities.
#include "game/editor/editorgates.h"

#include "game/editor/editorgatetools.h"
#include "tests/game/editor/editortestworld.h"

#include <gtest/gtest.h>

using EditorTest::World;
using Game::Gate;
using Game::GateKind;

namespace {

// A gate made as undo would make it (no history), ready after the refresh.
ECS::EntityId gatesTestPlace(World& world, GateKind kind, glm::vec3 centre, glm::vec3 size = {1, 4, 3})
{
    const ECS::EntityId gate =
        world.editor->scene().createGate(Gate{kind, 0, Game::OrientedBox{centre, size * 0.5f, {1, 0, 0, 0}}});
    world.ecs.refresh();
    return gate;
}

const Game::EditorGates& gatesTestGates(World& world)
{
    return world.editor->scene().gates();
}

int gatesTestNumber(World& world, ECS::EntityId gate)
{
    const Gate* found = gatesTestGates(world).gateOf(gate);
    return found ? found->number : -1;
}

glm::vec3 gatesTestCentre(World& world, ECS::EntityId gate)
{
    return gatesTestGates(world).gateOf(gate)->box.center;
}

// Places a gate of `kind` through "+ Add" with a click where the pointer is.
ECS::EntityId gatesTestAdd(World& world, GateKind kind)
{
    world.editor->startAddingGate(kind);
    world.step();
    world.click();
    return gatesTestGates(world).entities().empty() ? ECS::InvalidEntity : gatesTestGates(world).entities().back();
}

} // namespace

TEST(EditorGates, EachKindIsAddedOnceAndASecondStartSelectsTheFirst)
{
    World world;
    world.pointAt(glm::vec3(0, 0, 0));
    const ECS::EntityId start = gatesTestAdd(world, GateKind::Start);
    ASSERT_NE(start, ECS::InvalidEntity);
    EXPECT_EQ(world.data().mode, Game::EditorMode::idle);
    EXPECT_EQ(gatesTestGates(world).course().summary(), "Course: start, no checkpoints, no finish");
    // A new gate stands on the point it was placed at (the end of the placing ray when it meets
    // nothing), facing away from the camera (along +y).
    const Game::OrientedBox& box = gatesTestGates(world).course().start()->box;
    EXPECT_NEAR(box.center.y, -20.0f + Game::EditorPlayer::kPlacingReach, 1e-4f);
    EXPECT_NEAR(box.center.z, box.halfExtents.z, 1e-4f);
    EXPECT_NEAR(Game::facingYaw(box), 90.0f, 0.01f);
    EXPECT_TRUE(world.transform(start).position == box.center);

    world.pointAt(glm::vec3(-3, 0, 0));
    const ECS::EntityId first = gatesTestAdd(world, GateKind::Checkpoint);
    world.pointAt(glm::vec3(3, 0, 0));
    const ECS::EntityId second = gatesTestAdd(world, GateKind::Checkpoint);
    gatesTestAdd(world, GateKind::Finish);
    EXPECT_EQ(gatesTestGates(world).course().summary(), "Course: start, 2 checkpoints, finish");
    EXPECT_EQ(gatesTestNumber(world, first), 1);
    EXPECT_EQ(gatesTestNumber(world, second), 2);

    const size_t groups = world.data().history.size();
    world.editor->startAddingGate(GateKind::Start);
    world.step();
    EXPECT_EQ(world.data().mode, Game::EditorMode::idle) << "no second start is placed";
    ASSERT_EQ(world.host.messages.size(), 1u);
    EXPECT_EQ(world.host.messages[0], Game::EditorGateTools::kHasStartText);
    EXPECT_EQ(world.selectedBlocks(), std::vector<ECS::EntityId>{start});
    EXPECT_EQ(gatesTestGates(world).course().gates().size(), 4u);
    EXPECT_GT(world.data().history.size(), groups) << "the selection is an undoable step";

    // Undo takes the selection back, then the finish; redo brings the finish back as a finish.
    world.undo();
    world.undo();
    EXPECT_EQ(gatesTestGates(world).course().finish(), nullptr);
    EXPECT_EQ(gatesTestGates(world).course().checkpointCount(), 2u);
    world.redo();
    EXPECT_NE(gatesTestGates(world).course().finish(), nullptr);
    EXPECT_EQ(gatesTestGates(world).course().summary(), "Course: start, 2 checkpoints, finish");
}

TEST(EditorGates, AGateIsPickedWhereTheRayEntersItAndDragsLikeABlock)
{
    World world;
    const ECS::EntityId gate = gatesTestPlace(world, GateKind::Checkpoint, {0, 0, 0});
    world.addBlock({0, 5, 0}); // behind the gate
    const ECS::EntityId before = world.addBlock({4, -5, 0});
    gatesTestPlace(world, GateKind::Finish, {4, 0, 0});

    world.pointAt(glm::vec3(0, 0, 0));
    world.click();
    EXPECT_EQ(world.selectedBlocks(), std::vector<ECS::EntityId>{gate}) << "the gate before the block";
    world.pointAt(glm::vec3(4, -5, 0));
    world.click();
    EXPECT_EQ(world.selectedBlocks(), std::vector<ECS::EntityId>{before}) << "the block before the gate";
    world.pointAt(glm::vec3(0, 0, 0));
    world.click();

    world.dragHandle(Game::EditorHandle::x, {0, 0, 0}, {2, 0, 0});
    const glm::vec3 moved = gatesTestCentre(world, gate);
    EXPECT_NEAR(moved.x, 2.0f, 0.05f);
    EXPECT_EQ(world.transform(gate).position, moved) << "the course follows the gate's transform";
    world.undo();
    EXPECT_EQ(gatesTestCentre(world, gate), glm::vec3(0, 0, 0));
    world.redo();
    EXPECT_EQ(gatesTestCentre(world, gate), moved);
    EXPECT_FALSE(world.ecs.hasComponent<Component::PhysicsRigidBodyComponent>(gate)) << "gates never collide";
}

TEST(EditorGates, DeletedCheckpointsComeBackWithTheirNumbers)
{
    World world;
    // Made out of order, so that entity ids and numbers differ.
    std::vector<ECS::EntityId> byNumber(4);
    byNumber[3] = gatesTestPlace(world, GateKind::Checkpoint, {6, 0, 0});
    byNumber[1] = gatesTestPlace(world, GateKind::Checkpoint, {2, 0, 0});
    byNumber[0] = gatesTestPlace(world, GateKind::Checkpoint, {0, 0, 0});
    byNumber[2] = gatesTestPlace(world, GateKind::Checkpoint, {4, 0, 0});
    for (int n = 1; n <= 4; ++n)
        world.editor->scene().gates().setNumber(byNumber[size_t(n - 1)], n);
    const std::vector<glm::vec3> centres{{0, 0, 0}, {2, 0, 0}, {4, 0, 0}, {6, 0, 0}};
    const auto centreOfNumber = [&](int number) { return gatesTestGates(world).course().checkpoint(number)->box.center; };
    for (int n = 1; n <= 4; ++n)
        ASSERT_EQ(centreOfNumber(n), centres[size_t(n - 1)]);

    world.pointAt(centres[1]);
    world.click();
    world.pointAt(centres[2]);
    world.click({SDL_SCANCODE_LSHIFT});
    world.press({SDL_SCANCODE_DELETE});
    ASSERT_EQ(gatesTestGates(world).course().checkpointCount(), 2u);
    EXPECT_EQ(centreOfNumber(2), centres[3]);

    world.undo();
    ASSERT_EQ(gatesTestGates(world).course().checkpointCount(), 4u);
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(centreOfNumber(n), centres[size_t(n - 1)]) << "checkpoint " << n;
    EXPECT_EQ(world.selectedBlocks().size(), 2u) << "the deleted gates come back selected";
    world.redo();
    EXPECT_EQ(gatesTestGates(world).course().checkpointCount(), 2u);
    world.undo();
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(centreOfNumber(n), centres[size_t(n - 1)]) << "checkpoint " << n << " after redo and undo";
}

TEST(EditorGates, DuplicatesNumberCopiesAfterTheirOriginalsAndLeaveTheStartAlone)
{
    World world;
    const ECS::EntityId start = gatesTestPlace(world, GateKind::Start, {-4, 0, 0});
    const ECS::EntityId one = gatesTestPlace(world, GateKind::Checkpoint, {0, 0, 0});
    const ECS::EntityId two = gatesTestPlace(world, GateKind::Checkpoint, {4, 0, 0});
    world.pointAt(glm::vec3(0, 0, 0));
    world.click();
    world.pointAt(glm::vec3(-4, 0, 0));
    world.click({SDL_SCANCODE_LSHIFT});

    world.dragHandle(Game::EditorHandle::z, {0, 0, 0}, {0, 0, 2}, {SDL_SCANCODE_LCTRL});
    const Game::Course& course = gatesTestGates(world).course();
    ASSERT_EQ(course.checkpointCount(), 3u);
    EXPECT_EQ(gatesTestNumber(world, one), 1);
    EXPECT_NEAR(course.checkpoint(2)->box.center.z, gatesTestCentre(world, one).z + 2.0f, 0.05f) << "the copy moved";
    EXPECT_EQ(gatesTestNumber(world, two), 3);
    EXPECT_EQ(course.gates().size(), 4u) << "one start still";
    EXPECT_EQ(gatesTestCentre(world, start), glm::vec3(-4, 0, 0));

    world.undo();
    EXPECT_EQ(course.checkpointCount(), 2u);
    EXPECT_EQ(gatesTestNumber(world, two), 2);
}

TEST(EditorGates, PlusMinusAndTheWheelOverTheCheckpointRenumberItUndoably)
{
    World world;
    const ECS::EntityId one = gatesTestPlace(world, GateKind::Checkpoint, {-4, 0, 0});
    gatesTestPlace(world, GateKind::Checkpoint, {0, 0, 0});
    const ECS::EntityId three = gatesTestPlace(world, GateKind::Checkpoint, {4, 0, 0});
    world.pointAt(glm::vec3(4, 0, 0));
    world.click();

    world.press({SDL_SCANCODE_KP_MINUS});
    EXPECT_EQ(gatesTestNumber(world, three), 2);
    world.press({SDL_SCANCODE_MINUS});
    EXPECT_EQ(gatesTestNumber(world, three), 1);
    EXPECT_EQ(gatesTestNumber(world, one), 2);
    const size_t groups = world.data().history.size();
    world.press({SDL_SCANCODE_MINUS});
    EXPECT_EQ(world.data().history.size(), groups) << "nothing before the first: no step";
    world.press({SDL_SCANCODE_EQUALS});
    EXPECT_EQ(gatesTestNumber(world, three), 2);

    world.undo();
    EXPECT_EQ(gatesTestNumber(world, three), 1);
    world.undo();
    world.undo();
    EXPECT_EQ(gatesTestNumber(world, three), 3);
    EXPECT_EQ(gatesTestNumber(world, one), 1);
    world.redo();
    EXPECT_EQ(gatesTestNumber(world, three), 2);

    // The wheel over the selected checkpoint renumbers it and zooms nothing; elsewhere it zooms.
    world.mouse.wheel = -1;
    world.step();
    EXPECT_EQ(gatesTestNumber(world, three), 1);
    EXPECT_EQ(world.mouse.wheel, 0);
    world.pointAt(glm::vec3(0, 0, 8));
    world.mouse.wheel = 1;
    world.step();
    EXPECT_EQ(gatesTestNumber(world, three), 1);
    EXPECT_EQ(world.mouse.wheel, 1);
    world.mouse.wheel = 0;
}

TEST(EditorGates, BoxSelectTakesGatesWhoseCentresLieInside)
{
    World world;
    const ECS::EntityId block = world.addBlock({-2, 0, 0});
    const ECS::EntityId gate = gatesTestPlace(world, GateKind::Finish, {2, 0, 0});
    gatesTestPlace(world, GateKind::Start, {8, 0, 0});
    world.pointAt(glm::vec3(-3.5f, 0, -2));
    world.step({}, SDL_BUTTON_LMASK);
    world.pointAt(glm::vec3(3.5f, 0, 2));
    world.step({}, SDL_BUTTON_LMASK);
    world.step({}, SDL_BUTTON_LMASK);
    world.step();
    world.step();
    EXPECT_EQ(world.selectedBlocks(), (std::vector<ECS::EntityId>{block, gate}));
}

TEST(EditorGates, ModelPicksFromOutsideAndLoadsCheckpointsInTheirOrder)
{
    ECS::EntityManager ecs;
    ecs.registerComponent<Component::TransformComponent>();
    Game::EditorGates gates;
    Game::Course course;
    const auto checkpoint = [](int number, float x) {
        return Gate{GateKind::Checkpoint, number, Game::OrientedBox{{x, 0, 0}, {0.5f, 2, 2}, {1, 0, 0, 0}}};
    };
    course.add(checkpoint(1, 0));
    course.add(checkpoint(2, 5));
    course.add(checkpoint(1, 10)); // now first: the file order is not the course's order
    ASSERT_TRUE(gates.load(ecs, course, 100));
    EXPECT_EQ(gates.course().checkpoint(1)->box.center.x, 10.0f);
    EXPECT_EQ(gates.course().checkpoint(3)->box.center.x, 5.0f);
    EXPECT_FALSE(gates.load(ecs, course, 2)) << "no id for the third";
    EXPECT_EQ(gates.course().gates().size(), 2u);

    gates.load(ecs, course, 100);
    const auto hit = gates.pick({-10, 0, 0}, {10, 0, 0});
    ASSERT_TRUE(hit);
    EXPECT_EQ(gates.gateOf(hit->gate)->box.center.x, 0.0f);
    EXPECT_NEAR(hit->fraction, 9.5f / 20.0f, 1e-5f) << "entered 9.5 m along the 20 m segment";
    EXPECT_FALSE(gates.pick({0, 0, 0}, {0, 0, 1})) << "not from inside";
    EXPECT_FALSE(gates.pick({-10, 0, 3}, {10, 0, 3}));
    EXPECT_FALSE(gates.pick({-10, 0, 0}, {-1, 0, 0})) << "the segment ends before the box";
    const ECS::EntityId first = gates.entities().front();
    gates.destroy(ecs, first, 7);
    ASSERT_TRUE(gates.remembered(7));
    EXPECT_EQ(gates.remembered(7)->kind, GateKind::Checkpoint);
    gates.clear(ecs);
    EXPECT_FALSE(gates.remembered(7));
    EXPECT_TRUE(gates.course().empty());
}
