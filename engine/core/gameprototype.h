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

    virtual ~GamePrototype() = default;
};

} // namespace Engine
