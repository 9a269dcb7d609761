#pragma once
// "Play a map": the main menu's map chooser, and the timed run over the chosen map's course while
// the player plays it. The chooser is the file browser on the user's map folder; the chosen map
// replaces the world's blocks, and its course (NAME.course beside it, made for these very bytes)
// turns play into a time trial: the player starts at the start gate, R restarts at once, P
// switches practice (F5 keeps the player's state, F9 puts it back), and the HUD shows the time,
// the splits and the finish. Every run is recorded, each step's input and the ghost's pose, and a
// best run is kept in the user's records folder. A map without a course is played freely.
#include "engine/ecs/ecstypes.h"
#include "engine/fileutil/fileutil.h"
#include "engine/config/settings.h"
#include "game/camera/cameramath.h"
#include "game/course/coursefile.h"
#include "game/course/runrecorder.h"
#include "game/timetrial/ghost.h"
#include "game/timetrial/timetrialhud.h"
#include "game/timetrial/timetrial.h"

#include <glm/vec3.hpp>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ECS {
class EntityManager;
}
namespace Engine {
class EngineCore;
struct KeyboardState;
struct MouseState;
class GamepadState;
} // namespace Engine

namespace Game {

class MenuBuilder;
class RenderResources;

class TimeTrialPlay {
public:
    // What the chooser asks of the game once a map is chosen and loaded: start playing it.
    using StartPlay = std::function<void()>;

    static constexpr const char* kNoMapFolderText = "No folder for maps";
    static constexpr const char* kReadFailedText = "This map cannot be read";
    static constexpr int32_t kBrowserBlockerLayer = 4;
    static constexpr int32_t kPopupLayer = 6;

    TimeTrialPlay(Engine::EngineCore& engine, ECS::EntityManager& world, const RenderResources& resources,
                  MenuBuilder& menus, ECS::EntityId player, const CameraMath::LookSettings& look,
                  const Engine::Bindings& bindings, StartPlay startPlay,
                  Engine::MapFolderFinder findMapFolder = Engine::prepareUserMapFolder);

    // Opens the browser on the user's maps; nothing when one is open already.
    void openChooser();
    // What the chooser shows after a map's name: "best m:ss.cc" for a course with a record,
    // "course" for one without, nothing for a map without a course of its own.
    static std::string courseNote(const std::filesystem::path& mapPath);
    // Loads the map at `path` with its course and starts play; a map that cannot be read says so
    // in a pop-up and play does not start. True when play started.
    bool play(const std::filesystem::path& path);
    // Ends the play of the chosen map and its trial (back to the menu); the world's blocks are
    // the caller's to replace.
    void end();
    // A chosen map is being played, with or without a course.
    bool playing() const { return chosenMap; }
    // A chosen map with a course is being played.
    bool active() const { return trial != nullptr; }
    // The gates of the course being run, for drawing; null without a trial.
    const Course* course() const { return trial ? &runCourse : nullptr; }
    const TimeTrial* current() const { return trial.get(); }
    // The best run raced beside the player; null without a trial or a best run.
    const Ghost* ghost() const { return trial && bestRun.present() ? &bestRun : nullptr; }

    // Each update of play, before the player moves: the restart, practice, save and restore
    // actions (R, P, F5 and F9 unless rebound), where the player is and the step's input.
    void beforeStep(const Engine::KeyboardState& keys, const Engine::MouseState& mouse,
                    const Engine::GamepadState* pad);
    // Each update of play, after the physics step: the run's step over the player's motion, and
    // the read-outs that show it.
    void afterStep();
    const TimeTrialHud& hud() const { return readouts; }

private:
    glm::vec3 playerPosition() const;
    GhostSample playerPose() const;
    void restartRun();
    void storeIfBest();
    void keepState();
    void restoreState();
    std::optional<CourseDocument> courseFor(const std::filesystem::path& path, uint64_t checksum) const;

    Engine::EngineCore* engine;
    ECS::EntityManager* world;
    const RenderResources* resources;
    MenuBuilder* menus;
    ECS::EntityId player;
    StartPlay startPlay;
    Engine::MapFolderFinder findMapFolder;
    ECS::EntityId browser = ECS::InvalidEntity;
    const CameraMath::LookSettings* look;
    const Engine::Bindings* bindings;
    std::unique_ptr<TimeTrial> trial;
    TimeTrialHud readouts;
    Course runCourse;
    bool chosenMap = false;
    glm::vec3 stepFrom{0.0f};
    StepInput stepInput;
    RunRecorder recorder;
    std::filesystem::path recordsFolder;
    uint64_t courseKey = 0;
    std::optional<RunTimes> nextBest; // a new best, raced from the next restart on
    Ghost bestRun;
};

} // namespace Game
