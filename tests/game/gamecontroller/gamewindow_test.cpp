// The game's window as the player changes it: the Options screen (applied at once, saved on
// "Back", read back at the next start, damaged files refused), window resizes (render targets,
// projections, picking and the UI follow) and the full-screen key.
#include "game/gamecontroller/gamecontroller.h"

#include "engine/fileutil/fileutil.h"
#include "engine/fileutil/gamefolders.h"
#include "engine/gfx/fbo.h"
#include "engine/gfx/shader.h"
#include "game/camera/cameracomponents.h"
#include "game/editor/editordatacomponent.h"
#include "game/editor/editorhelp.h"
#include "game/editor/editortopbar.h"
#include "game/gamemap/gamemap.h"
#include "game/menu/menu.h"
#include "game/menu/menubuilder.h"
#include "game/menu/optionsscreen.h"
#include "game/resources/renderresources.h"
#include "game/transform/transformcomponent.h"
#include "game/ui/uicomponents.h"
#include "tests/support/gameharness.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>

using namespace Component;
using Game::Option;
namespace fs = std::filesystem;

namespace {

class GameWindowTest : public TestSupport::GameHarness {
protected:
    fs::path userConfig() const { return home.home() / ".config" / "tetherix" / "config.cfg"; }
    ECS::EntityManager& world() { return game().world(); }
    Game::Menu& menu() { return game().menu(); }

    // Presses and releases the left button over the middle of the element.
    void clickOn(ECS::EntityId element)
    {
        ASSERT_TRUE(world().hasComponent<TransformComponent>(element)) << "no element " << element;
        const TransformComponent& t = world().getComponent<TransformComponent>(element);
        clickAt(int(t.position.x + t.scale.x / 2), source.windowHeight - int(t.position.y + t.scale.y / 2));
    }
    // The pop-up that says the settings could not be saved is on show.
    bool settingsNotSavedShown()
    {
        for (const UItextComponent& text : world().componentList<UItextComponent>().records())
            if (text.text == Game::GameController::kSettingsNotSavedText)
                return true;
        return false;
    }
    void clickOn(const std::string& name)
    {
        ASSERT_TRUE(menu().hasElement(name)) << name;
        clickOn(menu().element(name));
    }
    // A click at window pixels (x, y), y counted from the top edge.
    void clickAt(int x, int y)
    {
        source.pointerX = x;
        source.pointerY = y;
        runUpdates(1);
        source.buttons = SDL_BUTTON_LMASK;
        runUpdates(1);
        source.buttons = 0;
        runUpdates(2);
    }
    void tapKey(SDL_Scancode key)
    {
        setKey(key, true);
        runUpdates(1);
        setKey(key, false);
        runUpdates(1);
    }
    // The window as the user sizes it: the loop source reports the new size and the hidden
    // window's drawable takes it.
    void resizeWindow(int width, int height)
    {
        source.windowWidth = width;
        source.windowHeight = height;
        SDL_SetWindowSize(SDL_GL_GetCurrentWindow(), width, height);
        runUpdates(2);
    }
    // Window pixel (from the bottom-left corner) where the scene camera shows `point`.
    glm::ivec2 pixelOf(const glm::vec3& point)
    {
        const Game::CameraData& camera = game().sceneCamera();
        const glm::vec4 clip = camera.projection * camera.view * glm::vec4(point, 1.0f);
        const glm::vec2 ndc = glm::vec2(clip) / clip.w;
        const glm::vec2 size(game().targetSize());
        return glm::ivec2((ndc * 0.5f + 0.5f) * size);
    }
    float aspectOf(const glm::mat4& projection) { return projection[1][1] / projection[0][0]; }
    // Opens the editor, puts a block ahead and to the left of its camera and clicks on it; the
    // editor's data, whose gizmo shows when the click selected the block.
    const EditorDataComponent& selectBlockAhead()
    {
        game().openEditor();
        runUpdates(2);
        const glm::vec3 block(8.0f, 2.0f, 2.5f);
        TransformComponent placed;
        placed.position = block;
        game().map().addQube(world(), placed);
        game().map().rebuildPending = true;
        runUpdates(2);
        const glm::ivec2 shown = pixelOf(block);
        clickAt(shown.x, source.windowHeight - shown.y);
        return world().getComponent<EditorDataComponent>(game().editorEntity());
    }

    // How many GL objects of each kind are alive: textures, framebuffers, renderbuffers, buffers,
    // vertex arrays. Names are small numbers handed out from 1, so a scan of the low ones finds all.
    std::array<int, 5> liveGLObjects()
    {
        std::array<int, 5> count{};
        for (GLuint name = 1; name < 1u << 16; ++name) {
            count[0] += glIsTexture(name);
            count[1] += glIsFramebuffer(name);
            count[2] += glIsRenderbuffer(name);
            count[3] += glIsBuffer(name);
            count[4] += glIsVertexArray(name);
        }
        return count;
    }
};

} // namespace

TEST_F(GameWindowTest, OptionsAreAppliedAtOnceSavedOnBackAndReadBack)
{
    clickOn(Game::MenuNames::options);
    ASSERT_TRUE(game().options().shown());
    clickOn(Game::OptionsNames::less(Option::fieldOfView));
    clickOn(Game::OptionsNames::more(Option::mouseSensitivity));
    clickOn(Game::OptionsNames::value(Option::invertMouse));

    // At once: every camera sees with the new field of view, the mouse look reads the rest.
    const glm::mat4 expected = glm::perspectiveFov(glm::radians(105.0f), 1280.0f, 720.0f, 0.01f, 2000.0f);
    for (const ECS::EntityId camera : {game().menuCameraEntity(), game().editorCameraEntity(), game().playerEntity()})
        EXPECT_EQ(world().getComponent<CameraComponent>(camera).current.projection, expected);
    EXPECT_FLOAT_EQ(game().lookSettings().sensitivity, 1.1f);
    EXPECT_TRUE(game().lookSettings().invert);
    EXPECT_FALSE(fs::exists(userConfig())) << "nothing is written before \"Back\"";

    // Escape leaves like "Back": saved, and the main menu is back.
    tapKey(SDL_SCANCODE_ESCAPE);
    EXPECT_FALSE(game().options().shown());
    EXPECT_TRUE(menu().hasElement(Game::MenuNames::singleplayer));
    ASSERT_TRUE(fs::exists(userConfig()));
    const Engine::Settings saved = Engine::loadSettings(Engine::GameFolders{}.shippedConfig(), userConfig());
    EXPECT_EQ(saved, game().settings());
    EXPECT_EQ(saved.fieldOfView, 105);
    EXPECT_TRUE(saved.invertMouse);

    // In play the mouse turns the view by the new sensitivity, upwards when moved down.
    game().startSinglePlayer();
    runUpdates(1);
    const CameraModificationComponent before = world().getComponent<CameraModificationComponent>(game().playerEntity());
    source.motion(10, 10);
    runUpdates(1);
    const CameraModificationComponent& after = world().getComponent<CameraModificationComponent>(game().playerEntity());
    EXPECT_NEAR(after.yaw - before.yaw, -10 * 0.5f * 1.1f, 1e-3f);
    EXPECT_NEAR(after.pitch - before.pitch, 10 * 0.5f * 1.1f, 1e-3f);
}

TEST_F(GameWindowTest, ASettingsFileThatCannotBeWrittenIsReported)
{
    // A file where the configuration folder should be: nothing can be saved there.
    fs::create_directories(home.home() / ".config");
    std::ofstream(home.home() / ".config" / "tetherix") << "not a folder";
    clickOn(Game::MenuNames::options);
    clickOn(Game::OptionsNames::back);
    EXPECT_TRUE(settingsNotSavedShown());
    EXPECT_TRUE(menu().hasElement(Game::MenuNames::singleplayer));
}

class DamagedSettingsTest : public GameWindowTest {
protected:
    const std::string damaged = std::string("field_of_view = 70\n\0\0\0\0\0", 24);

    void SetUp() override
    {
        fs::create_directories(userConfig().parent_path());
        std::ofstream(userConfig(), std::ios::binary) << damaged;
        GameWindowTest::SetUp();
    }
};

TEST_F(DamagedSettingsTest, ADamagedUserFileFallsBackToTheDefaultsAndIsNeverOverwritten)
{
    Engine::Settings defaults = Engine::loadSettings(Engine::GameFolders{}.shippedConfig(), fs::path());
    defaults.renderScale = game().settings().renderScale; // chosen at start, not read from a file
    EXPECT_EQ(game().settings(), defaults);
    EXPECT_NE(initLog.find("CONFIG: " + userConfig().string() + " is damaged (not a text file), ignored\n"),
              std::string::npos)
        << initLog;

    // "Back" would replace what the user may still want: the file stays and the pop-up says so.
    clickOn(Game::MenuNames::options);
    clickOn(Game::OptionsNames::back);
    EXPECT_TRUE(settingsNotSavedShown());
    std::string kept;
    ASSERT_TRUE(Engine::readFileBytes(userConfig(), kept));
    EXPECT_EQ(kept, damaged);
}

TEST_F(GameWindowTest, AfterAResizeTargetsProjectionPickingAndMenusFollowTheWindow)
{
    const EditorDataComponent& editor = selectBlockAhead();
    ASSERT_TRUE(editor.gizmoShown);

    const Engine::GFX::FBO* const oldScene = game().resources().sceneTarget.get();
    const GLuint oldFramebuffer = oldScene->id();
    const GLuint oldImage = oldScene->colourTexture(0).id();
    resizeWindow(1000, 600);

    const Game::RenderResources& r = game().resources();
    for (const Engine::GFX::FBO* target : {r.sceneTarget.get(), r.outlineTarget.get(), r.pickingTarget.get()}) {
        EXPECT_EQ(target->width(), 1000u);
        EXPECT_EQ(target->height(), 600u);
    }
    EXPECT_FALSE(glIsFramebuffer(oldFramebuffer)) << "the old target is deleted, not leaked";
    EXPECT_FALSE(glIsTexture(oldImage));
    EXPECT_NEAR(aspectOf(game().sceneCamera().projection), 1000.0f / 600.0f, 1e-4f);

    // The picking image of the new size holds the gizmo's centre where the new view shows it.
    const glm::ivec2 centre = pixelOf(glm::vec3(editor.gizmoMatrix[3]));
    EXPECT_EQ(Engine::GFX::readPixelID(centre.x, centre.y, *r.pickingTarget), uint32_t(Game::EditorHandle::centre));
    EXPECT_EQ(Engine::GFX::readPixelID(centre.x + 200, centre.y - 200, *r.pickingTarget), 0u);

    // The top bar is built again across the new width, at the new top edge.
    const auto& bar = world().getComponent<TransformComponent>(menu().element(Game::TopBarNames::backgroundTop));
    EXPECT_EQ(bar.scale.x, 1000.0f);
    EXPECT_EQ(bar.position.y, 600.0f - 32.0f);
    EXPECT_EQ(glm::ivec2(game().settings().width, game().settings().height), glm::ivec2(1000, 600))
        << "the size the user chose is the resolution the Options screen shows and saves";
}

TEST_F(GameWindowTest, TheSceneFollowsTheRenderScaleWhileTextsStaySharpAndPickingHits)
{
    // Text pixels drawn fully white over the dark menu panel: the "Singleplayer" button's text.
    const auto textCores = [this] {
        runUpdates(1);
        std::vector<bool> cores;
        for (const Pixel& pixel : readPixels(-1, 80, 320, 160, 40))
            cores.push_back(pixel[0] >= 250 && pixel[1] >= 250 && pixel[2] >= 250);
        return cores;
    };
    const std::vector<bool> native = textCores();
    ASSERT_GT(std::count(native.begin(), native.end(), true), 50);

    game().options().setRenderScale(50);
    runUpdates(2);
    const Game::RenderResources& r = game().resources();
    EXPECT_EQ(r.sceneTarget->width(), 640u);
    EXPECT_EQ(r.sceneTarget->height(), 360u);
    EXPECT_EQ(r.outlineTarget->width(), 640u);
    EXPECT_EQ(r.pickingTarget->width(), 1280u) << "picking reads window pixels";
    EXPECT_EQ(textCores(), native) << "texts are drawn at the window's resolution";
    // Half of an even size is stretched pixel for pixel: every 2 x 2 square of the scene (here the
    // blocks and the sky beside the menu panel) shows one colour, with no smoothing across squares.
    constexpr int kSide = 96;
    const std::vector<Pixel> scene = readPixels(-1, 400, 360, kSide, kSide);
    int blended = 0;
    for (int y = 0; y < kSide; y += 2)
        for (int x = 0; x < kSide; x += 2) {
            const Pixel& corner = scene[size_t(y * kSide + x)];
            for (const int next : {y * kSide + x + 1, (y + 1) * kSide + x, (y + 1) * kSide + x + 1})
                blended += scene[size_t(next)] != corner ? 1 : 0;
        }
    EXPECT_EQ(blended, 0);
    resizeWindow(1000, 600);
    EXPECT_EQ(r.sceneTarget->width(), 500u);
    EXPECT_EQ(r.sceneTarget->height(), 300u);

    // The editor at 50%: a click on a block selects it, and the handles are found where they show.
    const EditorDataComponent& editor = selectBlockAhead();
    ASSERT_TRUE(editor.gizmoShown);
    const glm::ivec2 centre = pixelOf(glm::vec3(editor.gizmoMatrix[3]));
    EXPECT_EQ(Engine::GFX::readPixelID(centre.x, centre.y, *r.pickingTarget), uint32_t(Game::EditorHandle::centre));

    game().options().setRenderScale(Engine::kRenderScaleAuto);
    runUpdates(2);
    EXPECT_EQ(r.sceneTarget->width(), 1000u) << "Auto starts at 100%";
}

TEST_F(GameWindowTest, AWindowWiderThanTheGpuDrawsGetsTargetsThatFitAndTheViewStretched)
{
    game().openEditor();
    runUpdates(2);
    const Engine::GFX::TargetSize largest = Engine::GFX::maxTargetSize();
    const int width = int(largest.width) + 1;
    resizeWindow(width, 200);
    runUpdates(2);

    const Game::RenderResources& r = game().resources();
    for (const Engine::GFX::FBO* target : {r.sceneTarget.get(), r.outlineTarget.get(), r.pickingTarget.get()}) {
        ASSERT_NE(target, nullptr);
        EXPECT_LE(target->width(), largest.width);
        EXPECT_EQ(target->requestedSize().width, uint32_t(width));
    }
    // The frame ends with the viewport over the whole window, as far as GL allows.
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[3], 200);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    resizeWindow(1000, 600);
    EXPECT_EQ(r.sceneTarget->width(), 1000u);
}

TEST_F(GameWindowTest, ResizingAgainAndAgainLeavesNoGLObjectBehindAndKeepsMenusInPlace)
{
    // The render targets are made anew and the menu or the editor's top bar, its drop-down and
    // the shortcut help are built again at every size: each time the old ones must go.
    const ECS::EntityId box = game().menuBuilder().createOKpopup(2, "Hello");
    runUpdates(1);
    resizeWindow(1000, 600);
    const std::array<int, 5> menuObjects = liveGLObjects();
    for (const auto& [width, height] : {std::pair{1280, 720}, {800, 600}, {1000, 600}})
        resizeWindow(width, height);
    EXPECT_EQ(liveGLObjects(), menuObjects) << "main menu";

    // The menu and the pop-up are laid out for the last size, and "OK" still takes it down.
    EXPECT_EQ(world().getComponent<TransformComponent>(box).position, glm::vec3(500 - 300, 300 - 170, 0));
    const ECS::EntityId blocker = world().componentList<UIblockerComponent>().ownerOf(0);
    EXPECT_EQ(world().getComponent<TransformComponent>(blocker).scale, glm::vec3(1000, 600, 1));
    const auto& first = world().getComponent<TransformComponent>(menu().element(Game::MenuNames::singleplayer));
    EXPECT_EQ(first.position.y, 600.0f / 2 - 48);
    clickAt(500, 600 - (300 - 150 + 24));
    EXPECT_FALSE(world().isAlive(box));

    game().openEditor();
    runUpdates(2);
    tapKey(SDL_SCANCODE_F1);
    clickOn(Game::TopBarNames::add);
    ASSERT_TRUE(menu().hasElement(Game::HelpNames::panel));
    ASSERT_TRUE(menu().hasElement(Game::TopBarNames::addBlock));
    const std::array<int, 5> editorObjects = liveGLObjects();
    for (const auto& [width, height] : {std::pair{1280, 720}, {800, 600}, {1000, 600}})
        resizeWindow(width, height);
    EXPECT_TRUE(menu().hasElement(Game::TopBarNames::addBlock)) << "the drop-down stays open";
    EXPECT_EQ(liveGLObjects(), editorObjects) << "editor";
}

TEST_F(GameWindowTest, TheShortcutHelpFitsBelowTheTopBarAtEverySize)
{
    game().openEditor();
    runUpdates(2);
    tapKey(SDL_SCANCODE_F1);
    for (const auto& [width, height] : {std::pair{1600, 900}, {1000, 720}, {800, 600}, {640, 480}}) {
        resizeWindow(width, height);
        const std::string size = std::to_string(width) + "x" + std::to_string(height);
        ASSERT_TRUE(menu().hasElement(Game::HelpNames::panel)) << size;
        const auto& panel = world().getComponent<TransformComponent>(menu().element(Game::HelpNames::panel));
        EXPECT_GE(panel.position.x, 0.0f) << size;
        EXPECT_LE(panel.position.x + panel.scale.x, float(width)) << size;
        EXPECT_LE(panel.position.y + panel.scale.y, float(height) - 84.0f) << size << ": the bar stays whole";
        if (height >= 600) {
            EXPECT_GE(panel.position.y, 0.0f) << size << ": every line on show";
        }
        // Both lists of keys and what they do lie inside the panel, side by side or stacked.
        for (const std::string& name : {Game::HelpNames::keys + "0", Game::HelpNames::actions + "0",
                                        Game::HelpNames::keys + "1", Game::HelpNames::actions + "1"}) {
            const auto& list = world().getComponent<TransformComponent>(menu().element(name));
            EXPECT_GE(list.position.x, panel.position.x) << name << " at " << size;
            EXPECT_LE(list.position.x + list.scale.x, panel.position.x + panel.scale.x) << name << " at " << size;
            EXPECT_LE(list.position.y + list.scale.y, panel.position.y + panel.scale.y) << name << " at " << size;
        }
    }
}

TEST_F(GameWindowTest, F11AndAltReturnToggleFullScreen)
{
    tapKey(SDL_SCANCODE_F11);
    EXPECT_TRUE(game().settings().fullscreen);
    EXPECT_TRUE(source.fullscreen);
    setKey(SDL_SCANCODE_LALT, true);
    tapKey(SDL_SCANCODE_RETURN);
    setKey(SDL_SCANCODE_LALT, false);
    EXPECT_FALSE(game().settings().fullscreen);
    EXPECT_FALSE(source.fullscreen);
    EXPECT_EQ(source.windowRequests.back(), "size " + std::to_string(game().settings().width) + "x" + std::to_string(game().settings().height))
        << "back to the windowed size";
    tapKey(SDL_SCANCODE_RETURN);
    EXPECT_FALSE(game().settings().fullscreen) << "Return alone is no toggle";
}
