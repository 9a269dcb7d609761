#include "game/course/runrecords.h"

#include "game/course/checksum.h"
#include "game/course/runrecorder.h"

#include "engine/fileutil/fileutil.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>

using Game::GhostSample;
using Game::RunRecord;
using Game::RunRecorder;
using Game::StepInput;
namespace RunRecordFile = Game::RunRecordFile;
namespace RunRecords = Game::RunRecords;

namespace {

// A run of `steps` steps, the mouse looking a little every step and the rope held in the
// second half, as a recorder captures it.
RunRecord recordedRun(uint32_t steps, uint64_t key = 7)
{
    RunRecorder recorder;
    recorder.restart(GhostSample{});
    for (uint32_t i = 1; i <= steps; ++i) {
        StepInput input;
        input.bits = StepInput::Forward | (i > steps / 2 ? StepInput::Rope : 0);
        input.dx = int32_t(1 + i % 40);
        input.dy = int32_t(i % 7) - 3;
        GhostSample pose;
        pose.position = {float(i) * 0.1f, 2.0f, -float(i) * 0.01f};
        pose.yaw = float(i % 360);
        pose.roped = i > steps / 2;
        pose.anchor = {50.0f, 3.0f, 20.0f};
        recorder.step(input, pose);
    }
    const std::optional<RunRecord> record =
        recorder.record(key, Game::RunTimes{steps - 10, {steps / 3, steps / 2}}, {1.5f, true, 2.5f, true});
    EXPECT_TRUE(record);
    return record.value_or(RunRecord{});
}

std::string recordProblem(const std::string& bytes)
{
    return RunRecordFile::decode(bytes).problem;
}

// `record` changed by `change`, encoded (the writer stores what it is given).
std::string changed(const std::function<void(RunRecord&)>& change)
{
    RunRecord record = recordedRun(100);
    change(record);
    return RunRecordFile::encode(record);
}

// Sets an environment variable for the object's lifetime.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            saved_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { saved_ ? setenv(name_, saved_->c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> saved_;
};

} // namespace

TEST(RunRecord, ATwoMinuteRecordReadsBackWhole)
{
    const RunRecord record = recordedRun(12000);
    const std::string bytes = RunRecordFile::encode(record);
    // 12000 steps of look motion at 4 bytes, 3001 samples of 17 bytes, half with a 12-byte anchor.
    EXPECT_EQ(record.input.size(), 48000u);
    EXPECT_EQ(bytes.size(), 117076u);
    const Game::RunRecordReadResult back = RunRecordFile::decode(bytes);
    ASSERT_TRUE(back.ok()) << back.problem;
    EXPECT_EQ(back.record.courseKey, 7u);
    EXPECT_EQ(back.record.times.total, 11990u);
    EXPECT_EQ(back.record.times.splits, (std::vector<uint32_t>{4000, 6000}));
    EXPECT_EQ(back.record.look.sensitivity, 1.5f);
    EXPECT_TRUE(back.record.look.invert);
    EXPECT_EQ(back.record.look.padSensitivity, 2.5f);
    EXPECT_TRUE(back.record.look.padInvert);
    EXPECT_EQ(back.record.inputSteps, 12000u);
    EXPECT_EQ(back.record.input, record.input);
    ASSERT_EQ(back.record.ghost.size(), 3001u);
    EXPECT_EQ(back.record.ghost[3000].position, record.ghost[3000].position);
    EXPECT_TRUE(back.record.ghost[3000].roped);
    EXPECT_EQ(back.record.ghost[3000].anchor, glm::vec3(50, 3, 20));
}

TEST(RunRecord, AVersionOneRecordReadsWithThePadsDefaultLook)
{
    // Version 1 had no pad look settings: the 5 bytes after the mouse's, and its own checksum.
    const std::string current = RunRecordFile::encode(recordedRun(100));
    const size_t padAt = 5 + 1 + 8 + 4 + 2 + 2 * 4 + 4 + 1;
    std::string old = current.substr(0, padAt) + current.substr(padAt + 5, current.size() - padAt - 5 - 8);
    old[5] = 1;
    const uint64_t sum = Game::Checksum::fnv1a64(old);
    for (int shift = 56; shift >= 0; shift -= 8)
        old.push_back(char(uint8_t(sum >> shift)));
    const Game::RunRecordReadResult back = RunRecordFile::decode(old);
    ASSERT_TRUE(back.ok()) << back.problem;
    EXPECT_EQ(back.record.look.sensitivity, 1.5f);
    EXPECT_EQ(back.record.look.padSensitivity, 1.0f);
    EXPECT_FALSE(back.record.look.padInvert);
    EXPECT_EQ(back.record.input, recordedRun(100).input);
}

TEST(RunRecord, DamagedRecordsAreRefusedWithAReason)
{
    const std::string good = RunRecordFile::encode(recordedRun(100));
    ASSERT_EQ(recordProblem(good), "");
    for (size_t length = 0; length < good.size(); length += 7)
        EXPECT_NE(recordProblem(good.substr(0, length)), "") << length;
    std::string flipped = good;
    flipped[200] ^= 0x10;
    EXPECT_EQ(recordProblem(flipped), "the checksum does not match its content");

    const float nan = std::nanf("");
    const struct {
        std::string bytes;
        const char* problem;
    } cases[] = {
        {"txrum" + good.substr(5), "not a run record"},
        {good.substr(0, 5) + char(3) + good.substr(6), "version"},
        {good.substr(0, 5) + char(0) + good.substr(6), "version"},
        {good + "x", "bytes after the ghost"},
        {changed([](RunRecord& r) { r.times.total = 0; }), "no steps"},
        {changed([](RunRecord& r) { r.times.total = 101; }), "fewer input steps than the run's time"},
        {changed([](RunRecord& r) { r.times.splits = {50, 40}; }), "splits out of order"},
        {changed([](RunRecord& r) { r.times.splits = {0}; }), "splits out of order"},
        {changed([](RunRecord& r) { r.times.splits.assign(300, 1); }), "more splits"},
        {changed([nan](RunRecord& r) { r.look.sensitivity = nan; }), "look settings"},
        {changed([](RunRecord& r) { r.look.sensitivity = 0.0f; }), "look settings"},
        {changed([](RunRecord& r) { r.look.padSensitivity = -1.0f; }), "pad look settings"},
        {changed([](RunRecord& r) { r.inputSteps = 101; }), "the input of step 101 is damaged"},
        {changed([](RunRecord& r) { r.input.push_back(0); }), "more bytes than its steps"},
        {changed([](RunRecord& r) { r.ghostInterval = 0; }), "ghost interval"},
        {changed([](RunRecord& r) { r.ghost.resize(27); }), "more ghost samples"},
        {changed([nan](RunRecord& r) { r.ghost[3].position.y = nan; }), "ghost position"},
        {changed([](RunRecord& r) { r.ghost[3].position.y = 3e7f; }), "ghost position"},
        {changed([](RunRecord& r) { r.ghost[3].yaw = INFINITY; }), "facing"},
        {changed([](RunRecord& r) { r.ghost[20].anchor.x = -INFINITY; }), "rope anchor"},
    };
    for (const auto& c : cases)
        EXPECT_NE(recordProblem(c.bytes).find(c.problem), std::string::npos) << c.problem << " gave: " << recordProblem(c.bytes);
}

TEST(RunRecord, RecorderHoldsAnHourAndStopsPastIt)
{
    RunRecorder recorder;
    recorder.restart(GhostSample{});
    const GhostSample pose;
    StepInput input;
    input.dx = 1000; // two bytes each: a step of six
    input.dy = -1000;
    for (uint32_t i = 0; i < RunRecorder::kReservedSteps / 2; ++i)
        recorder.step(input, pose);
    const std::optional<RunRecord> half = recorder.record(1, {10, {}}, {});
    ASSERT_TRUE(half);
    EXPECT_EQ(half->input.size(), RunRecorder::kReservedSteps / 2 * 6);
    EXPECT_FALSE(recorder.record(1, {RunRecorder::kReservedSteps, {}}, {})); // longer than recorded

    input = StepInput{};
    for (uint32_t i = recorder.steps(); i < RunRecordFile::kMaxSteps; ++i)
        recorder.step(input, pose);
    EXPECT_TRUE(recorder.complete());
    recorder.step(input, pose);
    EXPECT_FALSE(recorder.complete());
    EXPECT_FALSE(recorder.record(1, {10, {}}, {}));
    recorder.restart(pose);
    EXPECT_TRUE(recorder.complete());
    EXPECT_EQ(recorder.steps(), 0u);
}

// A run that ends between two samples keeps its last pose, so that its ghost reaches the finish.
TEST(RunRecord, TheGhostOfARunEndingBetweenSamplesReachesItsLastPose)
{
    RunRecorder recorder;
    recorder.restart(GhostSample{});
    const uint32_t steps = 2 * RunRecorder::kGhostInterval + 1;
    for (uint32_t i = 1; i <= steps; ++i)
        recorder.step(StepInput{}, GhostSample{{float(i), 0, 0}, 0.0f, false, {}});
    const std::optional<RunRecord> record = recorder.record(1, {steps, {}}, {});
    ASSERT_TRUE(record);
    ASSERT_EQ(record->ghost.size(), 4u);
    EXPECT_EQ(record->ghost.back().position.x, float(steps));
    EXPECT_EQ(Game::ghostPoseAt(*record, 1000.0).position.x, float(steps));
    const Game::RunRecordReadResult read = Game::RunRecordFile::decode(Game::RunRecordFile::encode(*record));
    ASSERT_TRUE(read.ok()) << read.problem;
    EXPECT_EQ(read.record.ghost.size(), 4u);

    // One whole interval more: no extra sample is needed.
    for (uint32_t i = 0; i < RunRecorder::kGhostInterval - 1; ++i)
        recorder.step(StepInput{}, GhostSample{});
    EXPECT_EQ(recorder.record(1, {steps, {}}, {})->ghost.size(), 4u);
}

TEST(RunRecord, GhostPoseBlendsTheSamplesAroundAStep)
{
    RunRecord record;
    record.ghostInterval = 4;
    record.ghost = {GhostSample{{0, 0, 0}, 350.0f, false, {}}, GhostSample{{4, 8, 0}, 10.0f, true, {1, 1, 1}}};
    const GhostSample mid = Game::ghostPoseAt(record, 1.0);
    EXPECT_EQ(mid.position, glm::vec3(1, 2, 0));
    EXPECT_FLOAT_EQ(mid.yaw, 355.0f); // the short way round through 0
    EXPECT_FALSE(mid.roped);
    EXPECT_TRUE(Game::ghostPoseAt(record, 100.0).roped);
    EXPECT_EQ(Game::ghostPoseAt(record, -3.0).position, glm::vec3(0));
    EXPECT_EQ(Game::ghostPoseAt(RunRecord{}, 3.0).position, glm::vec3(0));
}

TEST(RunRecords, FolderFollowsXdgDataHomeElseHome)
{
    {
        ScopedEnv data("XDG_DATA_HOME", "/data/x");
        EXPECT_EQ(RunRecords::folder(), "/data/x/tetherix/records");
    }
    ScopedEnv relative("XDG_DATA_HOME", "relative");
    ScopedEnv home("HOME", "/home/u");
    EXPECT_EQ(RunRecords::folder(), "/home/u/.local/share/tetherix/records");
    ScopedEnv noHome("HOME", nullptr);
    EXPECT_EQ(RunRecords::folder(), "");
}

TEST(RunRecords, KeyFollowsTheMapAndTheGatesButNotTheNames)
{
    Game::Course course;
    Game::Gate start;
    start.kind = Game::GateKind::Start;
    course.add(start);
    const uint64_t key = RunRecords::courseKey(course, 1);
    EXPECT_NE(RunRecords::courseKey(course, 2), key);
    Game::Course moved = course;
    moved.setBox(0, Game::OrientedBox{{0, 0, 0.01f}});
    EXPECT_NE(RunRecords::courseKey(moved, 1), key);
    EXPECT_EQ(RunRecords::courseKey(course, 1), key);
    EXPECT_EQ(RunRecords::pathFor("/r", 0xabc), "/r/0000000000000abc.record");
}

TEST(RunRecords, OnlyAFasterRunReplacesTheBestAndDamagedOnesAreIgnored)
{
    TestSupport::TempDir dir;
    const auto folder = dir.path() / "records";
    EXPECT_FALSE(RunRecords::load(folder, 7));
    RunRecord slow = recordedRun(200);
    RunRecord fast = recordedRun(150);
    EXPECT_TRUE(RunRecords::storeIfBest(folder, slow)); // creates the folder
    EXPECT_FALSE(RunRecords::storeIfBest(folder, slow)); // level is no improvement
    EXPECT_TRUE(RunRecords::storeIfBest(folder, fast));
    EXPECT_FALSE(RunRecords::storeIfBest(folder, slow));
    ASSERT_TRUE(RunRecords::load(folder, 7));
    EXPECT_EQ(RunRecords::load(folder, 7)->times.total, 140u);

    const auto path = RunRecords::pathFor(folder, 7);
    std::string bytes;
    ASSERT_TRUE(Engine::readFileBytes(path, bytes));
    dir.write("records/" + path.filename().string(), bytes.substr(0, bytes.size() - 1));
    dir.write("records/" + RunRecords::pathFor(folder, 8).filename().string(), bytes);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(RunRecords::load(folder, 7));
    EXPECT_FALSE(RunRecords::load(folder, 8));
    EXPECT_TRUE(RunRecords::storeIfBest(folder, slow)); // over the damaged one
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "RECORD IGNORED: " + path.u8string() + ": cut short, or bytes after the ghost\n"
                   "RECORD IGNORED: " + RunRecords::pathFor(folder, 8).u8string() + ": belongs to another course\n"
                   "RECORD IGNORED: " + path.u8string() + ": cut short, or bytes after the ghost\n");
    EXPECT_EQ(RunRecords::load(folder, 7)->times.total, 190u);
}
