#pragma once
// The game as a whole: it owns the settings, the state record, the physics world, the graphics
// resources, the ECS world with every system, the map and the start entities, runs one update
// per 10 ms step (state input, UI clicks, systems, messages, physics, read-outs, refresh, map
// rebuild, GL error report) and draws every frame. The menus and the editor switch the game
// between main menu, single-player play and editor through its public state switches.
#include "engine/config/settings.h"
#include "engine/core/gameprototype.h"
#include "engine/core/windowservice.h"
#include "engine/fileutil/gamefolders.h"
#include "engine/ecs/entitymanager.h"
#include "game/camera/cameramath.h"
#include "game/gamecontroller/framerenderer.h"
#include "game/gamecontroller/hudtexts.h"
#include "game/core/gamehooks.h"
#include "game/core/gamestaterecord.h"
#include "game/core/updatecontext.h"
#include "game/gamemap/faceidallocator.h"
#include "game/physics/contacttracker.h"
#include "game/timetrial/timetrialplay.h"

#include <SDL.h>
#include <glm/vec2.hpp>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace Engine {
class EngineCore;
}
namespace Engine::GFX {
class ImageBatch;
class TextMesh;
}
namespace GamePhysics {
class PhysicsWorld;
}
namespace DebugDraw {
class BulletDebugDrawer_OpenGL;
}

namespace Game {

class EditorMapFiles;
class GameEditor;
class GameMap;
class Menu;
class MenuBuilder;
class OptionsScreen;
class PadControls;
class RenderResources;

class GameController : public Engine::GamePrototype {
public:
    static constexpr uint32_t kStepMs = 10;
    // The pop-up when "Back" on the Options screen cannot save the settings, over the main menu.
    static constexpr int32_t kOptionsPopupLayer = 2;
    static constexpr const char* kSettingsNotSavedText = "ERROR:\nUnable to save the settings.";

    explicit GameController(Engine::EngineCore& engine);
    // Releases everything in the order shutdown does, if shutdown has not run.
    ~GameController() override;
    GameController(const GameController&) = delete;
    GameController& operator=(const GameController&) = delete;

    // Starts decoding the texture files while the window opens.
    void platformStarted() override;
    // Start-up, once, with the GL context current: settings, window, physics, resources, world,
    // start entities, a random map, the floor and the menu scene, then the 10 ms step.
    void init() override;
    // One 10 ms step.
    void update() override;
    // One frame, `alpha` of the way from the previous update to the last.
    void render(float alpha) override;
    // Closing the window ends the game at once, except in the editor with unsaved changes: then
    // "Discard unsaved changes?" is asked over everything, and "YES" ends the game.
    bool closeRequested() override;
    // Releases the world (its bodies and meshes first), the physics world and every GL object,
    // while the GL context still exists. Safe to call more than once.
    void shutdown() override;

    // --- State switches (the menu buttons call these) ---------------------------------------

    // Main menu -> single-player play on the map shown: pointer captured, player in control.
    void startSinglePlayer();
    // Main menu -> editor, with an empty map and the editor camera in control.
    void openEditor();
    // Play -> paused play: pointer freed and centred, player out of control.
    void pauseSinglePlayer();
    // Paused play -> play, as the pause menu's "Resume".
    void resumeSinglePlayer();
    // Paused editor -> editor, as the editor pause menu's "Resume".
    void resumeEditor();
    // Play (paused or not) or editor -> main menu. From the editor the editor's blocks go and a
    // fresh random map is made behind the menu in the next update.
    void backToMainMenu();
    // "Back to menu" of a pause menu: from the editor with unsaved changes it asks first, and "NO"
    // brings the editor's pause menu back.
    void leaveForMainMenu();
    // Ends the program after the current frame.
    void endGame();
    // Main menu -> Options screen.
    void openOptions();
    // Options screen -> main menu ("Back"): the settings are saved to the user's configuration
    // file; an OK pop-up says so when they cannot be.
    void closeOptions();
    // F11 and Alt+Return: full screen on or off (for this run; "Back" on the Options screen
    // saves it).
    void toggleFullscreen();

    // --- What the UI layer and the editor plug in and reach ---------------------------------

    void setUiPass(std::unique_ptr<UiPass> pass) { uiPass = std::move(pass); }
    UiPass* ui() const { return uiPass.get(); }
    EditorPass* editor() const { return editorPass.get(); }

    // Filled at the end of init.
    const UpdateContext& context() const { return updateContext; }
    Engine::EngineCore& engine() const { return *core; }
    GameStateRecord& stateRecord() { return state; }
    const Engine::Settings& settings() const { return config; }
    // The mouse look's settings, read by the camera systems every tick.
    const CameraMath::LookSettings& lookSettings() const { return look; }
    OptionsScreen& options() { return *optionsScreen; }
    TimeTrialPlay& timeTrialPlay() { return *timeTrial; }
    const TimeTrialHud& timeTrialHud() const { return timeTrial->hud(); }
    // The size the render targets and projections follow (the window's drawable), and the size
    // the UI was laid out for (the window's).
    glm::ivec2 targetSize() const { return drawable; }
    glm::ivec2 uiLayoutSize() const { return uiSize; }
    // Where the shipped files were found and where the user's settings are kept.
    const Engine::GameFolders& gameFolders() const { return folders; }
    ECS::EntityManager& world() { return *ecs; }
    RenderResources& resources() { return *renderResources; }
    GamePhysics::PhysicsWorld& physics() { return *physicsWorld; }
    GameMap& map() { return *gameMap; }
    // The elements of the screen on show, and the builder of screens and pop-ups.
    Menu& menu() { return *gameMenu; }
    MenuBuilder& menuBuilder() { return *gameMenuBuilder; }
    // The editor's file commands.
    EditorMapFiles& editorMapFiles();
    FaceIdAllocator& faceIds() { return faceIdAllocator; }
    const FrameRenderer& frame() const { return *frameRenderer; }
    FrameRenderer& frame() { return *frameRenderer; }
    const Engine::GFX::TextMesh& speedText() const { return hud->speed(); }
    // "Rope: N.N m" while the player hangs on the rope, else empty.
    const Engine::GFX::TextMesh& ropeText() const { return hud->rope(); }
    // The folder where the user's maps live; empty when it could not be found or made.
    const std::filesystem::path& userMapFolder() const { return mapFolder; }

    // The camera the 3-D scene is seen through now.
    const CameraData& sceneCamera();

    ECS::EntityId menuCameraEntity() const { return updateContext.menuCameraEntity; }
    ECS::EntityId editorCameraEntity() const { return updateContext.editorCameraEntity; }
    ECS::EntityId playerEntity() const { return updateContext.playerEntity; }
    ECS::EntityId editorEntity() const { return updateContext.editorEntity; }
    ECS::EntityId floorEntity() const { return floor; }

private:
    // Start-up in its order: the settings, then the window shaped by them; the physics world,
    // resources, ECS world, UI layer and frame renderer; the start entities, random map and floor.
    void loadSettingsAndShapeWindow();
    void createWorld();
    void createStartScene();
    FrameState frameState();
    // Brings the window (full screen or its size, and the swap interval) in line with the settings.
    void applyWindowSettings();
    // Everything after an Options change: mouse look, window and field of view.
    void applySettings();
    // Every camera's projection for the target size and the configured field of view.
    void applyProjection();
    static glm::ivec2 sizeOr(glm::ivec2 size, const Engine::Settings& fallback);
    // Once per update and frame: render targets, viewport and projections follow a new drawable
    // size; once per update the UI is laid out again for a new window size.
    void followDrawableSize();
    void followWindowSize();
    void relayoutUi(glm::ivec2 from, glm::ivec2 to);
    void handleWindowKeys();
    void createEditor();
    void handleStateInput();
    void createMenus();
    void releaseAll();

    Engine::EngineCore* core;
    Engine::WindowService window;
    Engine::GameFolders folders;
    Engine::Settings config;
    CameraMath::LookSettings look;
    glm::ivec2 drawable{0};
    glm::ivec2 uiSize{0};
    GameStateRecord state;
    std::filesystem::path mapFolder;
    FaceIdAllocator faceIdAllocator;
    UpdateContext updateContext;
    ECS::EntityId floor = ECS::InvalidEntity;

    // The texture files decoding since platformStarted, handed to the resources in init.
    std::unique_ptr<Engine::GFX::ImageBatch> textureImages;
    // Declared in the order they are made; releaseAll takes them down in reverse.
    std::unique_ptr<GamePhysics::PhysicsWorld> physicsWorld;
    std::unique_ptr<RenderResources> renderResources;
    std::unique_ptr<HudTexts> hud;
    std::unique_ptr<GameMap> gameMap;
    std::unique_ptr<ECS::EntityManager> ecs;
    std::unique_ptr<DebugDraw::BulletDebugDrawer_OpenGL> debugDrawer;
    std::unique_ptr<FrameRenderer> frameRenderer;
    std::unique_ptr<UiPass> uiPass;
    std::unique_ptr<Menu> gameMenu;
    std::unique_ptr<MenuBuilder> gameMenuBuilder;
    std::unique_ptr<EditorPass> editorPass;
    // The editor behind editorPass.
    GameEditor* gameEditor = nullptr;
    std::unique_ptr<OptionsScreen> optionsScreen;
    // "Play a map" and the time trial over its course.
    std::unique_ptr<TimeTrialPlay> timeTrial;
    std::unique_ptr<PadControls> padControls;

    std::vector<ECS::ComponentSystem*> schedule;
    ECS::ComponentSystem* pointerOverUiCheck = nullptr;
    GamePhysics::ContactListenerLookup contactListeners;
};

} // namespace Game
