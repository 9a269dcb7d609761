#pragma once
// Re-plays a stored run without a window: a world of the map's blocks, the floor and the player,
// set up and stepped as the game steps play (the mouse look, the player's tick, one physics step,
// the refresh), fed each step's input from the record's tape from the restart on, with the
// course's gates timing the run. Because the step is fixed, a record of the game replays to its
// time exactly.
#include "game/course/course.h"
#include "game/course/courserun.h"
#include "game/course/runrecord.h"
#include "game/transform/transformcomponent.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Game::RunReplay {

struct Result {
    // Empty when the tape was replayed; otherwise why it could not be.
    std::string problem;
    bool finished = false; // the replayed run crossed the finish
    RunTimes times;        // of the replayed run: steps to the finish (or to the tape's end)
    uint32_t stepsPlayed = 0;

    bool ok() const { return problem.empty(); }
};

// Replays `record` on a map of `blocks` with `course`, which must be playable.
Result replay(const std::vector<Component::TransformComponent>& blocks, const Course& course, const RunRecord& record);

} // namespace Game::RunReplay
