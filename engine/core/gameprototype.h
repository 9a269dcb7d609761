#pragma once
// The game the engine drives. The engine calls init once after start-up succeeded, update once per
// fixed step, render once per frame and shutdown once at the end, while the GL context still exists.

namespace Engine {

class GamePrototype {
public:
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
