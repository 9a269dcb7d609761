#pragma once
// The best run of a course, raced beside the player: where its figure stands, faces and swings
// at each moment of the player's run, and how far its running animation has gone. The ghost
// leaves the start in the step in which the player's timer starts, waits there before that,
// runs on after the player finishes and stays at its own finish after its end.
#include "game/course/courserun.h"
#include "game/course/runrecord.h"

#include <glm/vec3.hpp>

#include <cstdint>
#include <optional>
#include <vector>

namespace Game {

// Where the ghost is drawn in one frame.
struct GhostPlace {
    glm::vec3 position{0.0f}; // the recorded body's centre
    float yaw = 0.0f;         // degrees, from +x towards +y
    bool roped = false;
    glm::vec3 anchor{0.0f};   // where its rope holds, while roped
    float runningSeconds = 0.0f; // how far into the running animation its legs are
};

class Ghost {
public:
    // The ground speed (units per second) at which the running animation plays at its own pace;
    // the ghost's legs follow its speed, up to kMaxCycleRate times that pace, and rest on the rope.
    static constexpr float kCycleSpeed = 3.5f;
    static constexpr float kMaxCycleRate = 2.5f;

    // Races `best` (a stored record) from now on; none: no ghost. Only its ghost samples are kept.
    void race(const std::optional<RunRecord>& best);
    // Races `best` from the next restart on, as the run just finished is the new best.
    void raceNext(const RunRecord& best);
    // A run to race is there.
    bool present() const { return !samples.empty(); }

    // R: back at the start, waiting for the player's timer (and the new best taken up).
    void restart();
    // Once per game step, after the player's run stepped: the ghost runs while the timer runs
    // and after the run ends.
    void follow(RunPhase phase);

    // The recorded step (steps after the recorded restart, fractions allowed) that the ghost
    // shows `alpha` of the way from the last step to the next frame.
    double recordedStep(float alpha) const;
    // The ghost at recorded step `step`: its pose between the samples around it, its place at the
    // end after its end.
    GhostPlace placeAt(double step) const;
    GhostPlace place(float alpha) const { return placeAt(recordedStep(alpha)); }

private:
    // Keeps `best`'s samples and works out how far the legs have run at each.
    void take(const RunRecord& best);

    std::vector<GhostSample> samples;
    std::vector<float> cycleSeconds; // per sample: how far the running animation has gone
    uint8_t interval = 1;            // steps between two samples
    uint32_t waitSteps = 0;          // recorded steps before its timer started
    uint32_t steps = 0;              // steps since the player's timer started
    std::optional<RunRecord> next;
};

} // namespace Game
