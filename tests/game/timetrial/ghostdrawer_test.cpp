#include "game/timetrial/ghostdrawer.h"

#include "game/course/checksum.h"
#include "game/course/coursefile.h"
#include "game/course/runinput.h"
#include "game/course/runrecords.h"
#include "game/gamemap/mapfile.h"
#include "game/menu/optionsscreen.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/timetrial/timetrialplay.h"
#include "tests/support/gameharness.h"
#include "tests/support/tempdir.h"
#include "tests/support/vecnear.h"

#include <gtest/gtest.h>

#include <cmath>

using Game::GhostDrawer;
using Game::GhostPlace;

TEST(GhostDrawerTest, TheFigureStandsUnderTheBodyFacingItsYawAsTallAsThePlayer)
{
    GhostPlace place;
    place.position = {3.0f, -2.0f, 5.0f};
    place.yaw = 90.0f; // facing +y
    const glm::mat4 model = GhostDrawer::figureModel(place);
    const auto at = [&](const glm::vec3& p) { return glm::vec3(model * glm::vec4(p, 1.0f)); };
    const glm::vec3 feet = at(glm::vec3(0.0f));
    const glm::vec3 head = at({0.0f, 0.0f, GhostDrawer::kModelHeight});
    TestSupport::expectVecNear(glm::vec3(feet.x, feet.y, 0.0f), {3.0f, -2.0f, 0.0f});
    EXPECT_NEAR((feet.z + head.z) / 2.0f, 5.0f, 1e-5f) << "the body's centre is the figure's middle";
    EXPECT_NEAR(head.z - feet.z, 1.01f, 1e-3f) << "the player's capsule is 1.01 tall";
    // The figure's front (+y in its model) faces the yaw; yaw 0 faces +x.
    TestSupport::expectVecNear(glm::normalize(at({0.0f, 1.0f, 0.0f}) - feet), {0.0f, 1.0f, 0.0f});
    place.yaw = 0.0f;
    const glm::mat4 east = GhostDrawer::figureModel(place);
    TestSupport::expectVecNear(glm::normalize(glm::vec3(east * glm::vec4(0.0f, 1.0f, 0.0f, 0.0f))), {1.0f, 0.0f, 0.0f});
}

TEST(GhostDrawerTest, FadesOutAsTheCameraComesClose)
{
    EXPECT_EQ(GhostDrawer::opacityAt(0.0f), 0.0f);
    EXPECT_EQ(GhostDrawer::opacityAt(GhostDrawer::kHiddenDistance), 0.0f);
    const float halfWay = (GhostDrawer::kHiddenDistance + GhostDrawer::kFadeDistance) / 2.0f;
    EXPECT_NEAR(GhostDrawer::opacityAt(halfWay), 0.5f, 1e-5f);
    EXPECT_EQ(GhostDrawer::opacityAt(GhostDrawer::kFadeDistance), 1.0f);
    EXPECT_EQ(GhostDrawer::opacityAt(500.0f), 1.0f);
    EXPECT_EQ(GhostDrawer::opacityAt(std::nanf("")), 0.0f);
}

namespace {

// The real game playing a course with a stored best run whose ghost stands 4 units ahead of the
// start, facing the player.
class GhostFrameTest : public TestSupport::GameHarness {
protected:
    std::filesystem::path writeCourse()
    {
        const std::filesystem::path path = dir.path() / "ghostly.rmap";
        EXPECT_TRUE(Game::MapFile::writeFile(path, {Game::QubeRecord{{0.0f, -20.0f, 0.5f}}}).ok());
        Game::CourseDocument document;
        document.mapName = "ghostly";
        document.mapChecksum = Game::Checksum::fnv1a64(TestSupport::fileBytes(path));
        const glm::quat level(1.0f, 0.0f, 0.0f, 0.0f);
        document.course.add({Game::GateKind::Start, 0, {{0.0f, 0.0f, 1.0f}, {1.0f, 2.0f, 2.0f}, level}});
        document.course.add({Game::GateKind::Finish, 0, {{8.0f, 0.0f, 1.0f}, {0.5f, 2.0f, 2.0f}, level}});
        EXPECT_TRUE(Game::CourseFile::writeFile(Game::CourseFile::pathFor(path), document));
        courseKey = Game::RunRecords::courseKey(document.course, document.mapChecksum);
        return path;
    }

    std::filesystem::path writeCourseWithBest()
    {
        const std::filesystem::path path = writeCourse();
        Game::RunRecord best;
        best.courseKey = courseKey;
        best.times.total = 8;
        best.inputSteps = 8;
        for (uint32_t i = 0; i < best.inputSteps; ++i)
            Game::RunInput::append(best.input, Game::StepInput{});
        best.ghostInterval = 4;
        Game::GhostSample standing;
        standing.position = {4.0f, 0.0f, 1.0f};
        standing.yaw = 180.0f;
        best.ghost.assign(3, standing);
        EXPECT_TRUE(Game::RunRecords::storeIfBest(Game::RunRecords::folder(), best));
        return path;
    }

    glm::vec3 playerAt()
    {
        return game().world().getComponent<Component::CharacterControllerComponent>(game().playerEntity()).position();
    }

    // The middle of the view, where the ghost stands, from the scene image.
    std::vector<Pixel> middleOfView()
    {
        const glm::ivec2 size = game().targetSize();
        return readPixels(0, size.x / 2 - 20, size.y / 2 - 60, 40, 80);
    }

    TestSupport::TempDir dir;
    uint64_t courseKey = 0;
};

// How much bluer than red `pixel` is.
int blueness(const TestSupport::GameHarness::Pixel& pixel) { return int(pixel[2]) - int(pixel[0]); }

// The pixels of `seen` clearly bluer than the same pixels of `plain`.
int tintedPixels(const std::vector<TestSupport::GameHarness::Pixel>& seen,
                 const std::vector<TestSupport::GameHarness::Pixel>& plain)
{
    int tinted = 0;
    for (size_t i = 0; i < seen.size() && i < plain.size(); ++i)
        tinted += blueness(seen[i]) > blueness(plain[i]) + 20 ? 1 : 0;
    return tinted;
}

} // namespace

TEST_F(GhostFrameTest, TheBestRunsGhostIsDrawnInItsTintUnlessSwitchedOff)
{
    ASSERT_TRUE(game().timeTrialPlay().play(writeCourseWithBest()));
    ASSERT_NE(game().timeTrialPlay().ghost(), nullptr);
    ASSERT_TRUE(game().settings().ghost) << "on by default";
    runUpdates(2);
    const std::vector<Pixel> withGhost = middleOfView();

    ASSERT_TRUE(game().options().setGhost(false));
    runUpdates(1);
    const std::vector<Pixel> without = middleOfView();

    EXPECT_GT(tintedPixels(withGhost, without), 40) << "the pale blue figure stands in the middle of the view";

    // Switched on again it is back; back in the menu there is none.
    ASSERT_TRUE(game().options().setGhost(true));
    runUpdates(1);
    EXPECT_GT(tintedPixels(middleOfView(), without), 40);
    game().timeTrialPlay().end();
    EXPECT_EQ(game().timeTrialPlay().ghost(), nullptr);
}

TEST_F(GhostFrameTest, AFinishedRunIsRacedFromTheNextRestartStepForStep)
{
    ASSERT_TRUE(game().timeTrialPlay().play(writeCourse()));
    EXPECT_EQ(game().timeTrialPlay().ghost(), nullptr) << "a course never finished has no ghost";
    const auto phase = [&] { return game().timeTrialPlay().current()->run().phase(); };
    // W held from the first step (undrawn updates keep the last step's input).
    setKey(SDL_SCANCODE_W, true);
    runUpdates(1);
    for (int i = 0; i < 500 && phase() != Game::RunPhase::Finished; ++i)
        runUndrawnUpdates(1);
    setKey(SDL_SCANCODE_W, false);
    ASSERT_EQ(phase(), Game::RunPhase::Finished);
    const uint32_t bestSteps = game().timeTrialPlay().current()->run().elapsedSteps();
    EXPECT_EQ(game().timeTrialPlay().ghost(), nullptr) << "the run just finished is raced from the restart";

    setKey(SDL_SCANCODE_R, true);
    runUpdates(1);
    setKey(SDL_SCANCODE_R, false);
    const Game::Ghost* ghost = game().timeTrialPlay().ghost();
    ASSERT_NE(ghost, nullptr);
    // It waits where its timer started, at the start gate's edge.
    const glm::vec3 waiting = ghost->place(1.0f).position;
    EXPECT_NEAR(waiting.x, 1.0f, 0.5f);

    // The same input again: the ghost waits for the player's timer, then runs beside the player
    // step for step (up to its last sample, a few steps before the finish).
    setKey(SDL_SCANCODE_W, true);
    runUpdates(1);
    int running = 0;
    const auto nearTheFinish = [&] { return game().timeTrialPlay().current()->run().elapsedSteps() + 4 > bestSteps; };
    for (int step = 0; step < 300 && !nearTheFinish(); ++step) {
        runUndrawnUpdates(1);
        if (phase() == Game::RunPhase::Waiting) {
            ASSERT_EQ(ghost->place(1.0f).position, waiting) << "step " << step;
            continue;
        }
        ++running;
        ASSERT_LT(glm::distance(ghost->place(1.0f).position, playerAt()), 0.1f) << "step " << step;
    }
    setKey(SDL_SCANCODE_W, false);
    EXPECT_GT(running, 50) << "the run to the finish";
}
