#include "engine/fileutil/atomicwrite.h"

#include "engine/fileutil/fileutil.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::string contentOf(const fs::path& path)
{
    std::string bytes;
    EXPECT_TRUE(Engine::readFileBytes(path, bytes));
    return bytes;
}

size_t entriesIn(const fs::path& folder)
{
    return size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

} // namespace

TEST(AtomicWrite, CreatesAndReplacesFilesLeavingNothingBehind)
{
    TestSupport::TempDir dir;
    const fs::path path = dir.path() / "map.rmap";
    ASSERT_TRUE(Engine::writeFileAtomically(path, "first", 5));
    EXPECT_EQ(contentOf(path), "first");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(Engine::writeFileAtomically(path, "second!", 7));
    EXPECT_EQ(contentOf(path), "second!");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::mask, fs::perms(0640)) << "permissions kept";
    ASSERT_TRUE(Engine::writeFileAtomically(path, nullptr, 0));
    EXPECT_EQ(fs::file_size(path), 0u);
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(AtomicWrite, WritesThroughASymbolicLink)
{
    TestSupport::TempDir dir;
    const fs::path target = dir.write("real.rmap", "old");
    const fs::path link = dir.path() / "link.rmap";
    fs::create_symlink(target, link);
    ASSERT_TRUE(Engine::writeFileAtomically(link, "new", 3));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(contentOf(target), "new");
}

TEST(AtomicWrite, FailuresReportAndKeepTheOldState)
{
    TestSupport::TempDir dir;
    std::string error;
    EXPECT_FALSE(Engine::writeFileAtomically(dir.path() / "no" / "such" / "folder.rmap", "x", 1, &error));
    EXPECT_FALSE(error.empty());

    // The name is taken by a folder that is not empty: the final rename fails.
    dir.write("taken/inside.txt", "keep");
    error.clear();
    EXPECT_FALSE(Engine::writeFileAtomically(dir.path() / "taken", "x", 1, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(contentOf(dir.path() / "taken" / "inside.txt"), "keep");
    EXPECT_EQ(entriesIn(dir.path()), 1u) << "temporary file left";

    EXPECT_FALSE(Engine::writeFileAtomically(dir.path() / "", "x", 1));
}
