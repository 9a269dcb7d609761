#include "game/timetrial/timetrialplay.h"

#include "engine/bytebuffer/bytebuffer.h"
#include "engine/core/enginecore.h"
#include "engine/core/keyboardstate.h"
#include "engine/core/log.h"
#include "engine/ecs/entitymanager.h"
#include "game/camera/cameracomponents.h"
#include "game/camera/camerainput.h"
#include "game/course/checksum.h"
#include "game/course/runrecords.h"
#include "game/filebrowser/filebrowser.h"
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

} // namespace

std::string TimeTrialPlay::courseNote(const std::filesystem::path& mapPath)
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
    if (!best)
        return "course";
    return "best " + std::string(RunClock::format(best->times.total).view());
}

TimeTrialPlay::TimeTrialPlay(Engine::EngineCore& engine, ECS::EntityManager& world, const RenderResources& resources,
                             MenuBuilder& menus, ECS::EntityId player, const CameraMath::LookSettings& look,
                             const Engine::Bindings& bindings, StartPlay startPlay,
                             Engine::MapFolderFinder findMapFolder)
    : engine(&engine)
    , world(&world)
    , resources(&resources)
    , menus(&menus)
    , player(player)
    , startPlay(std::move(startPlay))
    , findMapFolder(std::move(findMapFolder))
    , look(&look)
    , bindings(&bindings)
    , readouts(world, engine, resources)
{
}

void TimeTrialPlay::openChooser()
{
    if (browser != ECS::InvalidEntity && world->upcomingComponent<UIfileBrowserComponent>(browser) != nullptr)
        return;
    std::filesystem::path folder;
    if (!findMapFolder || !findMapFolder(folder)) {
        menus->createOKpopup(kPopupLayer, kNoMapFolderText);
        return;
    }
    if (!UI::roomFor(*world, UI::FileBrowser::kMaxElements, "the map chooser"))
        return;
    const glm::vec2 window(UI::windowSize(*engine));
    const glm::vec2 size = glm::floor(window * glm::vec2(0.6f, 0.85f));
    UI::FileBrowserSettings settings;
    settings.mode = UI::FileBrowserSettings::kOpen;
    settings.extensions = "rmap"; // a course file is chosen with its map
    settings.fileNote = courseNote;
    settings.startFolder = folder;
    Engine::EngineCore* const core = engine;
    settings.clock = [core] { return core->loopSource().ticks(); };
    settings.blocker = UI::createBlocker(*world, kBrowserBlockerLayer, resources->whiteTexture.get(), window.x, window.y);
    browser = world->createEntity();
    const ECS::EntityId opened = browser;
    settings.onConfirm = [this, opened] {
        if (!world->hasComponent<UIfileBrowserComponent>(opened))
            return;
        const UIfileBrowserComponent& b = world->getComponent<UIfileBrowserComponent>(opened);
        if (b.selectedName.empty())
            return;
        const std::filesystem::path path = b.folder / std::filesystem::u8path(b.selectedName);
        UI::FileBrowser::close(*world, opened);
        play(path);
    };
    UI::createFileBrowser(browser, *world, glm::floor((window - size) / 2.0f), size, *resources, std::move(settings));
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
    if (startPlay)
        startPlay();
    if (trial)
        restartRun();
    return true;
}

void TimeTrialPlay::end()
{
    readouts.hide();
    trial.reset();
    chosenMap = false;
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
    const auto pressed = [&](Engine::Action action) {
        return Engine::bindingPressed((*bindings)[Engine::indexOf(action)], keys, mouse);
    };
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
    const bool running = trial->run().phase() != RunPhase::Finished;
    if (running)
        recorder.step(stepInput, playerPose());
    if (trial->step(stepFrom, playerPosition()) == RunEvent::Finished)
        storeIfBest();
    bestRun.follow(trial->run().phase());
    readouts.show(*trial);
}

} // namespace Game
