#include "game/gamecontroller/gamecontroller.h"

#include "engine/core/enginecore.h"
#include "engine/core/log.h"
#include "engine/fileutil/fileutil.h"
#include "engine/fileutil/gamefolders.h"
#include "engine/gfx/textmesh.h"
#include "game/camera/cameracomponents.h"
#include "game/editor/editordatacomponent.h"
#include "game/editor/editormapfiles.h"
#include "game/editor/editortopbar.h"
#include "game/editor/gameeditor.h"
#include "game/gamecontroller/controlswitches.h"
#include "game/gamecontroller/framerenderer.h"
#include "game/gamecontroller/glerrors.h"
#include "game/gamecontroller/hudtexts.h"
#include "game/gamecontroller/worldsetup.h"
#include "game/gamemap/gamemap.h"
#include "game/gamemap/mapmessages.h"
#include "game/gamemap/mapsystems.h"
#include "game/menu/createokpopupsystem.h"
#include "game/menu/menu.h"
#include "game/menu/menubuilder.h"
#include "game/physics/debugdrawer.h"
#include "game/physics/physicsbodyinfo.h"
#include "game/physics/physicscomponents.h"
#include "game/physics/physicsworld.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/player/playermovement.h"
#include "game/resources/renderresources.h"
#include "game/transform/transformcomponent.h"
#include "game/ui/uicomponents.h"
#include "game/ui/uilayer.h"

#include <BulletCollision/CollisionShapes/btStaticPlaneShape.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <GL/glew.h>
#include <SDL.h>
#include <SDL_image.h>

#include <string>

namespace Game {

using namespace Component;

namespace {

// Where the GL error lines say they come from.
const std::string_view kSourceName = projectRelativePath(__FILE__);

// A transform at `position` with the game's start orientation, drawn there from the first frame.
TransformComponent placedAt(const glm::vec3& position)
{
    TransformComponent transform;
    transform.position = position;
    transform.rotation = TransformComponent::defaultRotation();
    transform.copyToPrevious();
    return transform;
}

} // namespace

GameController::GameController(Engine::EngineCore& engine) : core(&engine) {}

GameController::~GameController()
{
    releaseAll();
}

void GameController::init()
{
    Engine::logLine("Initialising GameController");
    if (!Engine::prepareUserMapFolder(mapFolder))
        mapFolder.clear();
    folders = Engine::locateGameFolders();
    if (!folders.root.empty())
        Engine::logLine("Game files: " + folders.root.string());
    config = Engine::loadSettings(folders.shippedConfig(), folders.userConfig);
    setWindowIcon();
    applyWindowSettings();
    state = GameStateRecord{};

    physicsWorld = std::make_unique<GamePhysics::PhysicsWorld>();
    renderResources = std::make_unique<RenderResources>(config.width, config.height, folders.root);
    Engine::logLine("All ressources loaded.");
    speedTextMesh = std::make_unique<Engine::GFX::TextMesh>(renderResources->engineFont);
    ropeTextMesh = std::make_unique<Engine::GFX::TextMesh>(renderResources->engineFont);
    gameMap = std::make_unique<GameMap>();

    ecs = std::make_unique<ECS::EntityManager>();
    registerGameTypes(*ecs);
    addGameSystems(*ecs, *core, *physicsWorld, *renderResources);
    contactListeners = GamePhysics::collisionCallbackLookup(*ecs);

    debugDrawer = std::make_unique<DebugDraw::BulletDebugDrawer_OpenGL>();
    physicsWorld->setDebugDrawer(debugDrawer.get());

    uiPass = std::make_unique<UI::UiLayer>(*ecs, *core, *renderResources, state);
    schedule = updateSchedule(*ecs);

    warpPointerToCentre();
    frameRenderer = std::make_unique<FrameRenderer>(*ecs, *renderResources, *core->renderContext);

    createStartEntities();

    generateRandomMap(*ecs, *gameMap);
    gameMap->rebuildPending = true;
    createFloor();

    updateContext.state = &state;
    updateContext.world = ecs.get();
    updateContext.resources = renderResources.get();
    updateContext.renderContext = core->renderContext.get();
    updateContext.engine = core;
    updateContext.map = gameMap.get();
    updateContext.physics = physicsWorld.get();
    createMenus();
    createEditor();

    SDL_ShowCursor(SDL_DISABLE); // the game draws its own pointer image

    core->stepMs = kStepMs;
    core->accumulator = 0;
    core->lastTicks = core->loopSource().ticks(); // loading time is not simulated
    ecs->refresh();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    ecs->addMessageSystem(LoadMapSystem(*ecs, *gameMap, updateContext.editorEntity,
                                        [this](ECS::EntityManager&, ECS::EntityId) {
                                            if (editorPass)
                                                editorPass->mapReplaced();
                                        }));
    ecs->addMessageSystem(CreateRandomMapMessageSystem(*ecs, *gameMap));
    Engine::logLine("GameController initialised");
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
    gameMenu = std::make_unique<Menu>(*ecs);
    gameMenuBuilder = std::make_unique<MenuBuilder>(*ecs, *gameMenu, *core, *renderResources, std::move(actions));
    ecs->registerMessage<Message::CreateOKpopupMessage>();
    ecs->addMessageSystem(CreateOKpopupSystem(*gameMenuBuilder));
    updateContext.menu = gameMenu.get();
    updateContext.menuBuilder = gameMenuBuilder.get();
    gameMenuBuilder->buildMainMenu();
}

void GameController::createEditor()
{
    EditorMenuLinks links;
    // The pause menu replaces the top bar; the editor builds the bar again when it closes.
    links.openPauseMenu = [this] {
        topBar->clear();
        gameMenuBuilder->buildEditorPauseMenu();
    };
    links.closePauseMenu = [this] { gameMenuBuilder->closePauseMenu(); };
    links.showMessage = [this](const std::string& text) { gameMenuBuilder->createOKpopup(kEditorPopupLayer, text); };
    links.modalOpen = [this] { return ecs->componentList<UIblockerComponent>().size() > 0; };
    links.clearTopBar = [this] { topBar->clear(); };
    links.buildTopBar = [this] { topBar->build(); };
    links.closeAddDropdown = [this] { topBar->closeAddDropdown(); };
    links.showTool = [this](std::uint32_t tool) { topBar->showTool(tool); };
    links.showSnapping = [this](bool on) { topBar->showSnapping(on); };
    links.toggleHelp = [this] { topBar->toggleHelp(); };
    links.helpShown = [this] { return topBar->helpShown(); };
    auto editor = std::make_unique<GameEditor>(
        *core, *ecs, *gameMap, *physicsWorld, *renderResources, state,
        EditorPlayer::Entities{updateContext.editorEntity, updateContext.editorCameraEntity, updateContext.playerEntity},
        std::move(links));
    mapFiles = std::make_unique<EditorMapFiles>(*ecs, *core, *renderResources, *gameMenuBuilder, *gameMap,
                                                editor->player());
    topBar = std::make_unique<EditorTopBar>(*ecs, *gameMenu, *core, *renderResources, editor->player(), *mapFiles);
    editorPass = std::move(editor);
}

void GameController::setWindowIcon()
{
    SDL_Window* const window = core->window ? core->window->window : nullptr;
    if (!window)
        return;
    const std::string path = folders.file("data/textures/icon.png").string();
    SDL_Surface* const icon = IMG_Load(path.c_str());
    if (!icon) {
        Engine::logMissingFile(path);
        return;
    }
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}

void GameController::applyWindowSettings()
{
    SDL_Window* const window = core->window ? core->window->window : nullptr;
    if (core->window && core->window->handle)
        core->window->handle->swapInterval = config.swapInterval;
    SDL_GL_SetSwapInterval(config.swapInterval);
    if (window) {
        SDL_SetWindowFullscreen(window, config.fullscreen ? SDL_WINDOW_FULLSCREEN : 0);
        SDL_SetWindowSize(window, config.width, config.height);
        SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    glViewport(0, 0, config.width, config.height);
}

void GameController::createStartEntities()
{
    ECS::EntityManager& world = *ecs;
    const CameraData& cameraPrototype = renderResources->defaultCamera;

    const ECS::EntityId menuCamera = world.createEntity();
    world.addComponent(menuCamera, CameraComponent(cameraPrototype));
    world.addComponent(menuCamera, MenuCameraAnimationComponent{});

    const ECS::EntityId editorCamera = world.createEntity();
    world.addComponent(editorCamera, CameraComponent(cameraPrototype));
    world.addComponent(editorCamera, CameraModificationComponent{});
    world.addComponent(editorCamera, CameraMouseMovementComponent{});
    world.addComponent(editorCamera, CameraMouseShiftComponent{});
    world.addComponent(editorCamera, CameraMouseZoomMoveComponent{});
    world.addComponent(editorCamera, FreeCamMovementComponent{});
    world.addComponent(editorCamera, CameraZclampComponent{});
    world.addComponent(editorCamera, placedAt({0.0f, 0.0f, 2.0f}));

    const ECS::EntityId player = world.createEntity();
    CharacterControllerComponent body(player, physicsWorld.get());
    body.enabled = false;
    world.addComponent(player, std::move(body));
    world.addComponent(player, CameraMouseMovementComponent{});
    world.addComponent(player, CameraModificationComponent{});
    world.addComponent(player, CameraComponent(cameraPrototype));
    world.addComponent(player, placedAt(glm::vec3(0.0f)));
    Engine::logLine("Player ID:" + std::to_string(player));

    // The editor keeps its working data (selection, history, tool) on this entity.
    const ECS::EntityId editor = world.createEntity();
    world.addComponent(editor, EditorDataComponent{});

    updateContext.menuCameraEntity = menuCamera;
    updateContext.editorCameraEntity = editorCamera;
    updateContext.playerEntity = player;
    updateContext.editorEntity = editor;
}

void GameController::createFloor()
{
    ECS::EntityManager& world = *ecs;
    floor = world.createEntity();
    world.addComponent(floor, placedAt(glm::vec3(0.0f)));
    world.addComponent(floor, PhysicsColliderComponent(new btStaticPlaneShape(btVector3(0.0f, 0.0f, 1.0f), 0.0f)));
    PhysicsRigidBodyComponent body(floor, 0.0f, glm::vec3(0.0f));
    body.body->setCollisionFlags(body.body->getCollisionFlags() | btCollisionObject::CF_STATIC_OBJECT);
    body.info->group = GamePhysics::CollisionGroup::floor;
    body.info->mask = GamePhysics::CollisionGroup::all;
    world.addComponent(floor, std::move(body));
    Engine::logLine("FLOOR ID:" + std::to_string(floor));
}

void GameController::update()
{
    handleStateInput();
    if (uiPass)
        uiPass->handleClicks();

    for (ECS::ComponentSystem* system : schedule)
        system->run(0.0f);
    ecs->processMessages();

    refreshSpeedText();
    refreshRopeText();
    physicsWorld->step(contactListeners);
    refreshFpsText();
    ecs->refresh();
    gameMap->rebuildMeshIfPending(*ecs, faceIdAllocator);
    drainGlErrors(kSourceName, __LINE__);
}

void GameController::handleStateInput()
{
    switch (state.state) {
    case GameStateRecord::singlePlayer:
        if (core->keyboard->isPressed(SDL_SCANCODE_ESCAPE)) {
            if (state.paused)
                resumeSinglePlayer();
            else
                pauseSinglePlayer();
        }
        break;
    case GameStateRecord::editor:
        if (editorPass)
            editorPass->tick();
        break;
    default:
        break;
    }
}

void GameController::refreshSpeedText()
{
    const ECS::EntityId player = updateContext.playerEntity;
    if (!ecs->hasComponent<CharacterControllerComponent>(player))
        return;
    const CharacterControllerComponent& body = ecs->getComponent<CharacterControllerComponent>(player);
    // Set only when it changed: laying the text out again builds a new mesh.
    std::string text = body.enabled ? PlayerMovement::speedText(body.velocity) : std::string();
    if (text == shownSpeed)
        return;
    speedTextMesh->setText(text);
    shownSpeed = std::move(text);
}

void GameController::refreshRopeText()
{
    const ECS::EntityId player = updateContext.playerEntity;
    if (!ecs->hasComponent<CharacterControllerComponent>(player))
        return;
    const CharacterControllerComponent& body = ecs->getComponent<CharacterControllerComponent>(player);
    std::string text = body.enabled && body.attached ? PlayerMovement::ropeText(body.ropeLength) : std::string();
    if (text == shownRope)
        return;
    ropeTextMesh->setText(text);
    shownRope = std::move(text);
}

void GameController::refreshFpsText()
{
    const int fps = fpsValue(core->averageFrameMs);
    if (fps == shownFps)
        return;
    shownFps = fps;
    renderResources->fpsText.setText(fpsText(core->averageFrameMs));
}

FrameState GameController::frameState()
{
    FrameState frame;
    frame.state = &state;
    frame.menuCameraEntity = updateContext.menuCameraEntity;
    frame.editorCameraEntity = updateContext.editorCameraEntity;
    frame.playerEntity = updateContext.playerEntity;
    frame.width = config.width;
    frame.height = config.height;
    frame.mouseX = core->mouse ? core->mouse->posX : 0;
    frame.mouseY = core->mouse ? core->mouse->posY : 0;
    frame.mapMesh = gameMap->mesh.get();
    frame.speedText = speedTextMesh.get();
    frame.ropeText = ropeTextMesh.get();
    frame.ui = uiPass.get();
    frame.editor = editorPass.get();
    return frame;
}

void GameController::render(float alpha)
{
    frameRenderer->render(alpha, frameState());
}

const CameraData& GameController::sceneCamera()
{
    return frameRenderer->sceneCamera(frameState());
}

void GameController::capturePointer()
{
    core->loopSource().setRelativeMouseMode(true);
    core->mouse->discardRelativeMotion(); // the pointer's jump is not a movement
}

void GameController::releasePointer()
{
    core->loopSource().setRelativeMouseMode(false);
}

void GameController::warpPointerToCentre()
{
    core->loopSource().warpMouse(core->window ? core->window->window : nullptr, config.width / 2, config.height / 2);
}

void GameController::startSinglePlayer()
{
    if (state.state != GameStateRecord::mainMenu)
        return;
    const ECS::EntityId player = updateContext.playerEntity;
    state.showCursor = false;
    state.paused = false;
    state.state = GameStateRecord::singlePlayer;
    capturePointer();
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
    releasePointer();
    warpPointerToCentre();
    state.showCursor = true;
    gameMenuBuilder->buildPauseMenu();
    setPlayerControl(*ecs, updateContext.playerEntity, false);
}

void GameController::resumeSinglePlayer()
{
    if (state.state != GameStateRecord::singlePlayer || !state.paused)
        return;
    state.paused = false;
    capturePointer();
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
    releasePointer();
    gameMenu->clear();
    gameMenuBuilder->buildMainMenu();
    state.state = GameStateRecord::mainMenu;
    setPlayerControl(*ecs, updateContext.playerEntity, false);
    if (from == GameStateRecord::editor) {
        setEditorCameraControl(*ecs, updateContext.editorCameraEntity, false);
        if (editorPass)
            editorPass->close();
        // The editor's blocks go now; the fresh random map is made in the next update, once
        // their ids are free again, so the menu never shows the two mixed.
        gameMap->clear(*ecs);
        ecs->sendMessage(Message::CreateRandomMap{});
    }
}

void GameController::leaveForMainMenu()
{
    if (state.state != GameStateRecord::editor || !mapFiles) {
        backToMainMenu();
        return;
    }
    mapFiles->askToDiscard([this] { backToMainMenu(); }, [this] { gameMenuBuilder->buildEditorPauseMenu(); });
}

bool GameController::closeRequested()
{
    if (state.state != GameStateRecord::editor || !editorPass || !editorPass->hasUnsavedChanges() || !mapFiles)
        return true;
    if (closeQuestion != ECS::InvalidEntity && ecs->isAlive(closeQuestion) && !ecs->isDestroyPending(closeQuestion))
        return false; // already asking
    // Over the file browser and any pop-up, so it can always be answered.
    closeQuestion = mapFiles->askToDiscard([this] { endGame(); }, {}, kCloseQuestionLayer);
    return false;
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
    topBar.reset();
    mapFiles.reset();
    editorPass.reset();
    gameMenuBuilder.reset();
    gameMenu.reset();
    uiPass.reset();
    frameRenderer.reset();
    schedule.clear();
    contactListeners = nullptr;
    ecs.reset();
    gameMap.reset();
    if (physicsWorld)
        physicsWorld->setDebugDrawer(nullptr);
    debugDrawer.reset();
    physicsWorld.reset();
    speedTextMesh.reset();
    ropeTextMesh.reset();
    renderResources.reset();
    updateContext = UpdateContext{};
}

} // namespace Game
