#pragma once
// The player's ground and air control as pure functions of the held keys and the stored
// horizontal velocity (units per second). Tuning is per 10 ms game tick.
#include "game/camera/cameramath.h"

#include "engine/config/inputbinding.h"

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include <optional>
#include <string>

namespace Engine {
class GamepadState;
struct KeyboardState;
struct MouseState;
} // namespace Engine

namespace Game::PlayerMovement {

constexpr float maxSpeed = 9.0f;
constexpr float groundFriction = 0.5f;
constexpr float groundAcceleration = 0.6f;
constexpr float airFriction = 0.02f;
constexpr float airAcceleration = 0.04f;
constexpr float jumpSpeed = 10.0f;
constexpr float ropeRange = 100.0f;
// The mouse wheel reels the attached rope in (up) or out (down) by one unit a notch, between
// these lengths.
constexpr float minRopeLength = 2.0f;
constexpr float maxRopeLength = 100.0f;
constexpr float reelPerNotch = 1.0f;
// A reel key or button held reels this many units a tick (10 a second).
constexpr float reelPerTick = 0.1f;

// The input of one tick, taken from the engine's keyboard and mouse snapshots.
struct PlayerInput {
    CameraMath::MoveKeys keys;
    bool jumpHeld = false;        // the jump binding is down in this tick
    bool ropeHeld = false;        // the rope binding is down in this tick
    bool ropeHeldBefore = false;  // ... and was already down before it, so it fires nothing
    int wheel = 0;                // notches of the tick: up reels in, down reels out, 0 none
    int reelHeld = 0;             // a reel key or button held: 1 in, -1 out, 0 neither (or both)
    glm::vec2 stick{0.0f};        // a game controller's left stick, dead zone applied: x right, y forward

    bool ropeFired() const { return ropeHeld && !ropeHeldBefore; }

    // The actions of `bindings` (by default W, A, S, D, space, the left button, the wheel) in the
    // snapshots: keys and buttons held, the rope's fresh press, the wheel's notches. With a
    // connected `pad` as well: the left stick moves, A jumps, the right trigger holds the rope,
    // the right shoulder reels in and the left one out.
    static PlayerInput read(const Engine::KeyboardState& keyboard, const Engine::MouseState& mouse,
                            const Engine::Bindings& bindings = Engine::defaultBindings(),
                            const Engine::GamepadState* pad = nullptr);
};

// Angle of the wanted direction relative to the view yaw, in degrees, or none without input.
// W is 0 (forward), A 90 (left), S 180, D 270; W with A is 45, W with S forward, A with D right.
std::optional<float> keyAngle(const CameraMath::MoveKeys& keys);
// The wanted direction of `input` as keyAngle gives it, or, without keys, of its stick (forward
// 0, left 90, right -90); none without either.
std::optional<float> moveAngle(const PlayerInput& input);
// How fast `input` lets the player run by himself: full speed with keys, the stick's share of
// it with the stick.
float speedLimit(const PlayerInput& input);

// Shortens `velocity` by `friction` along its own direction; stops it when it is not faster.
glm::vec2 applyFriction(const glm::vec2& velocity, float friction);

// Pushes `velocity` towards `angleDegrees` by acceleration + friction. The push may turn the
// player but raises his speed no further than `limit`; a player already faster keeps his speed.
// A push that exactly cancels the velocity leaves it at zero.
glm::vec2 accelerate(const glm::vec2& velocity, float angleDegrees, float acceleration, float friction, float limit);

// Scales `velocity` to the speed the controller actually achieved this tick.
glm::vec2 achievedVelocity(const glm::vec2& velocity, float movedDistance, float dt);

// Where the rope lets a player at `position` be: on or inside the sphere of `length` around
// `anchor`.
glm::vec3 ropeConstrain(const glm::vec3& position, const glm::vec3& anchor, float length);
// `velocity` without its part along the rope (towards `anchor` from `position`).
glm::vec3 removeRadial(const glm::vec3& velocity, const glm::vec3& position, const glm::vec3& anchor);

// The rope length `wheel` notches ask for from `length`: one unit shorter a notch up, longer a
// notch down, never past the limits, and a rope already beyond a limit never goes further.
float reeledLength(float length, int wheel);
// The rope length `units` of reeling ask for from `length` (positive in, negative out), within
// the same limits.
float reeledBy(float length, float units);

// "Speed: N km/h" with N the speed in km/h rounded up.
std::string speedText(const glm::vec3& velocity);
// "Rope: N.N m" with the rope's length to a tenth of a unit.
std::string ropeText(float length);

} // namespace Game::PlayerMovement
