#include "game/filebrowser/folderlisting.h"

#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

using NameList = std::vector<std::string>;

TEST(FolderListing, FoldersAndFilesEachSortedByNameWithoutHiddenNames)
{
    const TestSupport::TempDir dir;
    for (const char* name : {"b.rmap", "A.rmap", "c.txt", "a.rmap", ".hidden.rmap", ".b.rmap.tmp-x1y2z3", "Zeta"})
        dir.write(name, "x");
    for (const char* name : {"maps", "Archive", ".config"})
        std::filesystem::create_directory(dir.path() / name);
    std::filesystem::create_directory_symlink(dir.path() / "maps", dir.path() / "linked");
    std::filesystem::create_symlink(dir.path() / "gone", dir.path() / "dangling");

    const UI::FolderListing listing = UI::listFolder(dir.path());
    ASSERT_TRUE(listing.ok) << listing.problem;
    EXPECT_EQ(listing.folders, (NameList{"Archive", "linked", "maps"}));
    EXPECT_EQ(listing.files, (NameList{"A.rmap", "a.rmap", "b.rmap", "c.txt", "dangling", "Zeta"}));

    const UI::FolderListing maps = UI::listFolder(dir.path(), {"rmap"});
    EXPECT_EQ(maps.folders, listing.folders) << "folders are never filtered";
    EXPECT_EQ(maps.files, (NameList{"A.rmap", "a.rmap", "b.rmap"}));
    EXPECT_EQ(UI::lowerCaseExtension("Level.RMAP"), "rmap");

    std::vector<std::string> numbered{"level10", "level2", "level1b", "level01", "level1", "Level3", "level"};
    std::sort(numbered.begin(), numbered.end(), UI::namesInOrder);
    EXPECT_EQ(numbered, (NameList{"level", "level01", "level1", "level1b", "level2", "Level3", "level10"}));
    EXPECT_EQ(UI::lowerCaseExtension("level"), "");
}

TEST(FolderListing, AFolderThatCannotBeReadFailsWithoutThrowing)
{
    const TestSupport::TempDir dir;
    const auto missing = UI::listFolder(dir.path() / "removed");
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.problem.find("removed"), std::string::npos) << missing.problem;
    EXPECT_TRUE(missing.files.empty() && missing.folders.empty());

    EXPECT_FALSE(UI::listFolder(dir.write("file.rmap", "x")).ok) << "a file is no folder";
}

TEST(FolderListing, EntriesWithoutAStatusAreLeftOutAndTheRestListed)
{
    const TestSupport::TempDir dir;
    dir.write("level.rmap", "x");
    std::filesystem::create_directory(dir.path() / "maps");
    std::filesystem::create_symlink("self", dir.path() / "self");
    std::filesystem::create_symlink("second", dir.path() / "first");
    std::filesystem::create_symlink("first", dir.path() / "second");

    testing::internal::CaptureStdout();
    const UI::FolderListing listing = UI::listFolder(dir.path());
    const std::string console = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(listing.ok) << listing.problem;
    EXPECT_EQ(listing.folders, NameList{"maps"});
    EXPECT_EQ(listing.files, NameList{"level.rmap"});
    EXPECT_NE(console.find("self"), std::string::npos) << console;
}
