#pragma once
// The engine object: owns the window and GL context, runs the fixed-step main loop, keeps the
// per-step input snapshots and drives one game through init, update, render and shutdown.
#include "engine/core/gamepadstate.h"
#include "engine/core/gameprototype.h"
#include "engine/core/keyboardstate.h"
#include "engine/core/loopsource.h"
#include "engine/core/mousestate.h"
#include "engine/core/windowcontext.h"
#include "engine/gfx/rendercontext.h"

#include <SDL.h>

#include <array>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace Engine {

class EngineCore {
public:
    static constexpr int kWindowWidth = 640;
    static constexpr int kWindowHeight = 480;
    static constexpr Uint32 kStartStepMs = 16;
    static constexpr int kMaxStepsPerFrame = 10;
    static constexpr int kFrameHistory = 64;

    // `source` feeds the loop (clock, events, pointer, window); null means SDL's own. A given source
    // is not owned. lastTicks starts at the source's current time.
    explicit EngineCore(LoopSource* source = nullptr);
    ~EngineCore();
    EngineCore(const EngineCore&) = delete;
    EngineCore& operator=(const EngineCore&) = delete;

    // The engine's whole life: start-up, the loop until quit, shut-down. Returns 0 after a normal
    // end and 1 when start-up failed (the reason is on the console).
    int run();
    // Starts SDL, opens the "Engine" window with an OpenGL 3.3 core context, starts GLEW and creates
    // the input snapshots. False, after printing SDL's or GLEW's error, when any of that fails.
    bool startUp();

    // Creates the keyboard snapshot over the loop source's key array, the mouse snapshot for
    // `sdlWindow` and the game controller snapshot.
    void createInputState(SDL_Window* sdlWindow);
    // Calls game->init, then runs frames until quit is set. Needs the input snapshots.
    void mainLoop();
    // One pass of the loop: timing, held-back events (a quit request ends the loop, closing the
    // window asks the game first), up to 10 update steps, render and swap.
    // Returns the number of update steps run.
    int runFrame();

    bool quit = false;
    bool interpolate = true;
    std::unique_ptr<WindowContext> window;
    std::unique_ptr<GFX::RenderContext> renderContext;
    std::unique_ptr<KeyboardState> keyboard;
    std::unique_ptr<MouseState> mouse;
    std::unique_ptr<GamepadState> gamepad;
    Uint32 lastTicks = 0;
    Uint32 accumulator = 0;
    Uint32 stepMs = kStartStepMs;
    Uint32 frameIndex = 0;
    std::array<Uint32, kFrameHistory> frameTimes{};
    float averageFrameMs = 0.0f;
    std::vector<std::string> textInput; // text typed during the current step, one entry per event
    GamePrototype* game = nullptr;      // not owned

    // Where the loop's clock, events, keys and pointer come from; the game sends its pointer and text
    // input requests through it too.
    LoopSource& loopSource() { return *source_; }

private:
    void measureFrame();
    void handleHeldBackEvents();
    void dropHeldBackEvents();
    void runStep();
    // Fills the mouse snapshot from the step's gathered events and the pointer's state at its end.
    void takeMouseSnapshot(long long motionX, long long motionY, int wheel, Uint32 buttonsWentDown);
    void shutDown();

    std::unique_ptr<LoopSource> ownedSource_;
    LoopSource* source_;
    // Events of a step that the step itself does not consume, looked at when the next frame starts.
    std::deque<SDL_Event> heldBack_;
};

} // namespace Engine
