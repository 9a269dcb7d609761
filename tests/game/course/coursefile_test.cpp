#include "game/course/coursefile.h"

#include "engine/fileutil/fileutil.h"
#include "game/course/checksum.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using Game::CourseDocument;
using Game::Gate;
using Game::GateKind;
namespace CourseFile = Game::CourseFile;

namespace {

constexpr const char* kHead = "tetherix course 1\nmap-checksum fnv1a64 00000000000000ff\n";
constexpr const char* kBox = " 0 0 0 1 1 1 1 0 0 0\n";

Gate gate(GateKind kind, glm::vec3 center, glm::quat rotation = glm::quat(1, 0, 0, 0))
{
    Gate g;
    g.kind = kind;
    g.box.center = center;
    g.box.halfExtents = {2.0f, 3.0f, 0.25f};
    g.box.rotation = rotation;
    return g;
}

CourseDocument sample()
{
    CourseDocument doc;
    doc.mapName = "Long Swing";
    doc.author = "Ada";
    doc.mapChecksum = 0x0123456789abcdefull;
    doc.course.add(gate(GateKind::Finish, {9, 0, 0}));
    doc.course.add(gate(GateKind::Checkpoint, {2, 0, 0}, glm::normalize(glm::quat(0.9f, 0.1f, 0.3f, -0.2f))));
    doc.course.add(gate(GateKind::Start, {0.1f, 1e-7f, -3e6f}));
    Gate first = gate(GateKind::Checkpoint, {1, 0, 0});
    first.number = 1;
    doc.course.add(first);
    return doc;
}

std::string problemOf(const std::string& text)
{
    return CourseFile::read(text).problem;
}

} // namespace

TEST(Checksum, IsFnv1a64InSixteenHexDigits)
{
    using namespace Game::Checksum;
    EXPECT_EQ(fnv1a64(""), 0xcbf29ce484222325ull);
    EXPECT_EQ(fnv1a64("a"), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(fnv1a64("bar", fnv1a64("foo")), fnv1a64("foobar"));
    EXPECT_EQ(toHex(0xaf63dc4c8601ec8cull), "af63dc4c8601ec8c");
    EXPECT_EQ(toHex(255), "00000000000000ff");
    EXPECT_EQ(fromHex("AF63dc4c8601ec8c"), 0xaf63dc4c8601ec8cull);
    for (const char* bad : {"", "ff", "0x63dc4c8601ec8c", "af63dc4c8601ec8g", "af63dc4c8601ec8c0"})
        EXPECT_FALSE(fromHex(bad)) << bad;
}

TEST(CourseFile, WrittenCourseReadsBackExactly)
{
    TestSupport::TempDir dir;
    const CourseDocument doc = sample();
    const auto path = CourseFile::pathFor(dir.path() / "swing.rmap");
    EXPECT_EQ(path, dir.path() / "swing.course");
    ASSERT_TRUE(CourseFile::writeFile(path, doc));
    std::string text;
    ASSERT_TRUE(Engine::readFileBytes(path, text));
    EXPECT_EQ(text.substr(0, text.find("start")),
              "tetherix course 1\nmap Long Swing\nauthor Ada\nmap-checksum fnv1a64 0123456789abcdef\n");

    const Game::CourseReadResult back = CourseFile::readFile(path);
    ASSERT_TRUE(back.ok()) << back.problem;
    EXPECT_EQ(back.document.mapName, "Long Swing");
    EXPECT_EQ(back.document.author, "Ada");
    EXPECT_EQ(back.document.mapChecksum, doc.mapChecksum);
    EXPECT_EQ(back.document.course.summary(), "Course: start, 2 checkpoints, finish");
    EXPECT_EQ(back.document.course.start()->box.center, doc.course.start()->box.center);
    for (int n = 1; n <= 2; ++n) {
        const Game::OrientedBox& a = doc.course.checkpoint(n)->box;
        const Game::OrientedBox& b = back.document.course.checkpoint(n)->box;
        EXPECT_EQ(a.center, b.center);
        EXPECT_EQ(a.halfExtents, b.halfExtents);
        EXPECT_NEAR(std::fabs(glm::dot(a.rotation, b.rotation)), 1.0f, 1e-6f);
    }
    EXPECT_EQ(CourseFile::encode(back.document), text); // stable once written
}

TEST(CourseFile, ToleratesCommentsCrlfGapsAndUnnormalisedRotations)
{
    const std::string text = std::string("# made by hand\r\n\r\n  tetherix course 1  \r\nmap-checksum fnv1a64 00000000000000FF\r\n")
        + "checkpoint 7 5 0 0 1 1 1 1 0 0 0\r\ncheckpoint 3 3 0 0 1 1 1 0 0 0 2\r\n\tfinish" + kBox
        + "start 0 0 0 1 1 1 1e-40 0 3e38 3e38\n";
    const Game::CourseReadResult result = CourseFile::read(text);
    ASSERT_TRUE(result.ok()) << result.problem;
    const Game::Course& course = result.document.course;
    EXPECT_EQ(course.summary(), "Course: start, 2 checkpoints, finish");
    EXPECT_NEAR(course.start()->box.rotation.y, std::sqrt(0.5f), 1e-6f);
    EXPECT_EQ(course.checkpoint(1)->box.center.x, 3.0f);
    EXPECT_EQ(course.checkpoint(2)->box.center.x, 5.0f);
    EXPECT_EQ(course.checkpoint(1)->box.rotation, glm::quat(0, 0, 0, 1));
    EXPECT_EQ(result.document.mapName, "");
}

TEST(CourseFile, RefusesDamagedAndHostileTextWithAReason)
{
    const std::string head = kHead;
    std::string manyGates = head;
    for (size_t i = 0; i <= Game::Course::kMaxGates; ++i)
        manyGates += "checkpoint 1" + std::string(kBox);
    const struct {
        std::string text;
        const char* problem;
    } cases[] = {
        {"", "empty"},
        {"tetherix course 2\n", "version"},
        {"rmap\n", "not a course file"},
        {"tetherix course 1\n", "no map checksum"},
        {"tetherix course 1\nmap-checksum crc32 00000000000000ff\n", "line 2: the map checksum"},
        {"tetherix course 1\nmap-checksum fnv1a64 ff\n", "the map checksum"},
        {head + "map-checksum fnv1a64 00000000000000ff\n", "a second map checksum"},
        {head + "start" + kBox + "start" + kBox, "line 4: a second start"},
        {head + "finish" + kBox + "finish" + kBox, "a second finish"},
        {head + "checkpoint 2" + kBox + "checkpoint 2" + kBox, "two checkpoints numbered 2"},
        {head + "checkpoint 0" + kBox, "checkpoint number"},
        {head + "checkpoint 1.5" + kBox, "checkpoint number"},
        {head + "checkpoint 99999999999" + kBox, "checkpoint number"},
        {head + "start nan 0 0 1 1 1 1 0 0 0\n", "ten finite numbers"},
        {head + "start inf 0 0 1 1 1 1 0 0 0\n", "ten finite numbers"},
        {head + "start 1e39 0 0 1 1 1 1 0 0 0\n", "ten finite numbers"},
        {head + "start 0x10 0 0 1 1 1 1 0 0 0\n", "ten finite numbers"},
        {head + "start 3e7 0 0 1 1 1 1 0 0 0\n", "centre"},
        {head + "start 0 0 0 0 1 1 1 0 0 0\n", "half extents"},
        {head + "start 0 0 0 1 -1 1 1 0 0 0\n", "half extents"},
        {head + "start 0 0 0 1 1 1e6 1 0 0 0\n", "half extents"},
        {head + "start 0 0 0 1 1 1 0 0 0 0\n", "rotation"},
        {head + "start 0 0 0 1 1 1 1 0 0\n", "ten finite numbers"},
        {head + "start 0 0 0 1 1 1 1 0 0 0 0\n", "more than ten"},
        {head + "gate 0 0 0\n", "unknown item \"gate\""},
        {head + "map a\nmap b\n", "a second map name"},
        {head + "author " + std::string(129, 'x') + "\n", "longer than 128"},
        {head + "author a\x01" + "b\n", "control characters"},
        {manyGates, "more than 256 gates"},
        {head + std::string(CourseFile::kMaxFileBytes, '#'), "larger than 65536 bytes"},
    };
    for (const auto& c : cases) {
        const std::string problem = problemOf(c.text);
        EXPECT_NE(problem.find(c.problem), std::string::npos) << c.text.substr(0, 200) << " gave: " << problem;
    }
}

TEST(CourseFile, WriterRefusesWhatTheReaderWouldAndKeepsTheOldFile)
{
    TestSupport::TempDir dir;
    const auto path = dir.path() / "a.course";
    ASSERT_TRUE(CourseFile::writeFile(path, sample()));
    std::string before;
    ASSERT_TRUE(Engine::readFileBytes(path, before));

    CourseDocument bad = sample();
    Gate broken = gate(GateKind::Checkpoint, {std::nanf(""), 0, 0});
    bad.course.add(broken);
    std::string problem;
    EXPECT_FALSE(CourseFile::writeFile(path, bad, &problem));
    EXPECT_EQ(problem, "gate 4 has a centre that is not a number within the map's range");
    std::string after;
    ASSERT_TRUE(Engine::readFileBytes(path, after));
    EXPECT_EQ(after, before);
}

TEST(CourseFile, NamesAreMadeStorable)
{
    EXPECT_EQ(CourseFile::storableName("  a\nb\tc  "), "a b c");
    std::string longAccents = "y";
    for (int i = 0; i < 70; ++i)
        longAccents += "\xC3\xA9"; // é, two bytes
    const std::string name = CourseFile::storableName(longAccents);
    EXPECT_EQ(name.size(), 127u); // "y" and 63 whole characters
    CourseDocument doc = sample();
    doc.author = longAccents + "\n";
    const auto back = CourseFile::read(CourseFile::encode(doc));
    ASSERT_TRUE(back.ok()) << back.problem;
    EXPECT_EQ(back.document.author, name);
}

TEST(CourseFile, LoadsOnlyBesideTheMapBytesItWasMadeFor)
{
    TestSupport::TempDir dir;
    const auto map = dir.write("m.rmap", std::string(200000, 'a'));
    EXPECT_EQ(CourseFile::mapChecksum(map), Game::Checksum::fnv1a64(std::string(200000, 'a')));
    EXPECT_FALSE(CourseFile::mapChecksum(dir.path()));
    EXPECT_FALSE(CourseFile::loadFor(map, 1)); // no course: free play without a line

    CourseDocument doc = sample();
    doc.mapChecksum = 42;
    ASSERT_TRUE(CourseFile::writeFile(CourseFile::pathFor(map), doc));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(CourseFile::loadFor(map, 43));
    const auto loaded = CourseFile::loadFor(map, 42);
    dir.write("m.course", "tetherix course 1\nstart 1\n");
    EXPECT_FALSE(CourseFile::loadFor(map, 42));
    const std::string out = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->course.checkpointCount(), 2u);
    const std::string path = (dir.path() / "m.course").u8string();
    EXPECT_EQ(out, "COURSE NOT LOADED: " + path + ": made for other map bytes (checksum 000000000000002a, the map's is "
                       "000000000000002b); the map is played freely\n"
                       "COURSE LOADED: " + path + " (Course: start, 2 checkpoints, finish)\n"
                       "COURSE NOT LOADED: " + path + ": line 2: a gate needs ten finite numbers: centre, half "
                       "extents, rotation; the map is played freely\n");
}
