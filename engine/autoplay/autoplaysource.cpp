#include "engine/autoplay/autoplaysource.h"

#include "engine/autoplay/framecapture.h"
#include "engine/core/log.h"
#include "engine/gfx/gldriver.h"

#include <utf8cpp/utf8.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace Engine::Autoplay {

AutoplaySource::AutoplaySource(Script script) : script_(std::move(script)) {}

bool AutoplaySource::pollEvent(SDL_Event& event)
{
    if (!pending_.empty()) {
        event = pending_.front();
        pending_.pop_front();
        return true;
    }
    SDL_Event outside;
    while (SDL_PollEvent(&outside) != 0) {
        if (outside.type == SDL_DROPFILE || outside.type == SDL_DROPTEXT)
            SDL_free(outside.drop.file);
        if (outside.type == SDL_QUIT && outcome_ == Outcome::Playing) {
            logf("Autoplay: stopped from outside after script line %d\n", line_);
            outcome_ = Outcome::Interrupted;
            event = outside;
            return true;
        }
        // The window's close button is the game's to answer, as in a normal run.
        if (outside.type == SDL_WINDOWEVENT && outside.window.event == SDL_WINDOWEVENT_CLOSE) {
            windowCloseSeen_ = true;
            event = outside;
            return true;
        }
    }
    // The engine polls until the queue is empty once per update: this update's input is complete.
    if (waitLeft_ > 0)
        --waitLeft_;
    return false;
}

const Uint8* AutoplaySource::keyboardState(int& numKeys)
{
    numKeys = static_cast<int>(keys_.size());
    return keys_.data();
}

Uint32 AutoplaySource::mouseState(int& x, int& y)
{
    x = pointerX_;
    y = pointerY_;
    return buttons_;
}

void AutoplaySource::windowSize(SDL_Window* window, int& width, int& height)
{
    if (window) {
        SDL_GetWindowSize(window, &width, &height);
        return;
    }
    width = kFallbackWidth;
    height = kFallbackHeight;
}

void AutoplaySource::drawableSize(SDL_Window* window, int& width, int& height)
{
    if (window) {
        SDL_GL_GetDrawableSize(window, &width, &height);
        return;
    }
    windowSize(window, width, height);
}

void AutoplaySource::swapWindow(SDL_Window* window)
{
    if (window && !driverKept_) {
        // Autoplay runs are checked by the sanitizers from start to exit, the GL driver's own
        // allocations included.
        GFX::keepGLDriverLoaded();
        driverKept_ = true;
    }
    if (outcome_ == Outcome::Playing)
        playUntilWait(window);
    if (window)
        SDL_GL_SwapWindow(window);
    // One update is due next frame while the script waits or has input that no update has read
    // yet (such as the final quit event).
    if (waitLeft_ > 0 || !pending_.empty())
        clock_ += kStepMs;
}

bool AutoplaySource::wantsFrame()
{
    if (!screenshotsOnly_)
        return true;
    // The script goes on after this frame only when its wait ran out; the frame is needed when
    // a screenshot comes before the next wait.
    if (waitLeft_ > 0 || outcome_ != Outcome::Playing)
        return false;
    const std::vector<ScriptCommand>& commands = script_.commands();
    for (size_t i = next_; i < commands.size(); ++i) {
        if (commands[i].kind == ScriptCommand::Kind::Screenshot)
            return true;
        if (commands[i].kind == ScriptCommand::Kind::Wait)
            return false;
    }
    return false;
}

void AutoplaySource::setRelativeMouseMode(bool enabled)
{
    relativeMode_ = enabled;
    deviceX_ = pointerX_;
    deviceY_ = pointerY_;
}

void AutoplaySource::warpMouse(SDL_Window*, int x, int y)
{
    pointerX_ = deviceX_ = x;
    pointerY_ = deviceY_ = y;
}

void AutoplaySource::playUntilWait(SDL_Window* window)
{
    while (waitLeft_ == 0 && outcome_ == Outcome::Playing) {
        if (next_ == script_.commands().size()) {
            finish(Outcome::Finished);
            return;
        }
        const ScriptCommand& command = script_.commands()[next_++];
        line_ = command.line;
        play(command, window);
    }
}

void AutoplaySource::play(const ScriptCommand& command, SDL_Window* window)
{
    using Kind = ScriptCommand::Kind;
    switch (command.kind) {
    case Kind::KeyDown:
    case Kind::KeyUp:
        setKey(command.key, command.kind == Kind::KeyDown);
        break;
    case Kind::MouseTo:
        moveMouse(command.x, command.y, window);
        break;
    case Kind::MouseBy:
        moveMouse(static_cast<long long>(deviceX_) + command.x, static_cast<long long>(deviceY_) + command.y, window);
        break;
    case Kind::ButtonDown:
    case Kind::ButtonUp:
        setButton(command.button, command.kind == Kind::ButtonDown);
        break;
    case Kind::Wheel:
        scrollWheel(command.wheel);
        break;
    case Kind::Text:
        typeText(command.text);
        break;
    case Kind::Wait:
        waitLeft_ = command.updates;
        break;
    case Kind::Screenshot:
        takeScreenshot(command.text, window);
        break;
    case Kind::Resize:
        if (window)
            SDL_SetWindowSize(window, command.x, command.y);
        break;
    case Kind::Quit:
        finish(Outcome::Finished);
        break;
    }
}

void AutoplaySource::setKey(SDL_Scancode key, bool down)
{
    Uint8& held = keys_[static_cast<size_t>(key)];
    if ((held != 0) == down)
        return; // already so: SDL would send nothing new either
    held = down ? 1 : 0;
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = key;
    event.key.keysym.sym = SDL_GetKeyFromScancode(key);
    queue(event);
}

void AutoplaySource::moveMouse(long long deviceX, long long deviceY, SDL_Window* window)
{
    // A captured mouse has no edges, so many moves can add up: the device position saturates.
    deviceX = std::clamp<long long>(deviceX, -kMaxDeviceTravel, kMaxDeviceTravel);
    deviceY = std::clamp<long long>(deviceY, -kMaxDeviceTravel, kMaxDeviceTravel);
    int motionX = static_cast<int>(deviceX - deviceX_);
    int motionY = static_cast<int>(deviceY - deviceY_);
    deviceX_ = static_cast<int>(deviceX);
    deviceY_ = static_cast<int>(deviceY);
    if (!relativeMode_) {
        // A free pointer stops at the window's edges, and its motion with it.
        int width = 0;
        int height = 0;
        windowSize(window, width, height);
        const int x = static_cast<int>(std::clamp<long long>(deviceX, 0, std::max(width - 1, 0)));
        const int y = static_cast<int>(std::clamp<long long>(deviceY, 0, std::max(height - 1, 0)));
        motionX = x - pointerX_;
        motionY = y - pointerY_;
        pointerX_ = deviceX_ = x;
        pointerY_ = deviceY_ = y;
    }
    if (motionX == 0 && motionY == 0)
        return;
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.state = buttons_;
    event.motion.x = pointerX_;
    event.motion.y = pointerY_;
    event.motion.xrel = motionX;
    event.motion.yrel = motionY;
    queue(event);
}

void AutoplaySource::setButton(Uint8 button, bool down)
{
    const Uint32 mask = SDL_BUTTON(button);
    if (((buttons_ & mask) != 0) == down)
        return;
    buttons_ = down ? buttons_ | mask : buttons_ & ~mask;
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = button;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = pointerX_;
    event.button.y = pointerY_;
    queue(event);
}

void AutoplaySource::scrollWheel(int notches)
{
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = notches;
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    queue(event);
}

void AutoplaySource::typeText(const std::string& text)
{
    if (!textInput_) {
        logf("Autoplay: line %d: text input is off in the game, the text is not typed\n", line_);
        return;
    }
    // One event per character, as a keyboard produces them.
    auto it = text.begin();
    while (it != text.end()) {
        const auto start = it;
        utf8::next(it, text.end());
        SDL_Event event{};
        event.type = SDL_TEXTINPUT;
        std::memcpy(event.text.text, &*start, static_cast<size_t>(it - start));
        queue(event);
    }
}

void AutoplaySource::takeScreenshot(const std::string& file, SDL_Window* window)
{
    std::string error;
    if (saveFramePng(window, file, error)) {
        logLine("Autoplay: saved " + file);
        return;
    }
    logf("Autoplay: line %d: cannot save %s: %s\n", line_, file.c_str(), error.c_str());
    finish(Outcome::Failed);
}

void AutoplaySource::finish(Outcome outcome)
{
    outcome_ = outcome;
    waitLeft_ = 0;
    SDL_Event event{};
    event.type = SDL_QUIT;
    queue(event);
}

} // namespace Engine::Autoplay
