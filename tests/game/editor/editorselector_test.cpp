#include "game/editor/editorselector.h"

#include "tests/game/editor/editortestworld.h"

#include <gtest/gtest.h>

using EditorTest::World;

TEST(EditorSelector, ClicksSelectAddToAndClearTheSelection)
{
    World world;
    const ECS::EntityId a = world.addBlock({0, 0, 0});
    const ECS::EntityId b = world.addBlock({4, 0, 0});

    world.pointAt(glm::vec3(0, 0, 0));
    world.click();
    EXPECT_EQ(world.selectedBlocks(), std::vector<ECS::EntityId>{a});
    EXPECT_TRUE(world.data().gizmoShown);

    world.pointAt(glm::vec3(4, 0, 0));
    world.click({SDL_SCANCODE_LSHIFT});
    EXPECT_EQ(world.selectedBlocks(), (std::vector<ECS::EntityId>{a, b}));
    world.pointAt(glm::vec3(0, 0, 0));
    world.click({SDL_SCANCODE_LSHIFT});
    EXPECT_EQ(world.selectedBlocks(), std::vector<ECS::EntityId>{b});


    // Empty space: Shift keeps the selection, a plain click clears it.
    world.pointAt(glm::vec3(0, 0, 30));
    world.click({SDL_SCANCODE_LSHIFT});
    EXPECT_EQ(world.selectedBlocks(), std::vector<ECS::EntityId>{b});
    world.click();
    EXPECT_TRUE(world.selectedBlocks().empty());
    EXPECT_FALSE(world.data().gizmoShown);
}

TEST(EditorSelector, BoxSelectPicksExactlyTheBlocksWhoseCentresLieInside)
{
    World world;
    const ECS::EntityId far1 = world.addBlock({-6, 0, 0});
    const ECS::EntityId left = world.addBlock({-2, 0, 0});
    const ECS::EntityId right = world.addBlock({2, 0, 0});
    world.addBlock({6, 0, 0});
    world.addBlock({0, 0, 5});
    // Large enough to reach into the box, but its centre lies outside it.
    world.addBlock({0, 0, -4}, {3, 1, 5});
    const ECS::EntityId middle = world.addBlock({0.5f, 3, 1});
    const auto boxDrag = [&](std::initializer_list<SDL_Scancode> keys) {
        world.pointAt(glm::vec3(-3.2f, 0, -2));
        world.step(keys, SDL_BUTTON_LMASK);
        world.pointAt(glm::vec3(0, 0, 0));
        world.step(keys, SDL_BUTTON_LMASK);
        EXPECT_EQ(world.data().mode, Game::EditorMode::boxSelecting);
        EXPECT_TRUE(world.host.box);
        world.pointAt(glm::vec3(3.2f, 0, 2));
        world.step(keys, SDL_BUTTON_LMASK);
        world.step(keys, 0);
        world.step();
        EXPECT_FALSE(world.host.box);
    };

    world.pointAt(glm::vec3(-6, 0, 0));
    world.click();
    ASSERT_EQ(world.selectedBlocks(), std::vector<ECS::EntityId>{far1});
    const size_t groups = world.data().history.size();
    boxDrag({});
    EXPECT_EQ(world.selectedBlocks(), (std::vector<ECS::EntityId>{left, right, middle}));
    EXPECT_EQ(world.data().history.size(), groups + 1) << "one group for the whole box";
    world.undo();
    EXPECT_EQ(world.selectedBlocks(), std::vector<ECS::EntityId>{far1});

    boxDrag({SDL_SCANCODE_LSHIFT});
    EXPECT_EQ(world.selectedBlocks(), (std::vector<ECS::EntityId>{far1, left, right, middle}));

    // Less than four pixels of drag from empty space is a click there: the selection goes.
    world.pointAt(glm::vec3(-4, 0, -2.5f));
    world.step({}, SDL_BUTTON_LMASK);
    world.mouse.posX += 3;
    world.mouse.x += 3;
    world.step({}, SDL_BUTTON_LMASK);
    world.step();
    world.step();
    EXPECT_FALSE(world.host.box);
    EXPECT_TRUE(world.selectedBlocks().empty());

    // A drag that starts on a block draws no box: its release is a click.
    world.pointAt(glm::vec3(2, 0, 0));
    world.step({}, SDL_BUTTON_LMASK);
    world.pointAt(glm::vec3(-3, 0, -2));
    world.step({}, SDL_BUTTON_LMASK);
    EXPECT_FALSE(world.host.box);
    world.step();
    world.step();
    EXPECT_EQ(world.data().mode, Game::EditorMode::idle);

    // Escape ends a box select: the release selects nothing and no pause menu opens.
    world.pointAt(glm::vec3(2, 0, 0));
    world.click();
    world.pointAt(glm::vec3(-3, 0, -2));
    world.step({}, SDL_BUTTON_LMASK);
    world.pointAt(glm::vec3(3, 0, 2));
    world.step({}, SDL_BUTTON_LMASK);
    world.step({SDL_SCANCODE_ESCAPE}, SDL_BUTTON_LMASK);
    EXPECT_FALSE(world.host.box);
    world.step();
    world.step();
    EXPECT_EQ(world.selectedBlocks(), std::vector<ECS::EntityId>{right});
    EXPECT_EQ(world.host.pauseMenus, 0);
}
