#include "game/timetrial/timetrialplay.h"

#include "engine/bytebuffer/bytebuffer.h"
#include "engine/core/enginecore.h"
#include "engine/core/keyboardstate.h"
#include "engine/core/log.h"
#include "engine/core/loopsource.h"
#include "engine/core/mousestate.h"
#include "engine/core/windowservice.h"
#include "engine/ecs/entitymanager.h"
#include "game/camera/cameracomponents.h"
#include "game/camera/camerainput.h"
#include "game/course/checksum.h"
#include "game/course/runrecords.h"
#include "game/filebrowser/filebrowser.h"
#include "game/filebrowser/folderlisting.h"
#include "game/filebrowser/uifilebrowsercomponent.h"
#include "game/gamemap/gamemap.h"
#include "game/gamemap/mapfile.h"
#include "game/gamemap/mapmessages.h"
#include "game/menu/menubuilder.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/player/controlswitches.h"
#include "game/resources/renderresources.h"
#include "game/ui/uielements.h"
#include "game/ui/windowsize.h"

#include <SDL.h>

#include <algorithm>
#include <system_error>

namespace Game {

using Component::CharacterControllerComponent;
using Component::UIfileBrowserComponent;

namespace {

// The whole file of the map at `path`, or none when it cannot be read or is larger than any map.
std::optional<std::string> readMapBytes(const std::filesystem::path& path)
{
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    std::string bytes;
    if (error || size > MapFile::kHeaderSize + MapFile::kRecordSize * MapFile::maxQubes() ||
        !Engine::readFileBytes(path, bytes))
        return std::nullopt;
    return bytes;
}

bool isFolder(const std::filesystem::path& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

// The maps with a course beside them in `folder`, in the order the chooser lists them.
std::vector<std::filesystem::path> coursesIn(const std::filesystem::path& folder)
{
    const UI::FolderListing listing = UI::listFolder(folder, {"rmap"});
    std::vector<std::filesystem::path> courses;
    std::error_code error;
    for (const std::string& name : listing.files) {
        const std::filesystem::path map = folder / std::filesystem::u8path(name);
        if (std::filesystem::is_regular_file(CourseFile::pathFor(map), error))
            courses.push_back(map);
    }
    return courses;
}

// The chooser's rectangle in a window: centred, 0.6 of its width and 0.85 of its height, leaving
// room above it for the tabs.
struct ChooserBox {
    glm::vec2 corner; // bottom left
    glm::vec2 size;
};
ChooserBox chooserBox(Engine::EngineCore& engine)
{
    const glm::vec2 window(UI::windowSize(engine));
    const glm::vec2 size = glm::floor(window * glm::vec2(0.6f, 0.85f));
    return {glm::floor((window - size) / 2.0f), size};
}

constexpr glm::vec2 kTabSize{160.0f, 36.0f};
constexpr float kTabGap = 8.0f;
constexpr glm::vec4 kTabShown{0.0f, 1.0f, 0.0f, 0.5f};
constexpr glm::vec4 kTabHidden{0.35f, 0.35f, 0.35f, 0.5f};

} // namespace

UI::FileLabel TimeTrialPlay::courseLabel(const std::filesystem::path& mapPath)
{
    // Most maps have no course: its file is looked for before the map is read and hashed, as the
    // list asks for every entry each time it is laid out.
    const std::filesystem::path coursePath = CourseFile::pathFor(mapPath);
    std::error_code error;
    if (!std::filesystem::is_regular_file(coursePath, error))
        return {};
    const CourseReadResult course = CourseFile::readFile(coursePath);
    if (!course.ok() || !course.document.course.playable())
        return {};
    const std::optional<std::string> bytes = readMapBytes(mapPath);
    if (!bytes)
        return {};
    const uint64_t checksum = Checksum::fnv1a64(*bytes);
    if (course.document.mapChecksum != checksum)
        return {};
    const std::optional<RunRecord> best =
        RunRecords::load(RunRecords::folder(), RunRecords::courseKey(course.document.course, checksum));
    const std::string note = best ? "best " + std::string(RunClock::format(best->times.total).view()) : "new";
    return {course.document.mapName, note};
}

TimeTrialPlay::TimeTrialPlay(Engine::EngineCore& engine, ECS::EntityManager& world, const RenderResources& resources,
                             MenuBuilder& menus, ECS::EntityId player, const CameraMath::LookSettings& look,
                             const Engine::Bindings& bindings, Links links, Engine::MapFolderFinder findMapFolder)
    : engine(&engine)
    , world(&world)
    , resources(&resources)
    , menus(&menus)
    , player(player)
    , links(std::move(links))
    , findMapFolder(std::move(findMapFolder))
    , look(&look)
    , bindings(&bindings)
    , readouts(world, engine, resources)
    , panel(world, engine, resources)
{
}

bool TimeTrialPlay::chooserOpen() const
{
    return browser != ECS::InvalidEntity && world->upcomingComponent<UIfileBrowserComponent>(browser) != nullptr;
}

void TimeTrialPlay::fitToWindow()
{
    if (!chooserOpen())
        return;
    const ChooserBox box = chooserBox(*engine);
    UI::FileBrowser::relayout(*world, browser, box.corner, box.size, *resources);
    const bool tabsShown = tabs[0] != ECS::InvalidEntity;
    closeTabs();
    if (tabsShown)
        addTabs(box.corner + glm::vec2(0.0f, box.size.y));
}

void TimeTrialPlay::openChooser()
{
    if (chooserOpen())
        return;
    if (!findMapFolder || !findMapFolder(userMaps))
        userMaps.clear();
    const bool shipped = isFolder(links.shippedCourses);
    if (userMaps.empty() && !shipped) {
        menus->createOKpopup(kPopupLayer, kNoMapFolderText);
        return;
    }
    if (!shipped || userMaps.empty())
        shownTab = shipped ? Tab::Courses : Tab::MyMaps;
    if (!UI::roomFor(*world, UI::FileBrowser::kMaxElements + 2, "the map chooser"))
        return;
    const glm::vec2 window(UI::windowSize(*engine));
    const ChooserBox box = chooserBox(*engine);
    UI::FileBrowserSettings settings;
    settings.mode = UI::FileBrowserSettings::kOpen;
    settings.extensions = "rmap"; // a course file is chosen with its map
    settings.fileLabel = courseLabel;
    settings.startFolder = shownTab == Tab::Courses ? links.shippedCourses : userMaps;
    Engine::EngineCore* const core = engine;
    settings.clock = [core] { return core->loopSource().ticks(); };
    settings.blocker = UI::createBlocker(*world, kBrowserBlockerLayer, resources->whiteTexture.get(), window.x, window.y);
    browser = world->createEntity();
    const ECS::EntityId opened = browser;
    settings.onConfirm = [this, opened] {
        const std::optional<std::filesystem::path> path = UI::FileBrowser::chosenFile(*world, opened);
        if (!path)
            return;
        UI::FileBrowser::close(*world, opened);
        closeChooser();
        play(*path);
    };
    settings.onCancel = [this] { closeChooser(); };
    UI::createFileBrowser(browser, *world, box.corner, box.size, *resources, std::move(settings));
    if (shipped && !userMaps.empty())
        addTabs(box.corner + glm::vec2(0.0f, box.size.y));
}

void TimeTrialPlay::addTabs(glm::vec2 browserTopLeft)
{
    const Tab order[] = {Tab::Courses, Tab::MyMaps};
    const char* const texts[] = {kCoursesTabText, kMyMapsTabText};
    glm::vec2 at = browserTopLeft + glm::vec2(0.0f, kTabGap);
    for (size_t i = 0; i < tabs.size(); ++i) {
        const Tab tab = order[i];
        const UI::ButtonStyle style{resources->whiteTexture.get(), tab == shownTab ? kTabShown : kTabHidden,
                                    UI::Palette::hoverTint, UI::Palette::pressedTint, kTabLayer};
        tabs[i] = UI::createButton(*world, kTabLayer, at, kTabSize, style,
                                   {&resources->engineFont, texts[i]}, [this, tab] { showTab(tab); });
        at.x += kTabSize.x + kTabGap;
    }
}

void TimeTrialPlay::showTab(Tab tab)
{
    if (browser == ECS::InvalidEntity || !world->hasComponent<UIfileBrowserComponent>(browser))
        return;
    shownTab = tab;
    const std::filesystem::path& folder = tab == Tab::Courses ? links.shippedCourses : userMaps;
    // Behind the new browser's first listing, which may still be on its way.
    UI::FileBrowser::openFolder(*world, browser, folder);
    for (size_t i = 0; i < tabs.size(); ++i) {
        if (tabs[i] == ECS::InvalidEntity || !world->hasComponent<Component::UIBackgroundComponent>(tabs[i]))
            continue;
        world->getComponent<Component::UIBackgroundComponent>(tabs[i]).color = i == size_t(tab) ? kTabShown : kTabHidden;
    }
}

void TimeTrialPlay::closeTabs()
{
    for (ECS::EntityId& tab : tabs) {
        if (tab != ECS::InvalidEntity)
            UI::destroyElement(*world, tab);
        tab = ECS::InvalidEntity;
    }
}

void TimeTrialPlay::closeChooser()
{
    closeTabs();
    browser = ECS::InvalidEntity;
}

std::optional<CourseDocument> TimeTrialPlay::courseFor(const std::filesystem::path& path, uint64_t checksum) const
{
    std::optional<CourseDocument> course = CourseFile::loadFor(path, checksum);
    if (course && !course->course.playable()) {
        Engine::logLine("COURSE NOT PLAYED: " + path.u8string() + ": it needs a start and a finish; the map is played freely");
        return std::nullopt;
    }
    return course;
}

bool TimeTrialPlay::play(const std::filesystem::path& path)
{
    // The course belongs to exactly the bytes that are loaded, so they are read once, whole.
    const std::optional<std::string> read = readMapBytes(path);
    const std::string bytes = read.value_or(std::string());
    MapLoadResult loaded = read ? GameMap::load(Engine::ByteBuffer::fromBytes(bytes.data(), bytes.size()))
                                : MapLoadResult{MapReadStatus::CannotOpen, "cannot be opened", {}};
    if (!loaded.ok()) {
        Engine::logLine("MAP NOT LOADED: " + path.u8string() + ": " + loaded.problem);
        menus->createOKpopup(kPopupLayer, kReadFailedText);
        return false;
    }
    Engine::logLine("MAP LOADED: " + path.u8string() + " (" + std::to_string(loaded.qubes.size()) + " blocks)");
    world->sendMessage(Message::LoadMapMessage{std::move(loaded.qubes)});
    const uint64_t checksum = Checksum::fnv1a64(bytes);
    const std::optional<CourseDocument> course = courseFor(path, checksum);
    trial = course ? std::make_unique<TimeTrial>(course->course) : nullptr;
    if (trial) {
        runCourse = course->course;
        recordsFolder = RunRecords::folder();
        courseKey = RunRecords::courseKey(course->course, checksum);
        const std::optional<RunRecord> best = RunRecords::load(recordsFolder, courseKey);
        trial->setBest(best ? std::optional<RunTimes>(best->times) : std::nullopt);
        bestRun.race(best);
    }
    chosenMap = true;
    playedMap = path;
    panel.close();
    if (links.startPlay)
        links.startPlay();
    if (trial) {
        // The player waits at the start until the map's blocks are in the world (the next
        // update or the one after), so that no step of the run meets the blocks before them.
        restartRun();
        awaitingMap = true;
        mapArrived = false;
    }
    return true;
}

void TimeTrialPlay::end()
{
    panel.close();
    readouts.hide();
    trial.reset();
    chosenMap = false;
    awaitingMap = false;
}

void TimeTrialPlay::mapLoaded()
{
    mapArrived = awaitingMap;
}

std::optional<std::filesystem::path> TimeTrialPlay::nextCourse() const
{
    if (!chosenMap || playedMap.parent_path().lexically_normal() != links.shippedCourses.lexically_normal())
        return std::nullopt;
    const std::vector<std::filesystem::path> courses = coursesIn(links.shippedCourses);
    const auto at = std::find_if(courses.begin(), courses.end(), [this](const std::filesystem::path& course) {
        return course.filename() == playedMap.filename();
    });
    if (at == courses.end() || at + 1 == courses.end())
        return std::nullopt;
    return *(at + 1);
}

void TimeTrialPlay::retry()
{
    if (trial)
        restartRun();
}

void TimeTrialPlay::playNext()
{
    const std::optional<std::filesystem::path> next = nextCourse();
    if (!next)
        return;
    const bool wasShown = panel.shown();
    if (play(*next) && wasShown)
        freePointer(false);
}

void TimeTrialPlay::backToMenu()
{
    if (links.backToMenu)
        links.backToMenu();
}

glm::vec3 TimeTrialPlay::playerPosition() const
{
    if (!world->hasComponent<CharacterControllerComponent>(player))
        return glm::vec3(0.0f);
    return world->getComponent<CharacterControllerComponent>(player).position();
}

GhostSample TimeTrialPlay::playerPose() const
{
    GhostSample pose;
    if (!world->hasComponent<CharacterControllerComponent>(player))
        return pose;
    const auto& body = world->getComponent<CharacterControllerComponent>(player);
    pose.position = body.position();
    pose.yaw = body.yaw;
    pose.roped = body.attached;
    pose.anchor = body.anchor;
    return pose;
}

void TimeTrialPlay::restartRun()
{
    if (panel.shown()) {
        panel.close();
        freePointer(false);
    }
    const RunSpawn spawn = trial->spawn();
    placePlayer(*world, player, spawn.position, spawn.yaw, 0.0f);
    if (nextBest) {
        trial->setBest(nextBest);
        nextBest.reset();
    }
    trial->restart();
    bestRun.restart();
    GhostSample start;
    start.position = spawn.position;
    start.yaw = spawn.yaw;
    recorder.restart(start);
}

void TimeTrialPlay::finished()
{
    storeIfBest();
    FinishPanel::Actions actions;
    actions.retry = [this] { retry(); };
    if (nextCourse())
        actions.next = [this] { playNext(); };
    actions.backToMenu = [this] { backToMenu(); };
    panel.open(std::move(actions));
    freePointer(true);
}

void TimeTrialPlay::freePointer(bool free)
{
    GameStateRecord* const state = links.state;
    if (!state || state->state != GameStateRecord::singlePlayer || state->paused)
        return;
    Engine::WindowService window(*engine);
    window.capturePointer(!free);
    if (free)
        window.centrePointer();
    else
        clearCameraPendingChange(*world, player);
    state->showCursor = free;
    setPlayerControl(*world, player, !free);
}

void TimeTrialPlay::storeIfBest()
{
    if (!trial->newBest())
        return;
    const RunTimes times = trial->run().times();
    const std::optional<RunRecord> record = recorder.record(courseKey, times, *look);
    if (record) {
        RunRecords::storeIfBest(recordsFolder, *record);
        bestRun.raceNext(*record);
    }
    // The finished run keeps showing "New best!"; the next run races this one.
    nextBest = times;
}

void TimeTrialPlay::keepState()
{
    if (!world->hasComponent<CharacterControllerComponent>(player) ||
        !world->hasComponent<Component::CameraModificationComponent>(player))
        return;
    const auto& body = world->getComponent<CharacterControllerComponent>(player);
    const auto& look = world->getComponent<Component::CameraModificationComponent>(player);
    trial->saveState({body.position(), body.velocity, look.yaw, look.pitch, body.attached, body.anchor, body.ropeLength});
}

void TimeTrialPlay::restoreState()
{
    const std::optional<PracticeState> kept = trial->restoreState();
    if (!kept)
        return;
    placePlayer(*world, player, kept->position, kept->yaw, kept->pitch);
    auto& body = world->getComponent<CharacterControllerComponent>(player);
    body.velocity = kept->velocity;
    body.attached = kept->roped;
    body.anchor = kept->anchor;
    body.ropeLength = kept->ropeLength;
}

void TimeTrialPlay::beforeStep(const Engine::KeyboardState& keys, const Engine::MouseState& mouse,
                               const Engine::GamepadState* pad)
{
    if (!trial)
        return;
    if (awaitingMap) {
        if (!mapArrived)
            return;
        awaitingMap = mapArrived = false;
        restartRun();
    }
    const auto pressed = [&](Engine::Action action) {
        return Engine::bindingPressed((*bindings)[Engine::indexOf(action)], keys, mouse);
    };
    if (panel.shown() && (keys.isPressed(SDL_SCANCODE_N) || (keys.isPressed(SDL_SCANCODE_RETURN) && !keys.altDown()))) {
        playNext();
        return;
    }
    if (pressed(Engine::Action::restart))
        restartRun();
    if (pressed(Engine::Action::practice))
        trial->togglePractice();
    if (pressed(Engine::Action::saveState))
        keepState();
    if (pressed(Engine::Action::restoreState))
        restoreState();
    stepFrom = playerPosition();
    // What the player and camera systems read in this step, as they read it.
    stepInput = StepInput::from(PlayerMovement::PlayerInput::read(keys, mouse, *bindings, pad),
                                CameraInput::read(keys, mouse, pad));
}

void TimeTrialPlay::afterStep()
{
    if (!trial)
        return;
    if (!awaitingMap) {
        if (trial->run().phase() != RunPhase::Finished)
            recorder.step(stepInput, playerPose());
        if (trial->step(stepFrom, playerPosition()) == RunEvent::Finished)
            finished();
    }
    bestRun.follow(trial->run().phase());
    readouts.show(*trial);
}

} // namespace Game
