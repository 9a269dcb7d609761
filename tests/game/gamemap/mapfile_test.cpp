#include "game/gamemap/mapfile.h"

#include "engine/fileutil/fileutil.h"
#include "tests/support/homeredirect.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include <cmath>
#include <string>

using Game::MapReadStatus;
using Game::QubeRecord;
namespace MapFile = Game::MapFile;

using TestSupport::fileBytes;

namespace {

std::string bytesOf(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values)
        bytes.push_back(char(value));
    return bytes;
}

std::string be32(int64_t value)
{
    const uint32_t v = uint32_t(value);
    return bytesOf({int(v >> 24), int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF)});
}

std::string header(int32_t count)
{
    return bytesOf({4, 'r', 'm', 'a', 'p', 0}) + be32(count);
}

std::string record(std::initializer_list<int64_t> numbers)
{
    std::string bytes;
    for (int64_t number : numbers)
        bytes += be32(number);
    return bytes;
}

QubeRecord qube(glm::vec3 position, glm::vec3 scale, glm::quat rotation = glm::quat(1, 0, 0, 0))
{
    return QubeRecord{position, scale, rotation};
}

} // namespace

TEST(MapFile, EmptyMapIsTheTenByteHeader)
{
    TestSupport::TempDir dir;
    const auto path = dir.path() / "empty.rmap";
    ASSERT_TRUE(MapFile::writeFile(path, {}).ok());
    EXPECT_EQ(fileBytes(path), bytesOf({4, 0x72, 0x6D, 0x61, 0x70, 0, 0, 0, 0, 0}));
    const Game::MapReadResult map = MapFile::readFile(path);
    EXPECT_TRUE(map.ok());
    EXPECT_TRUE(map.qubes.empty());
}

TEST(MapFile, RecordsHoldTheScaledNumbersInOrder)
{
    TestSupport::TempDir dir;
    const auto path = dir.path() / "one.rmap";
    ASSERT_TRUE(MapFile::writeFile(path, {qube({1.5f, -2.25f, 0}, {1, 1, 1}), qube({0, 0, 0}, {2, 3, 4}, {0, 1, 0, 0})}).ok());
    EXPECT_EQ(fileBytes(path), header(2) + record({150, -225, 0, 100, 100, 100, 0, 0, 0, 100000000})
                                   + record({0, 0, 0, 200, 300, 400, INT32_MIN, 0, 0, 0}));
}

TEST(MapFile, RoundTripTruncatesToTwoDecimalsAndKeepsOrientation)
{
    TestSupport::TempDir dir;
    const auto path = dir.path() / "trip.rmap";
    const glm::quat turned = glm::angleAxis(0.7f, glm::normalize(glm::vec3(1, 2, 3)));
    ASSERT_TRUE(MapFile::writeFile(path, {qube({1.239f, -0.019f, 30.0f}, {1.999f, 10, 0.5f}, turned),
                                          qube({0, 0, 0}, {1, 1, 1}, {0, 1, 0, 0})}).ok());
    const Game::MapReadResult map = MapFile::readFile(path);
    ASSERT_TRUE(map.ok()) << map.problem;
    ASSERT_EQ(map.qubes.size(), 2u);
    EXPECT_FLOAT_EQ(map.qubes[0].position.x, 1.23f);
    EXPECT_FLOAT_EQ(map.qubes[0].position.y, -0.01f);
    EXPECT_FLOAT_EQ(map.qubes[0].position.z, 30.0f);
    EXPECT_FLOAT_EQ(map.qubes[0].scale.x, 1.99f);
    EXPECT_GT(std::fabs(glm::dot(map.qubes[0].rotation, turned)), 0.999999f);
    // A full turn component comes back as -1: the same orientation.
    EXPECT_EQ(map.qubes[1].rotation, glm::quat(0, -1, 0, 0));
}

TEST(MapFile, FullTurnComponentBesideSmallOnesKeepsOrientation)
{
    // x rounds to exactly 1 in single precision while y and w are not 0.
    const glm::quat nearlyHalfTurn(2e-4f, 1.0f, 3e-4f, 0.0f);
    Engine::ByteBuffer bytes(1);
    ASSERT_TRUE(MapFile::encode({qube({0, 0, 0}, {1, 1, 1}, nearlyHalfTurn)}, bytes).ok());
    const Game::MapReadResult map = MapFile::read(bytes);
    ASSERT_TRUE(map.ok()) << map.problem;
    // Stored as -q (x = -1), so every component must come back negated, not x alone.
    const glm::quat read = map.qubes[0].rotation;
    EXPECT_FLOAT_EQ(read.x, -1.0f);
    EXPECT_NEAR(read.w, -2e-4f, 1e-7f);
    EXPECT_NEAR(read.y, -3e-4f, 1e-7f);
    EXPECT_EQ(read.z, 0.0f);
}

TEST(MapFile, OutOfRangeValuesAreClampedAndNonFiniteRefused)
{
    TestSupport::TempDir dir;
    const auto path = dir.path() / "far.rmap";
    ASSERT_TRUE(MapFile::writeFile(path, {qube({3e9f, -3e9f, 0}, {0.001f, -2.0f, 1e12f})}).ok());
    const Game::MapReadResult map = MapFile::readFile(path);
    ASSERT_TRUE(map.ok()) << map.problem;
    EXPECT_FLOAT_EQ(map.qubes[0].position.x, 21474836.0f);
    EXPECT_FLOAT_EQ(map.qubes[0].position.y, -21474836.0f);
    EXPECT_FLOAT_EQ(map.qubes[0].scale.x, 0.01f);
    EXPECT_FLOAT_EQ(map.qubes[0].scale.y, 2.0f);
}

TEST(MapFile, NonFiniteValuesRefuseTheWholeMapAndWriteNothing)
{
    TestSupport::TempDir dir;
    const auto existing = dir.path() / "old.rmap";
    ASSERT_TRUE(MapFile::writeFile(existing, {qube({1, 2, 3}, {1, 1, 1})}).ok());
    const std::string before = fileBytes(existing);

    using Field = float& (*)(QubeRecord&);
    const struct {
        const char* name;
        Field field;
    } fields[] = {
        {"position x", [](QubeRecord& q) -> float& { return q.position.x; }},
        {"scale x", [](QubeRecord& q) -> float& { return q.scale.x; }},
        {"scale y", [](QubeRecord& q) -> float& { return q.scale.y; }},
        {"scale z", [](QubeRecord& q) -> float& { return q.scale.z; }},
        {"rotation x", [](QubeRecord& q) -> float& { return q.rotation.x; }},
        {"rotation y", [](QubeRecord& q) -> float& { return q.rotation.y; }},
        {"rotation z", [](QubeRecord& q) -> float& { return q.rotation.z; }},
        {"rotation w", [](QubeRecord& q) -> float& { return q.rotation.w; }},
    };
    for (const auto& f : fields) {
        for (const float bad : {NAN, INFINITY, -INFINITY}) {
            const std::string name = std::string(f.name) + " = " + std::to_string(bad);
            // The bad block comes after a good one: any block refuses the whole map.
            std::vector<QubeRecord> qubes = {qube({0, 0, 0}, {1, 1, 1}), qube({1, 1, 1}, {2, 2, 2})};
            f.field(qubes[1]) = bad;

            Engine::ByteBuffer bytes;
            const Game::MapWriteResult encoded = MapFile::encode(qubes, bytes);
            EXPECT_EQ(encoded.status, Game::MapWriteStatus::InvalidValue) << name;
            EXPECT_FALSE(encoded.problem.empty()) << name;

            const auto fresh = dir.path() / "new.rmap";
            EXPECT_EQ(MapFile::writeFile(fresh, qubes).status, Game::MapWriteStatus::InvalidValue) << name;
            EXPECT_FALSE(std::filesystem::exists(fresh)) << name;
            EXPECT_EQ(MapFile::writeFile(existing, qubes).status, Game::MapWriteStatus::InvalidValue) << name;
            EXPECT_EQ(fileBytes(existing), before) << name;
        }
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "temporary file left";
}

TEST(MapFile, DamagedFilesLoadNothing)
{
    TestSupport::TempDir dir;
    const std::string good = record({0, 0, 0, 100, 100, 100, 0, 0, 0, 100000000});
    const struct {
        const char* name;
        std::string bytes;
        MapReadStatus status;
    } cases[] = {
        {"empty", "", MapReadStatus::TooShort},
        {"short header", header(1).substr(0, 9), MapReadStatus::TooShort},
        {"five letters", bytesOf({5, 'r', 'm', 'a', 'p', 's', 0}) + be32(0), MapReadStatus::BadMagic},
        {"capitals", bytesOf({4, 'R', 'M', 'A', 'P', 0}) + be32(0), MapReadStatus::BadMagic},
        {"negative", header(-1) + good, MapReadStatus::NegativeCount},
        {"cut record", header(2) + good + good.substr(0, 39), MapReadStatus::Truncated},
        {"huge count", header(INT32_MAX), MapReadStatus::TooManyQubes},
        {"too many", header(2048) + std::string(2048 * 40, '\0'), MapReadStatus::TooManyQubes},
        {"zero scale", header(1) + record({0, 0, 0, 100, 0, 100, 0, 0, 0, 100000000}), MapReadStatus::BadQube},
        {"negative scale", header(1) + record({0, 0, 0, -5, 100, 100, 0, 0, 0, 100000000}), MapReadStatus::BadQube},
        {"zero rotation", header(2) + good + record({0, 0, 0, 1, 1, 1, 0, 0, 0, 0}), MapReadStatus::BadQube},
    };
    for (const auto& c : cases) {
        const Game::MapReadResult map = MapFile::readFile(dir.write(c.name, c.bytes));
        EXPECT_EQ(map.status, c.status) << c.name;
        EXPECT_FALSE(map.problem.empty()) << c.name;
        EXPECT_TRUE(map.qubes.empty()) << c.name;
    }
    EXPECT_EQ(MapFile::readFile(dir.path() / "missing.rmap").status, MapReadStatus::CannotOpen);
    EXPECT_EQ(MapFile::readFile(dir.path()).status, MapReadStatus::CannotOpen);
}

TEST(MapFile, TrailingBytesAreIgnoredAndRotationsNormalised)
{
    const std::string bytes = header(1) + record({0, 0, 0, 100, 100, 100, 0, 0, 0, 50000000}) + "junk";
    const Game::MapReadResult map = MapFile::read(Engine::ByteBuffer::fromBytes(bytes.data(), bytes.size()));
    ASSERT_TRUE(map.ok()) << map.problem;
    ASSERT_EQ(map.qubes.size(), 1u);
    EXPECT_EQ(map.qubes[0].rotation, glm::quat(1, 0, 0, 0));
}

TEST(MapFile, InterruptedSaveLeavesTheOldFileAlone)
{
    TestSupport::TempDir dir;
    const auto path = dir.path() / "keep.rmap";
    ASSERT_TRUE(MapFile::writeFile(path, {qube({1, 2, 3}, {1, 1, 1})}).ok());
    const std::string before = fileBytes(path);

    // A file size limit makes the write of a large map fail part-way, like a full disk.
    std::vector<QubeRecord> big(2000, qube({4, 5, 6}, {2, 2, 2}));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const Game::MapWriteResult result = MapFile::writeFile(path, big);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(result.status, Game::MapWriteStatus::CannotWrite);
    EXPECT_FALSE(result.problem.empty());
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "temporary file left";

    // A map the user made read-only is not replaced either.
    std::filesystem::permissions(path, std::filesystem::perms(0444));
    EXPECT_EQ(MapFile::writeFile(path, {}).status, Game::MapWriteStatus::CannotWrite);
    EXPECT_EQ(fileBytes(path), before);
}

TEST(MapFile, AFreshHomeWithoutDocumentsFolderSavesAndLoadsMaps)
{
    const TestSupport::HomeRedirect home;
    std::filesystem::path folder;
    ASSERT_TRUE(Engine::prepareUserMapFolder(folder));
    const auto path = folder / "first.rmap";
    ASSERT_TRUE(MapFile::writeFile(path, {qube({1, 2, 3}, {1, 1, 1})}).ok());
    const Game::MapReadResult map = MapFile::readFile(path);
    ASSERT_TRUE(map.ok()) << map.problem;
    ASSERT_EQ(map.qubes.size(), 1u);
    EXPECT_EQ(map.qubes[0].position, glm::vec3(1, 2, 3));
    EXPECT_EQ(path.parent_path().parent_path(), home.home() / "Documents");
}
