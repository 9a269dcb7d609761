#include "tests/support/scriptedsource.h"

#include <cstring>

namespace TestSupport {

bool ScriptedSource::pollEvent(SDL_Event& event)
{
    if (pending.empty())
        return false;
    event = pending.front();
    pending.pop_front();
    return true;
}

const Uint8* ScriptedSource::keyboardState(int& numKeys)
{
    numKeys = SDL_NUM_SCANCODES;
    return keys;
}

Uint32 ScriptedSource::mouseState(int& x, int& y)
{
    x = pointerX;
    y = pointerY;
    return buttons;
}

void ScriptedSource::windowSize(SDL_Window*, int& width, int& height)
{
    width = windowWidth;
    height = windowHeight;
}

void ScriptedSource::warpMouse(SDL_Window*, int x, int y)
{
    pointerX = x;
    pointerY = y;
    warps.emplace_back(x, y);
}

bool ScriptedSource::setSwapInterval(int interval)
{
    windowRequests.push_back("swap " + std::to_string(interval));
    if (interval < 0 && !adaptiveVsync)
        return false;
    swapInterval = interval;
    return true;
}

bool ScriptedSource::setWindowIcon(SDL_Window*, const char* path)
{
    iconPath = path;
    return iconReadable;
}

void ScriptedSource::setFullscreen(SDL_Window*, bool on)
{
    windowRequests.push_back(on ? "fullscreen on" : "fullscreen off");
    fullscreen = on;
}

void ScriptedSource::setWindowSize(SDL_Window*, int width, int height)
{
    windowRequests.push_back("size " + std::to_string(width) + "x" + std::to_string(height));
    windowWidth = width;
    windowHeight = height;
}

void ScriptedSource::motion(int xrel, int yrel)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.xrel = xrel;
    event.motion.yrel = yrel;
    pending.push_back(event);
}

void ScriptedSource::wheel(int y)
{
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = y;
    pending.push_back(event);
}

void ScriptedSource::text(const char* typed)
{
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    std::strncpy(event.text.text, typed, sizeof(event.text.text) - 1);
    pending.push_back(event);
}

void ScriptedSource::plain(Uint32 type)
{
    SDL_Event event{};
    event.type = type;
    pending.push_back(event);
}

void ScriptedSource::keyEvent(SDL_Scancode key, bool down, bool repeat)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.scancode = key;
    pending.push_back(event);
}

void ScriptedSource::buttonEvent(Uint8 button, bool down)
{
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = button;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    pending.push_back(event);
}

void ScriptedSource::tapKey(SDL_Scancode key)
{
    keyEvent(key, true);
    keyEvent(key, false);
}

void ScriptedSource::tapButton(Uint8 button)
{
    buttonEvent(button, true);
    buttonEvent(button, false);
}

} // namespace TestSupport
