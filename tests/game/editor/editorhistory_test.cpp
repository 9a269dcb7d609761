#include "game/editor/editorhistory.h"

#include <gtest/gtest.h>

using Game::EditorHistory;
using Game::Revision;

namespace {

Revision revisionOf(std::uint32_t type, std::initializer_list<ECS::EntityId> ids)
{
    Revision revision(type);
    for (const ECS::EntityId id : ids)
        revision.add(100 + id, id);
    return revision;
}

} // namespace

TEST(EditorHistory, KeepsTheNewestTwentyGroupsAndSkipsEmptyOnes)
{
    EditorHistory history;
    history.record(Revision(Revision::select));
    history.record(Revision(Revision::unselect), Revision(Revision::create));
    EXPECT_TRUE(history.empty());

    for (ECS::EntityId id = 1; id <= 21; ++id)
        history.record(revisionOf(Revision::modify, {id}));
    EXPECT_EQ(history.size(), EditorHistory::kMaxGroups);
    EXPECT_EQ(history.allGroups().front().front().entries.front().recordedId, 2u);

    history.record(revisionOf(Revision::unselect, {1}), Revision(Revision::create));
    const Game::RevisionGroup newest = history.takeNewest();
    ASSERT_EQ(newest.size(), 1u);
    EXPECT_EQ(newest.front().type, Revision::unselect);
}

TEST(EditorHistory, EntriesRunInAscendingIdsAndKeepTheirFirstPlace)
{
    Revision revision(Revision::destroy);
    revision.add(7, 30, Game::BlockPose{{1, 2, 3}, {1, 1, 1}, {1, 0, 0, 0}});
    revision.add(8, 10);
    revision.add(9, 30, Game::BlockPose{});
    ASSERT_EQ(revision.entries.size(), 2u);
    EXPECT_EQ(revision.entries[0].recordedId, 10u);
    EXPECT_EQ(revision.entries[0].hasMatrix, 0u);
    EXPECT_EQ(revision.entries[1].serial, 7u);
    EXPECT_EQ(revision.entries[1].pose.position, glm::vec3(1, 2, 3));
    EXPECT_EQ(Revision::consoleName(Revision::modify), "REV MODIFY");
    EXPECT_EQ(Revision::consoleName(Revision::destroy), "REV DESTROY");
}
