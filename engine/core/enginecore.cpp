#include "engine/core/enginecore.h"

#include "engine/core/assert.h"
#include "engine/core/log.h"

#include <GL/glew.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <numeric>

namespace Engine {

EngineCore::EngineCore(LoopSource* source)
    : ownedSource_(source ? nullptr : std::make_unique<SdlLoopSource>())
    , source_(source ? source : ownedSource_.get())
{
    lastTicks = source_->ticks();
}

EngineCore::~EngineCore()
{
    dropHeldBackEvents();
}

int EngineCore::run()
{
    TX_ASSERT(game != nullptr, "the engine needs a game to run");
    SDL_SetMainReady();
    logLine("START ENGINE");
    if (!startUp()) {
        logf("Failed to initialize!\n");
        shutDown();
        return 1;
    }
    mainLoop();
    source_->stopTextInput();
    dropHeldBackEvents();
    shutDown();
    return 0;
}

bool EngineCore::startUp()
{
    quit = false;
    interpolate = true;
    stepMs = kStartStepMs;
    window = std::make_unique<WindowContext>(kWindowWidth, kWindowHeight);
    renderContext = std::make_unique<GFX::RenderContext>();

#ifdef SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE
    // Closing the window is the game's to answer (closeRequested); only a real quit request, such
    // as an interrupt signal, ends the loop unasked.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
#endif
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        logf("SDL could not initialize! SDL Error: %s\n", SDL_GetError());
        return false;
    }
    // Game controllers are welcome but not needed: without them the game plays by keyboard and mouse.
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        logf("No game controller support: %s\n", SDL_GetError());
    game->platformStarted();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);

    window->window = SDL_CreateWindow("Engine", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, window->width,
                                      window->height, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
    if (!window->window) {
        logf("Window could not be created! SDL Error: %s\n", SDL_GetError());
        return false;
    }
    window->glContext = SDL_GL_CreateContext(window->window);
    if (!window->glContext) {
        logf("OpenGL context could not be created! SDL Error: %s\n", SDL_GetError());
        return false;
    }
    glewExperimental = GL_TRUE;
    const GLenum glewStatus = glewInit();
    // Without GLX (e.g. SDL's offscreen driver) GLEW reports "no GLX display" although the context
    // exists and every GL entry point it loaded works.
    if (glewStatus != GLEW_OK && glewStatus != GLEW_ERROR_NO_GLX_DISPLAY) {
        logf("GLEW could not initialize! GLEW Error: %s\n",
             reinterpret_cast<const char*>(glewGetErrorString(glewStatus)));
        return false;
    }
    // GLEW's extension probing leaves an error behind on core contexts; it is not the game's.
    while (glGetError() != GL_NO_ERROR) {
    }
    // Which renderer draws, so that a slow start on a software one explains itself.
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    logLine(std::string("Renderer: ") + (renderer ? renderer : "unknown"));

    SDL_GL_SetSwapInterval(0);
    window->handle = std::make_unique<WindowHandle>(WindowHandle{window->window, 0});
    createInputState(window->window);
    return true;
}

void EngineCore::createInputState(SDL_Window* sdlWindow)
{
    int numKeys = 0;
    const Uint8* keys = source_->keyboardState(numKeys);
    keyboard = std::make_unique<KeyboardState>(keys, numKeys);
    mouse = std::make_unique<MouseState>();
    mouse->window = sdlWindow;
    gamepad = std::make_unique<GamepadState>();
}

void EngineCore::mainLoop()
{
    TX_ASSERT(game != nullptr, "the engine needs a game to run");
    TX_ASSERT(keyboard && mouse, "the input snapshots are created before the loop");
    source_->stopTextInput(); // text fields turn typing on when they take focus
    game->init();
    dropHeldBackEvents();
    while (!quit)
        runFrame();
}

int EngineCore::runFrame()
{
    measureFrame();
    handleHeldBackEvents();

    int steps = 0;
    while (accumulator >= stepMs) {
        accumulator -= stepMs;
        if (steps >= kMaxStepsPerFrame)
            break; // this step is dropped: a long stall must not turn into an endless catch-up
        ++steps;
        runStep();
    }

    float alpha = 1.0f;
    if (interpolate) {
        if (stepMs > 0)
            alpha = std::clamp(static_cast<float>(accumulator) / static_cast<float>(stepMs), 0.0f, 1.0f);
    } else if (steps == 0) {
        return steps; // nothing new to show
    }
    if (source_->wantsFrame())
        game->render(alpha);
    source_->swapWindow(window ? window->window : nullptr);
    return steps;
}

void EngineCore::measureFrame()
{
    const Uint32 now = source_->ticks();
    const Uint32 delta = now - lastTicks;
    lastTicks = now;
    accumulator += delta;
    frameTimes[frameIndex] = delta;
    frameIndex = (frameIndex + 1) % kFrameHistory;
    const Uint32 sum = std::accumulate(frameTimes.begin(), frameTimes.end(), Uint32{0});
    averageFrameMs = static_cast<float>(sum) * (1.0f / kFrameHistory);
}

void EngineCore::handleHeldBackEvents()
{
    for (const SDL_Event& event : heldBack_) {
        if (event.type == SDL_QUIT)
            quit = true;
        else if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE && game
                 && game->closeRequested())
            quit = true;
    }
    dropHeldBackEvents();
}

void EngineCore::dropHeldBackEvents()
{
    // Drop events own a string that SDL hands over to whoever takes the event.
    for (SDL_Event& event : heldBack_) {
        if (event.type == SDL_DROPFILE || event.type == SDL_DROPTEXT)
            SDL_free(event.drop.file);
    }
    heldBack_.clear();
}

namespace {

// Step input gathered from the events: SDL sends a tap's press and release together when the
// input comes from a remote desktop, an assistive tool or a touchpad tap, so the snapshots take
// their edges from the events and not only from the state at the step's end.
struct StepEvents {
    long long motionX = 0; // wider than the event's fields: a step may bring many large motions
    long long motionY = 0;
    int wheel = 0;
    Uint32 buttonsWentDown = 0;
    std::array<uint8_t, 3> presses{}; // left, right, middle
};

int saturatedInt(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

// One wheel event's notches, up positive whatever the system's scrolling direction.
long long wheelNotches(const SDL_MouseWheelEvent& wheel)
{
    const long long notches = wheel.y;
    return wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -notches : notches;
}

// SDL's mask bit of a button number; 0 for numbers that have no bit.
Uint32 buttonBit(Uint8 button)
{
    return button >= 1 && button <= 32 ? SDL_BUTTON(button) : 0u;
}

// Counts a press of SDL's button number into the left, right and middle counts; others are not
// counted, and a count stops at its type's top.
void countPress(std::array<uint8_t, 3>& presses, Uint8 button)
{
    int slot = -1;
    if (button == SDL_BUTTON_LEFT)
        slot = 0;
    else if (button == SDL_BUTTON_RIGHT)
        slot = 1;
    else if (button == SDL_BUTTON_MIDDLE)
        slot = 2;
    if (slot >= 0 && presses[static_cast<size_t>(slot)] < std::numeric_limits<uint8_t>::max())
        ++presses[static_cast<size_t>(slot)];
}

} // namespace

void EngineCore::runStep()
{
    textInput.clear();
    StepEvents gathered;

    SDL_Event event;
    while (source_->pollEvent(event)) {
        switch (event.type) {
        case SDL_TEXTINPUT:
            textInput.emplace_back(event.text.text, strnlen(event.text.text, sizeof(event.text.text)));
            break;
        case SDL_MOUSEMOTION:
            gathered.motionX += event.motion.xrel;
            gathered.motionY += event.motion.yrel;
            break;
        case SDL_MOUSEWHEEL:
            gathered.wheel = static_cast<int>(std::clamp<long long>(gathered.wheel + wheelNotches(event.wheel),
                                                                    -MouseState::kMaxWheelNotches,
                                                                    MouseState::kMaxWheelNotches));
            break;
        case SDL_KEYDOWN:
            if (event.key.repeat == 0)
                keyboard->noteKeyDown(event.key.keysym.scancode);
            break;
        case SDL_MOUSEBUTTONDOWN:
            gathered.buttonsWentDown |= buttonBit(event.button.button);
            countPress(gathered.presses, event.button.button);
            break;
        case SDL_KEYUP:
        case SDL_MOUSEBUTTONUP:
            break; // the state at the step's end and the next step's snapshot tell a release
        default:
            heldBack_.push_back(event);
            break;
        }
    }

    keyboard->refresh();
    if (gamepad)
        gamepad->refresh();
    takeMouseSnapshot(gathered.motionX, gathered.motionY, gathered.wheel, gathered.buttonsWentDown);
    for (size_t i = 0; i < gathered.presses.size(); ++i) {
        if (gathered.presses[i] > 0)
            mouse->presses[i] = gathered.presses[i];
    }
    game->update();
}

void EngineCore::takeMouseSnapshot(long long motionX, long long motionY, int wheel, Uint32 buttonsWentDown)
{
    MouseState& m = *mouse;
    if (m.resetRelative) {
        m.resetRelative = false;
        motionX = motionY = wheel = 0;
    }
    m.relX = saturatedInt(motionX);
    m.relY = saturatedInt(motionY);
    m.wheel = wheel;
    m.previousButtons = m.buttons;
    m.buttons = source_->mouseState(m.x, m.y) | buttonsWentDown;
    m.pressedAgain = buttonsWentDown & m.previousButtons;
    int width = 0;
    int height = 0;
    source_->windowSize(m.window, width, height);
    m.posX = m.x;
    m.posY = height - m.y;
}

void EngineCore::shutDown()
{
    // The game frees its GL objects while the context still exists; only then does the context
    // go, and the window after it.
    if (game)
        game->shutdown();
    keyboard.reset();
    mouse.reset();
    gamepad.reset();
    renderContext.reset();
    window.reset();
    SDL_Quit();
}

} // namespace Engine
