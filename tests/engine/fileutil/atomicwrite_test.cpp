#include "engine/fileutil/atomicwrite.h"

#include "engine/fileutil/fileutil.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Faults the system rarely gives on demand: while set, syncing a folder fails, or a write to a
// regular file writes nothing (leaving an unrelated errno behind).
bool failFolderSyncs = false;
bool writeNothing = false;
// Counts the syncs of regular files, to see that the writer's own sync is the real one.
int fileSyncs = 0;

bool isKind(int fd, mode_t kind)
{
    struct stat info {};
    return ::fstat(fd, &info) == 0 && (info.st_mode & S_IFMT) == kind;
}

} // namespace

// This test program's fsync and write stand in front of the C library's and pass through to
// them unless a fault above is set.
extern "C" int fsync(int fd)
{
    static const auto real = reinterpret_cast<int (*)(int)>(::dlsym(RTLD_NEXT, "fsync"));
    if (failFolderSyncs && isKind(fd, S_IFDIR)) {
        errno = EIO;
        return -1;
    }
    if (isKind(fd, S_IFREG))
        ++fileSyncs;
    return real(fd);
}

extern "C" ssize_t write(int fd, const void* bytes, size_t count)
{
    static const auto real = reinterpret_cast<ssize_t (*)(int, const void*, size_t)>(::dlsym(RTLD_NEXT, "write"));
    if (writeNothing && count > 0 && isKind(fd, S_IFREG)) {
        errno = ENOTTY;
        return 0;
    }
    return real(fd, bytes, count);
}

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

TEST(AtomicWrite, ReadOnlyFilesAreRefusedAndLeftAlone)
{
    // Tests may run as root, for whom every file is writable: the mode bits must decide.
    TestSupport::TempDir dir;
    const fs::path path = dir.write("map.rmap", "old");
    const fs::path link = dir.path() / "link.rmap";
    fs::create_symlink(path, link);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    for (const fs::path& name : {path, link}) {
        std::string error;
        EXPECT_FALSE(Engine::writeFileAtomically(name, "new", 3, &error)) << name;
        EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    }
    EXPECT_EQ(contentOf(path), "old");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::mask, fs::perms(0444));
    EXPECT_EQ(entriesIn(dir.path()), 2u);
}

TEST(AtomicWrite, SyncsTheTemporaryFileBeforeTheRename)
{
    TestSupport::TempDir dir;
    const fs::path path = dir.write("map.rmap", "old");
    int calls = 0;
    const Engine::FileSync checked = [&](int fd, const fs::path& temp) {
        ++calls;
        struct stat synced {}, named {};
        EXPECT_EQ(::fstat(fd, &synced), 0);
        EXPECT_EQ(::stat(temp.c_str(), &named), 0);
        EXPECT_EQ(synced.st_ino, named.st_ino) << "the file synced is the one named";
        EXPECT_EQ(temp.parent_path(), path.parent_path());
        EXPECT_EQ(contentOf(temp), "new") << "synced once all is written";
        EXPECT_EQ(contentOf(path), "old") << "synced before the rename";
        return ::fsync(fd) == 0;
    };
    std::string error;
    ASSERT_TRUE(Engine::writeFileAtomically(path, "new", 3, &error, checked)) << error;
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(contentOf(path), "new");

    const Engine::FileSync failing = [](int, const fs::path&) {
        errno = EIO;
        return false;
    };
    EXPECT_FALSE(Engine::writeFileAtomically(path, "newer", 5, &error, failing));
    EXPECT_NE(error.find(std::strerror(EIO)), std::string::npos) << error;
    EXPECT_EQ(contentOf(path), "new");
    EXPECT_EQ(entriesIn(dir.path()), 1u) << "temporary file left";

    fileSyncs = 0;
    ASSERT_TRUE(Engine::writeFileAtomically(path, "newest", 6));
    EXPECT_EQ(fileSyncs, 1) << "the writer's own sync is fsync";
}

TEST(AtomicWrite, TellsWhatIsTrueWhenTheSystemFails)
{
    TestSupport::TempDir dir;
    const fs::path path = dir.write("map.rmap", "old");

    // The new content is in place before the folder sync: that is a success with a warning.
    failFolderSyncs = true;
    testing::internal::CaptureStdout();
    std::string error;
    const bool written = Engine::writeFileAtomically(path, "new", 3, &error);
    const std::string console = testing::internal::GetCapturedStdout();
    failFolderSyncs = false;
    EXPECT_TRUE(written) << error;
    EXPECT_EQ(contentOf(path), "new");
    EXPECT_NE(console.find("could not be confirmed"), std::string::npos) << console;

    // A write that writes nothing fails without blaming an unrelated error.
    writeNothing = true;
    const bool wroteNothing = Engine::writeFileAtomically(path, "newer", 5, &error);
    writeNothing = false;
    EXPECT_FALSE(wroteNothing);
    EXPECT_EQ(error.find(std::strerror(ENOTTY)), std::string::npos) << error;
    EXPECT_EQ(contentOf(path), "new");
    EXPECT_EQ(entriesIn(dir.path()), 1u);

    // Only regular files are replaced: a pipe (like a device) keeps its place.
    const fs::path pipe = dir.path() / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(Engine::writeFileAtomically(pipe, "x", 1, &error));
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(entriesIn(dir.path()), 2u);
}

TEST(AtomicWrite, RemovesItsOwnLeftoversOlderThanAMinute)
{
    TestSupport::TempDir dir;
    const auto aged = [&](const std::string& name, std::chrono::seconds age) {
        const fs::path path = dir.write(name, std::string(100, 'x'));
        fs::last_write_time(path, fs::file_time_type::clock::now() - age);
        return path;
    };
    using namespace std::chrono_literals;
    const fs::path stale = aged(".map.rmap.tmp-a1B2c3", 120s);
    const std::vector<fs::path> kept = {
        aged(".map.rmap.tmp-d4E5f6", 5s),     // may be a replace in progress
        aged(".other.rmap.tmp-a1B2c3", 120s), // another file's
        aged(".map.rmap.tmp-a1B2c", 120s),    // not the writer's pattern
        aged(".map.rmap.tmp-a1B2c3d", 120s),
        aged("map.rmap.tmp-a1B2c3", 120s),
        aged(".map.rmap.tmp-a1B2.3", 120s),
    };
    ASSERT_TRUE(Engine::writeFileAtomically(dir.path() / "map.rmap", "new", 3));
    EXPECT_FALSE(fs::exists(stale));
    for (const fs::path& path : kept)
        EXPECT_TRUE(fs::exists(path)) << path;
    EXPECT_EQ(contentOf(dir.path() / "map.rmap"), "new");
}
