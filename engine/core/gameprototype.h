#pragma once
// The game the engine drives. The engine calls platformStarted once SDL is initialised, init once
// after start-up succeeded, update once per fixed step, render once per frame and shutdown once at
// the end, while the GL context still exists.

namespace Engine {

class GamePrototype {
public:
    // SDL is up, the window and GL context are not yet: work that needs neither (decoding image
    // files) may start on other threads here and run while they open. SDL has started its helper
    // processes by now, so no fork meets those threads.
    virtual void platformStarted() {}
    virtual void init() = 0;
    virtual void update() = 0;
    // `alpha` in [0, 1]: how far the frame lies between the last two updates.
    virtual void render(float alpha) = 0;
    virtual void shutdown() = 0;
    // The user closed the window: true ends the program after this frame; false when the game
    // answers for itself (it may ask first and end through the engine's quit flag later).
    virtual bool closeRequested() { return true; }

    virtual ~GamePrototype() = default;
};

} // namespace Engine
