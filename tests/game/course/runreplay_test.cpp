// A run recorded through the player and physics, replayed from its record's input tape in a
// fresh world, must reproduce every position and the time to the step.
#include "game/course/courserun.h"
#include "game/course/runrecorder.h"
#include "game/course/runrecord.h"
#include "tests/game/player/playertestworld.h"

#include <gtest/gtest.h>

using Game::StepInput;

namespace {

Game::Gate gate(Game::GateKind kind, glm::vec3 center, glm::vec3 halfExtents)
{
    Game::Gate g;
    g.kind = kind;
    g.box.center = center;
    g.box.halfExtents = halfExtents;
    return g;
}

// Start around the spawn, a checkpoint 12 units ahead, the finish 30 units ahead.
Game::Course straightCourse()
{
    Game::Course course;
    course.add(gate(Game::GateKind::Start, {0, 0, 1}, {1, 2, 2}));
    course.add(gate(Game::GateKind::Checkpoint, {12, 0, 1}, {0.05f, 20, 20}));
    course.add(gate(Game::GateKind::Finish, {30, 0, 1}, {0.05f, 20, 20}));
    return course;
}

// The scripted input of step `i`: run forward, jump now and then, look around a little, fire
// and hold the rope at a block above, reel a notch.
StepInput scripted(int i)
{
    StepInput input;
    input.bits = StepInput::Forward | (i % 90 < 8 ? StepInput::Jump : 0) | (i % 60 < 25 ? StepInput::Rope : 0)
        | ((i - 1) % 60 < 25 && i > 0 ? StepInput::RopeBefore : 0);
    input.dx = (i % 40) < 20 ? 2 : -2;
    input.dy = i < 10 ? -20 : 0;
    input.wheel = i % 75 == 30 ? 1 : 0;
    return input;
}

struct Played {
    std::vector<glm::vec3> positions;
    uint32_t time = 0;
    bool finished = false;
    bool swung = false; // the rope held on to the block at some step
};

// Plays `inputs` from the start in a fresh world, recording into `recorder` when given.
Played play(const std::vector<StepInput>& inputs, Game::RunRecorder* recorder)
{
    PlayerTest::PlayerWorld world;
    world.addBlock({20, 0, 14}, {6, 6, 0.5f});
    world.placeAt(0, 0);
    world.look(0.0f);
    Game::CourseRun run(straightCourse());
    if (recorder)
        recorder->restart(Game::GhostSample{world.position()});
    Played played;
    for (const StepInput& input : inputs) {
        auto& camera = world.camera();
        const Game::CameraMath::LookAngles look = Game::CameraMath::mouseLook(camera.yaw, camera.pitch, input.dx, input.dy, {});
        camera.yaw = look.yaw;
        camera.pitch = look.pitch;
        world.input = input.playerInput();
        const glm::vec3 from = world.position();
        world.tick();
        played.positions.push_back(world.position());
        played.swung = played.swung || world.body().attached;
        if (recorder)
            recorder->step(input, Game::GhostSample{world.position(), camera.yaw, world.body().attached, world.body().anchor});
        if (run.step(from, world.position()) == Game::RunEvent::Finished)
            break;
    }
    played.time = run.elapsedSteps();
    played.finished = run.phase() == Game::RunPhase::Finished;
    return played;
}

} // namespace

TEST(RunReplay, TheRecordsInputReproducesTheRunToTheStep)
{
    std::vector<StepInput> script;
    for (int i = 0; i < 1500; ++i)
        script.push_back(scripted(i));
    Game::RunRecorder recorder;
    const Played first = play(script, &recorder);
    ASSERT_TRUE(first.finished) << "the scripted run should reach the finish";
    EXPECT_TRUE(first.swung);
    EXPECT_GT(first.time, 100u);
    const std::optional<Game::RunRecord> record = recorder.record(1, Game::RunTimes{first.time, {}}, {});
    ASSERT_TRUE(record);
    EXPECT_EQ(record->inputSteps, first.positions.size());

    std::vector<StepInput> tape;
    size_t position = 0;
    StepInput input;
    while (Game::RunInput::next(record->input, position, input))
        tape.push_back(input);
    ASSERT_EQ(tape.size(), record->inputSteps);
    const Played replayed = play(tape, nullptr);
    EXPECT_TRUE(replayed.finished);
    EXPECT_EQ(replayed.time, first.time);
    EXPECT_TRUE(replayed.positions == first.positions) << "the replay left the recorded path";
}
