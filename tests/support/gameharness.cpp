#include "tests/support/gameharness.h"

#include "engine/gfx/fbo.h"
#include "game/menu/optionsscreen.h"
#include "game/resources/renderresources.h"

#include <GL/glew.h>

#include <filesystem>

namespace TestSupport {

void GameHarness::SetUp()
{
    GLTest::SetUp();
    if (HasFatalFailure())
        return;
    std::filesystem::create_directories(home.home() / "Documents");
    window = SDL_GL_GetCurrentWindow();
    source.windowWidth = 1280;
    source.windowHeight = 720;

    engine = std::make_unique<Engine::EngineCore>(&source);
    // The engine borrows the fixture's window; TearDown takes it back before the engine goes.
    engine->window = std::make_unique<Engine::WindowContext>(Engine::EngineCore::kWindowWidth,
                                                             Engine::EngineCore::kWindowHeight);
    engine->window->window = window;
    engine->window->handle = std::make_unique<Engine::WindowHandle>(Engine::WindowHandle{window, 0});
    engine->renderContext = std::make_unique<Engine::GFX::RenderContext>();
    engine->createInputState(window);

    controller = std::make_unique<Game::GameController>(*engine);
    engine->game = controller.get();
    testing::internal::CaptureStdout();
    controller->init();
    initLog = testing::internal::GetCapturedStdout();
    // The scripted clock makes frames of up to 100 ms, which Auto would answer with a smaller
    // scene: tests see the scene at the window's size unless they choose another scale.
    controller->options().setRenderScale(100);
}

void GameHarness::TearDown()
{
    if (controller)
        controller->shutdown();
    controller.reset();
    if (engine && engine->window) {
        engine->window->window = nullptr;
        engine->window->glContext = nullptr;
    }
    engine.reset();
    if (window) {
        // Other tests of this process expect the fixture's size, in a window.
        SDL_SetWindowFullscreen(window, 0);
        SDL_SetWindowSize(window, kGLWindowWidth, kGLWindowHeight);
        glViewport(0, 0, kGLWindowWidth, kGLWindowHeight);
    }
    while (glGetError() != GL_NO_ERROR) {
    }
}

int GameHarness::frameAfter(Uint32 elapsedMs)
{
    source.now += elapsedMs;
    return engine->runFrame();
}

int GameHarness::runUpdates(int updates)
{
    int frames = 0;
    while (updates > 0) {
        const int steps = std::min(updates, Engine::EngineCore::kMaxStepsPerFrame);
        updates -= frameAfter(Uint32(steps) * engine->stepMs);
        ++frames;
    }
    return frames;
}

void GameHarness::runUndrawnUpdates(int updates)
{
    for (int i = 0; i < updates; ++i)
        controller->update();
}

std::vector<GameHarness::Pixel> GameHarness::readPixels(int attachment, int x, int y, int width, int height)
{
    std::vector<Pixel> pixels(size_t(width) * size_t(height));
    if (attachment >= 0) {
        controller->resources().sceneTarget->bind();
        glReadBuffer(GL_COLOR_ATTACHMENT0 + GLenum(attachment));
    } else {
        Engine::GFX::FBO::bindDefault();
        glReadBuffer(GL_BACK);
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    Engine::GFX::FBO::bindDefault();
    glReadBuffer(GL_BACK);
    return pixels;
}

} // namespace TestSupport
