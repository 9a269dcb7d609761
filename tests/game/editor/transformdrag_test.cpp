#include "game/editor/transformdrag.h"

#include "game/editor/editordatacomponent.h"
#include "tests/support/vecnear.h"

#include <glm/gtc/constants.hpp>

#include <gtest/gtest.h>

using namespace Game::TransformDrag;
using Game::BlockPose;
namespace Tool = Game::EditorTool;
namespace Pivot = Game::EditorPivot;
namespace Handle = Game::EditorHandle;

using TestSupport::expectVecNear;

namespace {

constexpr float kDragTolerance = 1e-4f;

// A camera at (0, -20, 0) looking along +y with z up; rays aimed at world points.
DragRay rayAt(const glm::vec3& target, const glm::vec3& eye = {0, -20, 0})
{
    return DragRay{eye, glm::normalize(target - eye), {0, 1, 0}, {0, 0, 1}};
}

// One whole drag: press aimed at `from`, pointer now at `to`; answers the block's new place.
std::optional<BlockPose> drag(std::uint32_t tool, std::int32_t handle, std::uint32_t pivot, const DragFrame& frame,
                              const BlockPose& saved, const glm::vec3& from, const glm::vec3& to)
{
    DragAnchor anchor;
    takeAnchor(anchor, frame, handle, intersectPlanes(frame, handle, rayAt(from)));
    const GizmoPose start{frame.centre, frame.rotation, glm::vec3(1.0f)};
    const DragHits hits = intersectPlanes(frame, handle, rayAt(to));
    const GizmoPose gizmo = dragGizmo(tool, handle, frame, anchor, hits, start);
    const auto change = selectionChange(tool, handle, frame, anchor, hits, gizmo, rayAt(to));
    if (!change)
        return std::nullopt;
    return rebuildPlace(saved, *change, tool, handle, pivot, frame);
}

const BlockPose kBlock{{2, 0, 0}, {1, 2, 3}, {1, 0, 0, 0}};

} // namespace

TEST(TransformDrag, RotateTurnsAboutTheGizmoOrEachBlock)
{
    // A quarter turn about z, seen from above: the camera at (0, 0, 20) looking down.
    const DragFrame frame = DragFrame::fromMatrix(glm::mat4(1.0f));
    const glm::vec3 eye(0, 0, 20);
    const DragRay press{eye, glm::normalize(glm::vec3(1, 0, -20)), {0, 0, -1}, {0, 1, 0}};
    DragAnchor anchor;
    takeAnchor(anchor, frame, Handle::z, intersectPlanes(frame, Handle::z, press));
    const DragRay now{eye, glm::normalize(glm::vec3(0, 1, -20)), {0, 0, -1}, {0, 1, 0}};
    const DragHits hits = intersectPlanes(frame, Handle::z, now);
    const GizmoPose gizmo = dragGizmo(Tool::rotate, Handle::z, frame, anchor, hits, GizmoPose{});
    const auto change = selectionChange(Tool::rotate, Handle::z, frame, anchor, hits, gizmo, now);
    ASSERT_TRUE(change);
    const auto global = rebuildPlace(kBlock, *change, Tool::rotate, Handle::z, Pivot::global, frame);
    expectVecNear(global->position, {0, 2, 0}, kDragTolerance);
    expectVecNear(global->rotation * glm::vec3(1, 0, 0), {0, 1, 0}, kDragTolerance);
    const auto local = rebuildPlace(kBlock, *change, Tool::rotate, Handle::z, Pivot::local, frame);
    expectVecNear(local->position, kBlock.position, kDragTolerance);
    expectVecNear(local->rotation * glm::vec3(1, 0, 0), {0, 1, 0}, kDragTolerance);
}

TEST(TransformDrag, ScaleGrowsAlongTheGizmoAxesAndNeverBelowATenth)
{
    // A gizmo turned a quarter about z ("NORMAL"): its x axis is the world's y.
    const glm::quat turned = glm::angleAxis(glm::half_pi<float>(), glm::vec3(0, 0, 1));
    const DragFrame frame = DragFrame::fromMatrix(glm::mat4_cast(turned));
    DragAnchor anchor;
    takeAnchor(anchor, frame, Handle::x, intersectPlanes(frame, Handle::x, rayAt({0, 1, 0}, {20, 0, 0})));
    const DragRay now = rayAt({0, 3, 0}, {20, 0, 0});
    const DragHits hits = intersectPlanes(frame, Handle::x, now);
    const GizmoPose gizmo = dragGizmo(Tool::scale, Handle::x, frame, anchor, hits, GizmoPose{{}, turned, {1, 1, 1}});
    const auto change = selectionChange(Tool::scale, Handle::x, frame, anchor, hits, gizmo, now);
    ASSERT_TRUE(change);
    const BlockPose onY{{0, 4, 0}, {1, 1, 1}, turned};
    const auto local = rebuildPlace(onY, *change, Tool::scale, Handle::x, Pivot::local, frame);
    expectVecNear(local->scale, {3, 1, 1}, kDragTolerance);
    expectVecNear(local->position, onY.position, kDragTolerance);
    const auto global = rebuildPlace(onY, *change, Tool::scale, Handle::x, Pivot::global, frame);
    expectVecNear(global->position, {0, 6, 0}, kDragTolerance);

    const auto shrunk = drag(Tool::scale, Handle::x, Pivot::local, DragFrame::fromMatrix(glm::mat4(1.0f)), kBlock,
                             {3, 0, 0}, {0.2f, 0, 0});
    ASSERT_TRUE(shrunk);
    EXPECT_EQ(shrunk->scale.x, kMinScale);

    // The centre handle adds the pointer's height above the centre to every axis.
    const auto all = drag(Tool::scale, Handle::centre, Pivot::local, DragFrame::fromMatrix(glm::mat4(1.0f)), kBlock,
                          {0, 0, 0}, {0, 0, 1.5f});
    expectVecNear(all->scale, kBlock.scale + glm::vec3(1.5f), kDragTolerance);
}

TEST(TransformDrag, AnEdgeOnPlaneLeavesTheBlocksWhereTheyAre)
{
    const DragFrame frame = DragFrame::fromMatrix(glm::mat4(1.0f));
    // Looking straight down the x axis: the axis plane is edge-on, nothing is hit.
    const DragRay along{{-20, 0, 0}, {1, 0, 0}, {1, 0, 0}, {0, 0, 1}};
    const DragHits hits = intersectPlanes(frame, Handle::x, along);
    EXPECT_FALSE(hits.axisPoint);
    const GizmoPose before{{1, 2, 3}, {1, 0, 0, 0}, {1, 1, 1}};
    const GizmoPose after = dragGizmo(Tool::translate, Handle::x, frame, DragAnchor{}, hits, before);
    EXPECT_EQ(after.position, before.position);
    EXPECT_FALSE(selectionChange(Tool::scale, Handle::x, frame, DragAnchor{}, hits, after, along));

    const DragRay parallel{{0, -20, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    EXPECT_FALSE(intersectPlanes(frame, Handle::centre, parallel).viewPoint);
}

TEST(TransformDrag, GizmoStandsAtTheMeanTurnedLikeTheNewestCopyWhenAskedTo)
{
    const glm::quat turned = glm::angleAxis(1.0f, glm::vec3(0, 0, 1));
    const std::vector<std::pair<std::uint32_t, BlockPose>> two{{5, {{0, 0, 0}, {1, 1, 1}, {1, 0, 0, 0}}},
                                                               {9, {{2, 4, 6}, {1, 1, 1}, turned}}};
    const auto world = gizmoForSelection(two, Tool::translate, Game::EditorOrientation::world);
    ASSERT_TRUE(world);
    EXPECT_EQ(world->position, glm::vec3(1, 2, 3));
    EXPECT_EQ(world->rotation, glm::quat(1, 0, 0, 0));
    EXPECT_EQ(gizmoForSelection(two, Tool::translate, Game::EditorOrientation::normal)->rotation, turned);
    const std::vector<std::pair<std::uint32_t, BlockPose>> one{two[1]};
    EXPECT_EQ(gizmoForSelection(one, Tool::scale, Game::EditorOrientation::world)->rotation, turned);
    EXPECT_FALSE(gizmoForSelection({}, Tool::scale, Game::EditorOrientation::world));
}
