#include "game/gamecontroller/gamecontroller.h"

#include "engine/gfx/shader.h"
#include "engine/gfx/textmesh.h"
#include "game/camera/cameracomponents.h"
#include "game/editor/editordatacomponent.h"
#include "game/gamemap/gamemap.h"
#include "game/menu/optionsscreen.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/resources/renderresources.h"
#include "game/transform/transformcomponent.h"
#include "tests/support/gameharness.h"

#include <GL/glew.h>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace Component;
using Game::GameStateRecord;

namespace {

class GameControllerTest : public TestSupport::GameHarness {
protected:
    template <class C>
    C& component(ECS::EntityId entity)
    {
        return game().world().getComponent<C>(entity);
    }
    bool playerInControl()
    {
        const ECS::EntityId player = game().playerEntity();
        return component<CharacterControllerComponent>(player).enabled
               && component<CameraMouseMovementComponent>(player).enabled;
    }
    // 1 when all three drives of the editor camera are on, 0 when all are off, -1 when mixed.
    int editorCameraControl()
    {
        const ECS::EntityId camera = game().editorCameraEntity();
        const int on = int(component<CameraMouseMovementComponent>(camera).enabled)
                       + int(component<FreeCamMovementComponent>(camera).enabled)
                       + int(component<CameraMouseZoomMoveComponent>(camera).enabled);
        return on == 3 ? 1 : on == 0 ? 0 : -1;
    }
    const Game::CameraData& cameraOf(ECS::EntityId entity) { return component<CameraComponent>(entity).current; }
    glm::vec3 playerPosition() { return component<TransformComponent>(game().playerEntity()).position; }
    std::u16string speed() { return game().speedText().text(); }
};

size_t lineAt(const std::string& log, const std::string& line)
{
    return log.find(line + "\n");
}

bool isWhite(const TestSupport::GameHarness::Pixel& p)
{
    return p[0] == 255 && p[1] == 255 && p[2] == 255;
}

} // namespace

TEST_F(GameControllerTest, StartsToTheMenuSceneInConsoleOrder)
{
    const size_t start = lineAt(initLog, "Initialising GameController");
    const size_t loaded = lineAt(initLog, "All ressources loaded.");
    const size_t player = lineAt(initLog, "Player ID:" + std::to_string(game().playerEntity()));
    const size_t floor = lineAt(initLog, "FLOOR ID:" + std::to_string(game().floorEntity()));
    const size_t done = lineAt(initLog, "GameController initialised");
    ASSERT_NE(done, std::string::npos) << initLog;
    EXPECT_EQ(start, 0u);
    EXPECT_LT(start, loaded);
    EXPECT_LT(loaded, player);
    EXPECT_LT(player, floor);
    EXPECT_LT(floor, done);

    EXPECT_EQ(game().stateRecord().state, GameStateRecord::mainMenu);
    EXPECT_FALSE(playerInControl());
    EXPECT_FALSE(component<CameraMouseMovementComponent>(game().editorCameraEntity()).enabled);
    EXPECT_FALSE(component<FreeCamMovementComponent>(game().editorCameraEntity()).enabled);
    runUpdates(1);
    ASSERT_FALSE(source.warps.empty());
    EXPECT_EQ(source.warps.back(), std::make_pair(640, 360)) << "pointer in the window's centre";
    EXPECT_TRUE(std::filesystem::is_directory(home.home() / "Documents" / "Tetherix"));

    // The first update built the 150 random blocks into one mesh (its colours are checked end to
    // end), and its frame marks their faces in the surface image.
    ASSERT_NE(game().map().mesh, nullptr);
    EXPECT_EQ(game().map().mesh->vertexCount(), 150u * 36u);
    // Blocks mark their faces in the surface image with their face colours (blue 1/255); the
    // sky and the floor leave it white.
    const auto ids = readPixels(1, 440, 160, 400, 400);
    const auto faces = std::count_if(ids.begin(), ids.end(), [](const auto& p) { return p[2] == 1 && p[3] == 255; });
    EXPECT_GT(faces, 20000) << "blocks fill much of the middle";
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(GameControllerTest, PlayCapturesThePointerEscapePausesAndTheMenuKeepsTheMap)
{
    runUpdates(1);
    const std::set<ECS::EntityId> blocks = game().map().qubeIDs;
    EXPECT_EQ(speed(), u"") << "no speed read-out in the menu";
    game().startSinglePlayer();
    const GameStateRecord& state = game().stateRecord();
    EXPECT_FALSE(state.showCursor);
    EXPECT_TRUE(source.relativeMouseMode);
    EXPECT_TRUE(engine->mouse->resetRelative) << "motion gathered before the capture is dropped";
    EXPECT_TRUE(playerInControl());
    EXPECT_EQ(&game().sceneCamera(), &cameraOf(game().playerEntity()));
    runUpdates(1);
    EXPECT_EQ(speed(), u"Speed: 0 km/h");

    setKey(SDL_SCANCODE_ESCAPE, true);
    source.pointerX = 10;
    runUpdates(1);
    EXPECT_TRUE(state.paused);
    EXPECT_TRUE(state.showCursor);
    EXPECT_FALSE(source.relativeMouseMode);
    EXPECT_EQ(source.warps.back(), std::make_pair(640, 360));
    EXPECT_FALSE(playerInControl());
    runUpdates(1); // still held: no second press
    EXPECT_TRUE(state.paused);

    setKey(SDL_SCANCODE_ESCAPE, false);
    runUpdates(1);
    setKey(SDL_SCANCODE_ESCAPE, true);
    runUpdates(1);
    EXPECT_FALSE(state.paused);
    EXPECT_TRUE(source.relativeMouseMode);
    EXPECT_TRUE(playerInControl());

    game().pauseSinglePlayer();
    game().backToMainMenu();
    EXPECT_EQ(state.state, GameStateRecord::mainMenu);
    EXPECT_FALSE(state.paused);
    EXPECT_TRUE(state.showCursor);
    EXPECT_FALSE(source.relativeMouseMode);
    EXPECT_FALSE(playerInControl());
    runUpdates(2);
    EXPECT_EQ(game().map().qubeIDs, blocks);
    EXPECT_EQ(speed(), u"");
    EXPECT_EQ(&game().sceneCamera(), &cameraOf(game().menuCameraEntity()));
}

TEST_F(GameControllerTest, EditorStartsEmptyAndLeavesForAFreshRandomMap)
{
    runUpdates(1);
    game().openEditor();
    const GameStateRecord& state = game().stateRecord();
    EXPECT_EQ(state.state, GameStateRecord::editor);
    EXPECT_FALSE(source.relativeMouseMode);
    // Wheel zoom at once; mouse look waits for the right button and flight for the editor's tick.
    const ECS::EntityId editorCamera = game().editorCameraEntity();
    EXPECT_TRUE(component<CameraMouseZoomMoveComponent>(editorCamera).enabled);
    EXPECT_FALSE(component<CameraMouseMovementComponent>(editorCamera).enabled);
    EXPECT_EQ(&game().sceneCamera(), &cameraOf(game().editorCameraEntity()));
    runUpdates(1);
    EXPECT_EQ(game().map().mesh, nullptr) << "the editor starts with an empty map";

    // Blocks the editor placed.
    for (int i = 0; i < 5; ++i)
        game().map().addQube(game().world(), glm::translate(glm::mat4(1.0f), glm::vec3(float(i) * 3.0f, 0.0f, 1.0f)));
    game().map().rebuildPending = true;
    runUpdates(1);
    ASSERT_NE(game().map().mesh, nullptr);

    // While the editor play-tests, the scene is seen through the player.
    component<CharacterControllerComponent>(game().playerEntity()).enabled = true;
    EXPECT_EQ(&game().sceneCamera(), &cameraOf(game().playerEntity()));
    component<CharacterControllerComponent>(game().playerEntity()).enabled = false;

    game().backToMainMenu();
    EXPECT_EQ(editorCameraControl(), 0);
    EXPECT_TRUE(game().map().qubeIDs.empty()) << "the editor's blocks go at once";
    runUpdates(2);
    EXPECT_EQ(game().map().qubeIDs.size(), 150u) << "only the fresh random blocks, none of the editor's";
    ASSERT_NE(game().map().mesh, nullptr);
    EXPECT_EQ(game().map().mesh->vertexCount(), 150u * 36u);
}

TEST_F(GameControllerTest, TheEditorSeesThePointerOnTheTopBarInTheSameUpdate)
{
    runUpdates(1);
    game().openEditor();
    source.pointerX = 320;
    source.pointerY = 240;
    runUpdates(2);
    ASSERT_FALSE(game().stateRecord().mouseOverUI);

    // Onto the top bar and the left button pressed in one step: no box selection is armed there.
    source.pointerX = 400;
    source.pointerY = 10;
    source.buttons = SDL_BUTTON(SDL_BUTTON_LEFT);
    source.buttonEvent(SDL_BUTTON_LEFT, true);
    runUpdates(1);
    EXPECT_TRUE(game().stateRecord().mouseOverUI);
    EXPECT_FALSE(component<EditorDataComponent>(game().editorEntity()).boxArmed);
}

TEST_F(GameControllerTest, AMenuCameraWithoutItsCameraShowsTheDefaultView)
{
    game().world().removeComponent<CameraComponent>(game().menuCameraEntity());
    runUpdates(1);
    EXPECT_EQ(&game().sceneCamera(), &game().resources().defaultCamera);
}

TEST_F(GameControllerTest, RunningMovesThePlayerAndTheHudShowsTheRopeWhileItHolds)
{
    game().startSinglePlayer();
    runUpdates(200); // falls from the start height and lands
    EXPECT_EQ(game().ropeText().text(), u"");
    // Straight down at the floor, half the capsule's height below its centre; then one notch out.
    component<CameraModificationComponent>(game().playerEntity()).pitch = -90.0f;
    source.buttons = SDL_BUTTON_LMASK;
    runUpdates(1);
    EXPECT_EQ(game().ropeText().text(), u"Rope: 0.5 m");
    source.wheel(-1);
    runUpdates(1);
    EXPECT_EQ(game().ropeText().text(), u"Rope: 1.5 m");
    source.buttons = 0;
    runUpdates(1);
    EXPECT_EQ(game().ropeText().text(), u"");

    component<CameraModificationComponent>(game().playerEntity()).pitch = 0.0f;
    runUpdates(10);
    const glm::vec3 landed = playerPosition();
    setKey(SDL_SCANCODE_W, true);
    runUpdates(100);
    EXPECT_GT(glm::length(glm::vec2(playerPosition() - landed)), 4.0f) << "a second of running covers ground";
    EXPECT_NE(speed(), u"Speed: 0 km/h");
    setKey(SDL_SCANCODE_W, false);
}

// A UI pass that leaves the text program dark and clipped to nothing, as a UI text may.
struct CarelessUi final : Game::UiPass {
    explicit CarelessUi(const Engine::GFX::ShaderProgram& textProgram) : program(textProgram) {}
    void handleClicks() override { ++clicks; }
    void draw() override
    {
        ++draws;
        glUseProgram(program.programId());
        glUniform4f(program.getUniformLocation("uColor"), 0.0f, 0.0f, 0.0f, 0.0f);
        glUniform2f(program.getUniformLocation("uDrawBoundsX"), 0.0f, 0.0f);
        glUniform2f(program.getUniformLocation("uDrawBoundsY"), 0.0f, 0.0f);
    }
    const Engine::GFX::ShaderProgram& program;
    int clicks = 0;
    int draws = 0;
};

TEST_F(GameControllerTest, TextsAndCrosshairSetTheirOwnColourAndBounds)
{
    auto ui = std::make_unique<CarelessUi>(*game().resources().shaderFontDefault);
    CarelessUi& careless = *ui;
    game().setUiPass(std::move(ui));
    game().startSinglePlayer();
    runUpdates(2);
    EXPECT_EQ(careless.clicks, 2);
    EXPECT_GE(careless.draws, 1);

    const auto fps = readPixels(-1, 0, 0, 160, 32);
    EXPECT_GT(std::count_if(fps.begin(), fps.end(), isWhite), 30) << "the FPS text shows in white";
    const auto crosshair = readPixels(-1, 634, 354, 12, 12);
    EXPECT_GT(std::count_if(crosshair.begin(), crosshair.end(), isWhite), 10) << "the crosshair shows";
}

TEST_F(GameControllerTest, ShutDownReleasesEverythingWhileTheContextExists)
{
    runUpdates(1);
    const GLuint texture = game().resources().gridTexture->id();
    ASSERT_EQ(glIsTexture(texture), GL_TRUE);
    game().shutdown();
    EXPECT_EQ(glIsTexture(texture), GL_FALSE);
    game().shutdown(); // a second call finds nothing left to release
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(GameControllerTest, ThePlayerAndThePauseFollowTheControlsScreensBindings)
{
    Game::ControlsScreen& controls = game().options().controls();
    ASSERT_TRUE(controls.bindAction(Engine::Action::forward, Engine::InputBinding::key(SDL_SCANCODE_UP)));
    ASSERT_TRUE(controls.bindAction(Engine::Action::pause, Engine::InputBinding::key(SDL_SCANCODE_P)));
    game().startSinglePlayer();
    runUpdates(200);
    const glm::vec3 landed = playerPosition();
    setKey(SDL_SCANCODE_W, true);
    runUpdates(50);
    EXPECT_LT(glm::length(glm::vec2(playerPosition() - landed)), 0.01f) << "W no longer runs";
    setKey(SDL_SCANCODE_W, false);
    setKey(SDL_SCANCODE_UP, true);
    runUpdates(50);
    EXPECT_GT(glm::length(glm::vec2(playerPosition() - landed)), 1.0f) << "Up runs";
    setKey(SDL_SCANCODE_UP, false);

    setKey(SDL_SCANCODE_P, true);
    runUpdates(1);
    EXPECT_TRUE(game().stateRecord().paused);
    setKey(SDL_SCANCODE_P, false);
    runUpdates(1);
    setKey(SDL_SCANCODE_ESCAPE, true);
    runUpdates(1);
    EXPECT_FALSE(game().stateRecord().paused) << "Escape still pauses and resumes";
    setKey(SDL_SCANCODE_ESCAPE, false);
}
