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
    const Game::RevisionGroup newest = history.take(EditorHistory::Stack::undo);
    ASSERT_EQ(newest.size(), 1u);
    EXPECT_EQ(newest.front().type, Revision::unselect);

    // Undo and redo stacks hold twenty in all: putting back on top drops the oldest undo.
    history.put(EditorHistory::Stack::redo, newest);
    history.put(EditorHistory::Stack::undo, Game::RevisionGroup{{revisionOf(Revision::modify, {40})}});
    EXPECT_EQ(history.redoSize(), 1u);
    EXPECT_EQ(history.size(), EditorHistory::kMaxGroups - 1);
    EXPECT_EQ(history.allGroups().front().front().entries.front().recordedId, 4u);
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
}

TEST(EditorHistory, UnsavedChangesFollowTheBlocksNotTheSelection)
{
    using Stack = EditorHistory::Stack;
    EditorHistory history;
    EXPECT_FALSE(history.hasUnsavedChanges());
    history.record(revisionOf(Revision::select, {1}));
    EXPECT_FALSE(history.hasUnsavedChanges()) << "selecting changes no block";
    history.record(revisionOf(Revision::modify, {1}));
    EXPECT_TRUE(history.hasUnsavedChanges());
    history.markSaved();
    EXPECT_FALSE(history.hasUnsavedChanges());

    // Undo past the save and redo back to it.
    history.put(Stack::redo, history.take(Stack::undo));
    EXPECT_TRUE(history.hasUnsavedChanges());
    history.put(Stack::undo, history.take(Stack::redo));
    EXPECT_FALSE(history.hasUnsavedChanges());

    // The step before the save falls out of the bound: undoing all that is left reaches the
    // saved state again, never a state before it.
    for (ECS::EntityId id = 2; id <= 21; ++id)
        history.record(revisionOf(Revision::create, {id}));
    EXPECT_TRUE(history.hasUnsavedChanges());
    while (!history.empty())
        history.put(Stack::redo, history.take(Stack::undo));
    EXPECT_FALSE(history.hasUnsavedChanges());

    // Saved with an empty history, the first step falls out: undoing everything left is not the
    // saved map.
    history.clear();
    for (ECS::EntityId id = 1; id <= 21; ++id)
        history.record(revisionOf(Revision::destroy, {id}));
    while (!history.empty())
        history.put(Stack::redo, history.take(Stack::undo));
    EXPECT_TRUE(history.hasUnsavedChanges());
}
