#include "game/gamecontroller/gamecontroller.h"

#include "engine/core/enginecore.h"
#include "engine/core/log.h"
#include "engine/fileutil/fileutil.h"
#include "engine/fileutil/gamefolders.h"
#include "engine/gfx/fbo.h"
#include "engine/gfx/textmesh.h"
#include "game/camera/cameracomponents.h"
#include "game/editor/gameeditor.h"
#include "game/player/controlswitches.h"
#include "game/filebrowser/filebrowser.h"
#include "game/gamecontroller/framerenderer.h"
#include "game/gamecontroller/glerrors.h"
#include "game/gamecontroller/hudtexts.h"
#include "game/gamecontroller/padcontrols.h"
#include "game/gamecontroller/worldsetup.h"
#include "game/gamemap/gamemap.h"
#include "game/gamemap/mapmessages.h"
#include "game/gamemap/mapsystems.h"
#include "game/menu/createokpopupsystem.h"
#include "game/menu/menu.h"
#include "game/menu/menubuilder.h"
#include "game/menu/optionsscreen.h"
#include "game/physics/debugdrawer.h"
#include "game/physics/physicscomponents.h"
#include "game/physics/physicsworld.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/resources/renderresources.h"
#include "game/ui/mouseonuichecksystem.h"
#include "game/ui/uicomponents.h"
#include "game/ui/uilayer.h"
#include "game/ui/uirelayout.h"
#include "game/ui/windowsize.h"

#include <GL/glew.h>
#include <SDL.h>

#include <set>
#include <string>

namespace Game {

using namespace Component;

namespace {

// Where the GL error lines say they come from.
const std::string_view kSourceName = projectRelativePath(__FILE__);

} // namespace

GameController::GameController(Engine::EngineCore& engine)
    : core(&engine), window(engine), folders(Engine::locateGameFolders())
{
}

GameController::~GameController()
{
    releaseAll();
}

void GameController::platformStarted()
{
    textureImages = RenderResources::startDecodingTextures(folders.root);
}

void GameController::init()
{
    Engine::logLine("Initialising GameController");
    loadSettingsAndShapeWindow();
    state = GameStateRecord{};
    createWorld();
    createStartScene();
    createMenus();
    createEditor();

    window.showSystemPointer(false); // the game draws its own pointer image

    core->stepMs = kStepMs;
    core->accumulator = 0;
    core->lastTicks = core->loopSource().ticks(); // loading time is not simulated
    ecs->refresh();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    ecs->addMessageSystem(LoadMapSystem(*ecs, *gameMap, updateContext.editorEntity,
                                        [this](ECS::EntityManager&, ECS::EntityId) {
                                            if (editorPass)
                                                editorPass->mapReplaced();
                                        }, [this] { timeTrial->mapLoaded(); }));
    ecs->addMessageSystem(CreateRandomMapMessageSystem(*ecs, *gameMap));
    Engine::logLine("GameController initialised");
}

void GameController::loadSettingsAndShapeWindow()
{
    if (!Engine::prepareUserMapFolder(mapFolder))
        mapFolder.clear();
    if (!folders.root.empty())
        Engine::logLine("Game files: " + folders.root.string());
    config = Engine::loadSettings(folders.shippedConfig(), folders.userConfig);
    const Engine::GFX::TargetSize largest = Engine::GFX::maxTargetSize();
    Engine::refuseSizesAbove(config, int32_t(largest.width), int32_t(largest.height));
    if (config.renderScale == Engine::kRenderScaleUnset) {
        const auto* const renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
        config.renderScale = firstStartRenderScale(renderer ? renderer : "");
    }
    look = {config.mouseSensitivity, config.invertMouse, config.padLookSensitivity, config.invertPadLook};
    window.setIcon(folders.file("data/textures/icon.png").string());
    applyWindowSettings();
    drawable = sizeOr(window.drawableSize(), config);
    uiSize = sizeOr(UI::windowSize(*core), config);
    glViewport(0, 0, drawable.x, drawable.y);
}

void GameController::createWorld()
{
    physicsWorld = std::make_unique<GamePhysics::PhysicsWorld>();
    renderResources = std::make_unique<RenderResources>(drawable.x, drawable.y, folders.root, std::move(textureImages));
    // Every camera is made from this prototype: it carries the configured field of view.
    renderResources->defaultCamera.setPerspective(float(drawable.x), float(drawable.y), float(config.fieldOfView));
    Engine::logLine("All ressources loaded.");
    hud = std::make_unique<HudTexts>(renderResources->engineFont, renderResources->fpsText);
    gameMap = std::make_unique<GameMap>();

    ecs = std::make_unique<ECS::EntityManager>();
    registerGameTypes(*ecs);
    addGameSystems(*ecs, *core, *physicsWorld, *renderResources, look, config.bindings);
    contactListeners = GamePhysics::collisionCallbackLookup(*ecs);

    debugDrawer = std::make_unique<DebugDraw::BulletDebugDrawer_OpenGL>();
    physicsWorld->setDebugDrawer(debugDrawer.get());

    uiPass = std::make_unique<UI::UiLayer>(*ecs, *core, *renderResources, state);
    UI::addFileBrowserSystems(*ecs, *core);
    schedule = updateSchedule(*ecs);
    pointerOverUiCheck = ecs->getSystem<UI::System::MouseOnUIcheckSystem>();

    window.centrePointer();
    frameRenderer = std::make_unique<FrameRenderer>(*ecs, *renderResources, *core->renderContext);
}

void GameController::createStartScene()
{
    const StartEntities start = createStartEntities(*ecs, renderResources->defaultCamera, *physicsWorld);
    updateContext.menuCameraEntity = start.menuCamera;
    updateContext.editorCameraEntity = start.editorCamera;
    updateContext.playerEntity = start.player;
    updateContext.editorEntity = start.editor;

    generateRandomMap(*ecs, *gameMap);
    gameMap->rebuildPending = true;
    floor = createFloor(*ecs);

    updateContext.state = &state;
    updateContext.world = ecs.get();
    updateContext.resources = renderResources.get();
    updateContext.renderContext = core->renderContext.get();
    updateContext.engine = core;
    updateContext.map = gameMap.get();
    updateContext.physics = physicsWorld.get();
}

void GameController::createMenus()
{
    MenuActions actions;
    actions.startSinglePlayer = [this] { startSinglePlayer(); };
    actions.openEditor = [this] { openEditor(); };
    actions.endGame = [this] { endGame(); };
    actions.resumeSinglePlayer = [this] { resumeSinglePlayer(); };
    actions.resumeEditor = [this] { resumeEditor(); };
    actions.backToMainMenu = [this] { leaveForMainMenu(); };
    actions.openOptions = [this] { openOptions(); };
    actions.playMap = [this] { timeTrial->openChooser(); };
    gameMenu = std::make_unique<Menu>(*ecs);
    gameMenuBuilder = std::make_unique<MenuBuilder>(*ecs, *gameMenu, *core, *renderResources, std::move(actions));
    timeTrial = std::make_unique<TimeTrialPlay>(
        *core, *ecs, *renderResources, *gameMenuBuilder, updateContext.playerEntity, look, config.bindings,
        TimeTrialPlay::Links{[this] { startSinglePlayer(); }, [this] { backToMainMenu(); }, &state, folders.file("data/courses")});
    OptionsScreen::Links options;
    options.displayModes = [this] { return window.displayModes(); };
    options.apply = [this] { applySettings(); };
    options.back = [this] { closeOptions(); };
    optionsScreen = std::make_unique<OptionsScreen>(*ecs, *gameMenu, *core, *renderResources, config, std::move(options));
    padControls = std::make_unique<PadControls>(*core, *ecs, state);
    ecs->registerMessage<Message::CreateOKpopupMessage>();
    ecs->addMessageSystem(CreateOKpopupSystem(*gameMenuBuilder));
    updateContext.menu = gameMenu.get();
    updateContext.menuBuilder = gameMenuBuilder.get();
    gameMenuBuilder->buildMainMenu();
}

void GameController::createEditor()
{
    auto editor = std::make_unique<GameEditor>(
        *core, *ecs, *gameMap, *physicsWorld, *renderResources, state,
        EditorPlayer::Entities{updateContext.editorEntity, updateContext.editorCameraEntity, updateContext.playerEntity},
        *gameMenu, *gameMenuBuilder);
    gameEditor = editor.get();
    editorPass = std::move(editor);
}

EditorMapFiles& GameController::editorMapFiles()
{
    return gameEditor->mapFiles();
}

void GameController::applyWindowSettings()
{
    window.apply({config.fullscreen, config.width, config.height, config.swapInterval, kSmallestWindow});
}

void GameController::applySettings()
{
    look = {config.mouseSensitivity, config.invertMouse, config.padLookSensitivity, config.invertPadLook};
    applyWindowSettings();
    applyProjection();
}

void GameController::applyProjection()
{
    setEveryPerspective(*ecs, renderResources->defaultCamera, drawable, float(config.fieldOfView));
}

glm::ivec2 GameController::sizeOr(glm::ivec2 size, const Engine::Settings& fallback)
{
    return size.x > 0 && size.y > 0 ? size : glm::ivec2(fallback.width, fallback.height);
}

void GameController::followDrawableSize()
{
    const glm::ivec2 size = window.drawableSize();
    if (size.x <= 0 || size.y <= 0 || size == drawable)
        return;
    drawable = size;
    renderResources->resize(size.x, size.y);
    glViewport(0, 0, size.x, size.y);
    applyProjection();
}

void GameController::followWindowSize()
{
    followDrawableSize();
    const glm::ivec2 size = UI::windowSize(*core);
    if (size.x <= 0 || size.y <= 0 || size == uiSize)
        return;
    const glm::ivec2 previous = uiSize;
    uiSize = size;
    // A window the user sized is the resolution the Options screen shows and saves.
    if (!config.fullscreen) {
        config.width = size.x;
        config.height = size.y;
    }
    relayoutUi(previous, size);
}

void GameController::relayoutUi(glm::ivec2 from, glm::ivec2 to)
{
    std::set<ECS::EntityId> screen;
    for (const auto& [name, element] : gameMenu->elements())
        screen.insert(element);
    UI::recentreOverlays(*ecs, from, to, [&screen](ECS::EntityId element) { return screen.count(element) != 0; });
    timeTrial->fitToWindow();
    if (gameEditor->fitToWindow())
        return;
    if (optionsScreen->shown())
        optionsScreen->build();
    else
        gameMenuBuilder->rebuildScreen();
}

void GameController::handleWindowKeys()
{
    const Engine::KeyboardState& keys = *core->keyboard;
    const bool alt = keys.altDown();
    // Return belongs to a text field while one has the focus.
    const bool typing = ecs->componentList<UItextInputComponent>().size() > 0;
    if (keys.isPressed(SDL_SCANCODE_F11) || (alt && !typing && keys.isPressed(SDL_SCANCODE_RETURN)))
        toggleFullscreen();
}

void GameController::toggleFullscreen()
{
    config.fullscreen = !config.fullscreen;
    Engine::logLine(config.fullscreen ? "Full screen" : "Windowed");
    applyWindowSettings();
    if (optionsScreen->shown())
        optionsScreen->showValues();
}

void GameController::openOptions()
{
    if (state.state != GameStateRecord::mainMenu)
        return;
    optionsScreen->build();
}

void GameController::closeOptions()
{
    gameMenu->clear();
    gameMenuBuilder->buildMainMenu();
    std::string error;
    if (Engine::saveSettings(config, folders.userConfig, &error)) {
        Engine::logLine("Settings saved to " + folders.userConfig.string());
        return;
    }
    Engine::logLine("Cannot save the settings: " + error);
    gameMenuBuilder->createOKpopup(kOptionsPopupLayer, kSettingsNotSavedText);
}

void GameController::update()
{
    padControls->beforeUpdate(); // before anything reads the step's keys and buttons
    followWindowSize();
    handleWindowKeys();
    // Before the per-state input, so the editor reads whether the pointer lies on the UI now.
    pointerOverUiCheck->run(0.0f);
    handleStateInput();
    if (uiPass)
        uiPass->handleClicks();

    for (ECS::ComponentSystem* system : schedule)
        system->run(0.0f);
    ecs->processMessages();

    hud->refreshPlayer(*ecs, updateContext.playerEntity);
    physicsWorld->step(contactListeners);
    if (state.state == GameStateRecord::singlePlayer && !state.paused)
        timeTrial->afterStep();
    hud->refreshFps(core->averageFrameMs);
    ecs->refresh();
    gameMap->rebuildMeshIfPending(*ecs, faceIdAllocator);
    drainGlErrors(kSourceName, __LINE__);
}

void GameController::handleStateInput()
{
    switch (state.state) {
    case GameStateRecord::singlePlayer:
        if (PadControls::pausePressed(*core, config.bindings)) {
            if (timeTrial->finishPanel().shown())
                backToMainMenu(); // as the finish panel's button
            else if (state.paused)
                resumeSinglePlayer();
            else
                pauseSinglePlayer();
        }
        if (!state.paused)
            timeTrial->beforeStep(*core->keyboard, *core->mouse, core->gamepad.get());
        break;
    case GameStateRecord::editor:
        if (editorPass)
            editorPass->tick();
        break;
    case GameStateRecord::mainMenu:
        optionsScreen->tick();
        break;
    default:
        break;
    }
}

FrameState GameController::frameState()
{
    FrameState frame;
    frame.state = &state;
    frame.menuCameraEntity = updateContext.menuCameraEntity;
    frame.editorCameraEntity = updateContext.editorCameraEntity;
    frame.playerEntity = updateContext.playerEntity;
    frame.width = drawable.x;
    frame.height = drawable.y;
    frame.renderScale = config.renderScale;
    frame.clockMs = double(core->lastTicks);
    frame.mouseX = core->mouse ? core->mouse->posX : 0;
    frame.mouseY = core->mouse ? core->mouse->posY : 0;
    frame.mapMesh = gameMap->mesh.get();
    frame.speedText = &hud->speed();
    frame.ropeText = &hud->rope();
    frame.ui = uiPass.get();
    frame.editor = editorPass.get();
    frame.course = state.state == GameStateRecord::editor && editorPass ? editorPass->course() : timeTrial->course();
    frame.ghost = config.ghost ? timeTrial->ghost() : nullptr;
    return frame;
}

void GameController::render(float alpha)
{
    // A resize between two updates is met at once, so no frame is drawn stretched.
    followDrawableSize();
    frameRenderer->render(alpha, frameState());
}

const CameraData& GameController::sceneCamera()
{
    return frameRenderer->sceneCamera(frameState());
}

void GameController::startSinglePlayer()
{
    if (state.state != GameStateRecord::mainMenu)
        return;
    const ECS::EntityId player = updateContext.playerEntity;
    state.showCursor = false;
    state.paused = false;
    state.state = GameStateRecord::singlePlayer;
    window.capturePointer(true);
    gameMenu->clear();
    if (ecs->hasComponent<CharacterControllerComponent>(player))
        ecs->getComponent<CharacterControllerComponent>(player).resetMotion();
    setPlayerControl(*ecs, player, true);
    clearCameraPendingChange(*ecs, player);
}

void GameController::openEditor()
{
    if (state.state != GameStateRecord::mainMenu)
        return;
    state.showCursor = true;
    state.paused = false;
    state.state = GameStateRecord::editor;
    gameMenu->clear();
    setEditorCameraControl(*ecs, updateContext.editorCameraEntity, true);
    clearCameraPendingChange(*ecs, updateContext.editorCameraEntity);
    gameMap->clear(*ecs);
    gameMap->rebuildPending = true;
    if (editorPass)
        editorPass->open();
}

void GameController::pauseSinglePlayer()
{
    if (state.state != GameStateRecord::singlePlayer || state.paused)
        return;
    state.paused = true;
    window.capturePointer(false);
    window.centrePointer();
    state.showCursor = true;
    gameMenuBuilder->buildPauseMenu();
    setPlayerControl(*ecs, updateContext.playerEntity, false);
}

void GameController::resumeSinglePlayer()
{
    if (state.state != GameStateRecord::singlePlayer || !state.paused)
        return;
    state.paused = false;
    window.capturePointer(true);
    state.showCursor = false;
    gameMenuBuilder->closePauseMenu();
    setPlayerControl(*ecs, updateContext.playerEntity, true);
    clearCameraPendingChange(*ecs, updateContext.playerEntity);
}

void GameController::resumeEditor()
{
    if (state.state != GameStateRecord::editor || !state.paused)
        return;
    // The editor closes the pause menu, takes its camera back and builds its top bar again.
    if (editorPass)
        editorPass->resume();
}

void GameController::backToMainMenu()
{
    const uint32_t from = state.state;
    if (from == GameStateRecord::mainMenu)
        return;
    state.paused = false;
    state.showCursor = true;
    window.capturePointer(false);
    gameMenu->clear();
    gameMenuBuilder->buildMainMenu();
    state.state = GameStateRecord::mainMenu;
    setPlayerControl(*ecs, updateContext.playerEntity, false);
    const bool chosenMap = timeTrial->playing();
    timeTrial->end();
    if (from == GameStateRecord::editor) {
        setEditorCameraControl(*ecs, updateContext.editorCameraEntity, false);
        if (editorPass)
            editorPass->close();
    }
    if (from == GameStateRecord::editor || chosenMap) {
        // The editor's or the chosen map's blocks go now; the fresh random map is made in the next
        // update, once their ids are free again, so the menu never shows the two mixed.
        gameMap->clear(*ecs);
        ecs->sendMessage(Message::CreateRandomMap{});
    }
}

void GameController::leaveForMainMenu()
{
    if (state.state != GameStateRecord::editor || !gameEditor) {
        backToMainMenu();
        return;
    }
    gameEditor->mapFiles().askToDiscard([this] { backToMainMenu(); }, [this] { gameMenuBuilder->buildEditorPauseMenu(); });
}

bool GameController::closeRequested()
{
    if (state.state != GameStateRecord::editor || !gameEditor)
        return true;
    return gameEditor->allowClose([this] { endGame(); });
}

void GameController::endGame()
{
    core->quit = true;
}

void GameController::shutdown()
{
    releaseAll();
}

void GameController::releaseAll()
{
    // The passes may hold entity ids and world references; they go first. The world goes before
    // the physics world (its systems take the bodies out, the player's ghost leaves it) and
    // before the resources its meshes and systems point at; everything goes while the GL
    // context still exists.
    optionsScreen.reset();
    timeTrial.reset();
    gameEditor = nullptr;
    editorPass.reset();
    gameMenuBuilder.reset();
    gameMenu.reset();
    uiPass.reset();
    frameRenderer.reset();
    schedule.clear();
    pointerOverUiCheck = nullptr;
    contactListeners = nullptr;
    ecs.reset();
    gameMap.reset();
    if (physicsWorld)
        physicsWorld->setDebugDrawer(nullptr);
    debugDrawer.reset();
    physicsWorld.reset();
    hud.reset();
    renderResources.reset();
    updateContext = UpdateContext{};
}

} // namespace Game
