#pragma once
// "Play a map": the main menu's map chooser, and the timed run over the chosen map's course while
// the player plays it. The chooser is the file browser with two tabs over it: "Courses" (those
// that ship with the game, shown first) and "My maps" (the user's map folder). The chosen map
// replaces the world's blocks, and its course (NAME.course beside it, made for these very bytes)
// turns play into a time trial: the player starts at the start gate once the map's blocks are in
// the world, R restarts at once, P switches practice (F5 keeps the player's state, F9 puts it
// back), and the HUD shows the time, the splits and the finish, then the finish panel (Retry,
// Next shipped course, Back to menu; R, N or Return, Esc). Every run is recorded, each step's
// input and the ghost's pose, and a best run is kept in the user's records folder. A map without
// a course is played freely.
#include "engine/ecs/ecstypes.h"
#include "engine/fileutil/fileutil.h"
#include "engine/config/settings.h"
#include "game/camera/cameramath.h"
#include "game/core/gamestaterecord.h"
#include "game/course/coursefile.h"
#include "game/course/runrecorder.h"
#include "game/filebrowser/uifilebrowsercomponent.h"
#include "game/timetrial/finishpanel.h"
#include "game/timetrial/ghost.h"
#include "game/timetrial/timetrialhud.h"
#include "game/timetrial/timetrial.h"

#include <glm/vec3.hpp>

#include <array>
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
    // What the time trial asks of the game.
    struct Links {
        // A map is chosen and loaded: start playing it.
        std::function<void()> startPlay;
        // "Back to menu" on the finish panel.
        std::function<void()> backToMenu;
        // The game's state record: the finish panel shows the pointer while it is up.
        GameStateRecord* state = nullptr;
        // The folder of the courses that ship with the game.
        std::filesystem::path shippedCourses;
    };
    // The chooser's tabs.
    enum class Tab : uint8_t { Courses, MyMaps };
    static constexpr const char* kCoursesTabText = "Courses";
    static constexpr const char* kMyMapsTabText = "My maps";

    static constexpr const char* kNoMapFolderText = "No folder for maps";
    static constexpr const char* kReadFailedText = "This map cannot be read";
    static constexpr int32_t kBrowserBlockerLayer = 4;
    static constexpr int32_t kPopupLayer = 6;
    // The chooser's tabs lie on the browser's layer.
    static constexpr int32_t kTabLayer = 6;

    TimeTrialPlay(Engine::EngineCore& engine, ECS::EntityManager& world, const RenderResources& resources,
                  MenuBuilder& menus, ECS::EntityId player, const CameraMath::LookSettings& look,
                  const Engine::Bindings& bindings, Links links,
                  Engine::MapFolderFinder findMapFolder = Engine::prepareUserMapFolder);

    // Opens the browser on the tab shown last (the shipped courses at first); nothing when one is
    // open already.
    void openChooser();
    // Lays the open chooser out again for the window's present size, keeping its folder and
    // choice, with its tabs right above it; nothing when none is open.
    void fitToWindow();
    // Shows the tab's folder in the open chooser.
    void showTab(Tab tab);
    // The tab's button while the chooser is open, else ECS::InvalidEntity.
    ECS::EntityId tabButton(Tab tab) const { return tabs[size_t(tab)]; }
    // How the chooser shows a map with a course of its own: by the course's name, then "best
    // m:ss.cc" when it has a record, "new" when it has none; a map without one by its file name.
    static UI::FileLabel courseLabel(const std::filesystem::path& mapPath);
    // Loads the map at `path` with its course and starts play; a map that cannot be read says so
    // in a pop-up and play does not start. True when play started.
    bool play(const std::filesystem::path& path);
    // Ends the play of the chosen map and its trial (back to the menu); the world's blocks are
    // the caller's to replace.
    void end();
    // The game created a loaded map's blocks: they are in the world from the next update on, and
    // the first run over the chosen map starts then.
    void mapLoaded();
    // The shipped course after the one being played, by name; none after the last, or when a map
    // of the user's is played.
    std::optional<std::filesystem::path> nextCourse() const;
    // Retry, Next and Back to menu: what the finish panel's buttons and keys do.
    void retry();
    void playNext();
    void backToMenu();
    const FinishPanel& finishPanel() const { return panel; }
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
    void finished();
    // True: frees and shows the pointer and stills the player, for the finish panel; false:
    // captures the pointer and gives the player control back.
    void freePointer(bool free);
    void addTabs(glm::vec2 browserTopLeft);
    bool chooserOpen() const;
    void closeTabs();
    void closeChooser();
    void storeIfBest();
    void keepState();
    void restoreState();
    std::optional<CourseDocument> courseFor(const std::filesystem::path& path, uint64_t checksum) const;

    Engine::EngineCore* engine;
    ECS::EntityManager* world;
    const RenderResources* resources;
    MenuBuilder* menus;
    ECS::EntityId player;
    Links links;
    Engine::MapFolderFinder findMapFolder;
    ECS::EntityId browser = ECS::InvalidEntity;
    std::array<ECS::EntityId, 2> tabs{ECS::InvalidEntity, ECS::InvalidEntity};
    Tab shownTab = Tab::Courses;
    std::filesystem::path userMaps;
    const CameraMath::LookSettings* look;
    const Engine::Bindings* bindings;
    std::unique_ptr<TimeTrial> trial;
    TimeTrialHud readouts;
    FinishPanel panel;
    Course runCourse;
    std::filesystem::path playedMap;
    bool chosenMap = false;
    // The chosen map's blocks are not in the world yet: the run waits at the start.
    bool awaitingMap = false;
    bool mapArrived = false;
    glm::vec3 stepFrom{0.0f};
    StepInput stepInput;
    RunRecorder recorder;
    std::filesystem::path recordsFolder;
    uint64_t courseKey = 0;
    std::optional<RunTimes> nextBest; // a new best, raced from the next restart on
    Ghost bestRun;
};

} // namespace Game
