#pragma once
// A timed run over the course of the map being played, as the player meets it: where the run
// starts and faces, the run itself step by step (restart, practice, saved states), the texts the
// HUD shows (the running time or "PRACTICE", the split against the best for two seconds, the
// finish with the best and "New best!"), and the console line "RUN FINISHED m:ss.cc" at the
// finish. It knows nothing of the ECS: the game hands in the player's motion and pose.
#include "game/course/course.h"
#include "game/course/courserun.h"
#include "game/course/runclock.h"

#include <glm/vec3.hpp>

#include <cstdint>
#include <optional>
#include <string>

namespace Game {

// Where and how the player stands when a run (re)starts.
struct RunSpawn {
    glm::vec3 position{0.0f}; // the start gate's centre
    float yaw = 0.0f;         // degrees: the start gate's facing, its local x axis
};

// What practice keeps at F5 and puts back at F9: the player's motion state.
struct PracticeState {
    glm::vec3 position{0.0f};
    glm::vec3 velocity{0.0f};
    float yaw = 0.0f;
    float pitch = 0.0f;
    bool roped = false;
    glm::vec3 anchor{0.0f};
    float ropeLength = 0.0f;
};

class TimeTrial {
public:
    // How long a split stays on the HUD: two seconds of steps.
    static constexpr uint32_t kSplitShownSteps = 2 * RunClock::kStepsPerSecond;

    // A trial over `course`, which must be playable (a start and a finish).
    explicit TimeTrial(const Course& course);

    // The start gate's place and facing.
    RunSpawn spawn() const { return spawn_; }
    // Starts over at the start: no time, no checkpoint, the split and finish texts gone.
    void restart();
    // One game step of the player moving from `from` to `to`; logs "RUN FINISHED m:ss.cc" when it
    // finishes the run.
    RunEvent step(const glm::vec3& from, const glm::vec3& to);

    // P: practice on or off. A run that practice touched sets no record.
    void togglePractice();
    bool practice() const { return run_.practice(); }
    // F5 and F9 in practice: keeps `state`; the kept state, none before the first F5 or when
    // practice is off.
    void saveState(const PracticeState& state);
    std::optional<PracticeState> restoreState() const;

    // The best run to beat, as stored; none for a course never finished.
    void setBest(const std::optional<RunTimes>& best);
    const std::optional<RunTimes>& best() const { return best_; }
    // True once a finished run may be stored as the new best: untouched by practice and faster
    // than the best (or the first).
    bool newBest() const { return run_.recordable() && run_.beatsBest(); }
    const CourseRun& run() const { return run_; }

    // The HUD's running time: m:ss.cc, or "PRACTICE" while practice is on.
    std::string timerText() const;
    // The split against the best run while it is shown, with whether the run is ahead there;
    // none otherwise.
    struct Split {
        std::string text;
        bool ahead = false;
    };
    std::optional<Split> split() const;
    // At the finish: "Time m:ss.cc" and "Best m:ss.cc", the best after this run (a practice run
    // is not one; "No best yet" when there is none); empty before the finish. newBest() says when
    // to add "New best!".
    std::string finishTimeText() const;
    std::string finishBestText() const;

private:
    static RunSpawn spawnOf(const Course& course);

    CourseRun run_;
    RunSpawn spawn_;
    std::optional<RunTimes> best_;
    std::optional<PracticeState> saved_;
};

} // namespace Game
