#pragma once
// Pure camera arithmetic shared by the camera systems, the player and the editor: directions
// from yaw/pitch/roll angles (degrees, z-up, yaw from +x towards +y, pitch up from the
// horizontal), angle wrapping, and the per-tick motions of the camera drives. None of these
// functions ever returns NaN: degenerate inputs (zero vectors) give zero motion.
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

namespace Game::CameraMath {

constexpr float mouseDegreesPerPixel = 0.5f;
// A game controller's right stick at full tilt turns the view this far a tick (180° a second).
constexpr float padDegreesPerTick = 1.8f;
constexpr float maxPitch = 90.0f;
constexpr float freeCamUnitsPerTick = 0.4f;
constexpr float panUnitsPerPixel = 0.05f;
constexpr float menuDegreesPerTick = 0.005f;

// Which of the four movement keys (W, A, S, D) are held.
struct MoveKeys {
    bool forward = false;
    bool left = false;
    bool back = false;
    bool right = false;

    bool any() const { return forward || left || back || right; }
};

// Looking direction: (cos y · cos p, sin y · cos p, sin p).
glm::vec3 forwardFromAngles(float yawDegrees, float pitchDegrees);
// Up vector of the view, tilted sideways by the roll.
glm::vec3 upFromAngles(float yawDegrees, float pitchDegrees, float rollDegrees);

// Maps an angle difference into [-180, 180) (integer part modulo 360, fraction kept), so that
// interpolating by it takes the shorter arc. Non-finite input gives 0.
float wrapAngle(float degrees);
// Keeps a yaw within (-360, 360) with its sign and fraction. Non-finite input gives 0.
float wrapYaw(float degrees);
// Interpolated yaw from `previous` towards `current` along the shorter arc.
float interpolateYaw(float previous, float current, float alpha);

struct LookAngles {
    float yaw;
    float pitch;
};
// The player's mouse settings: a factor on the turn per pixel, and up and down swapped; the same
// for a game controller's right stick.
struct LookSettings {
    float sensitivity = 1.0f;
    bool invert = false;
    float padSensitivity = 1.0f;
    bool padInvert = false;
};
// Mouse look: half a degree per pixel times the sensitivity, right turns right, down looks down
// (up when inverted), pitch clamped.
LookAngles mouseLook(float yaw, float pitch, int dx, int dy, const LookSettings& settings = {});
// Stick look: `stick` (x right, y up, -1 to 1) turns padDegreesPerTick a tick at full tilt times
// the pad sensitivity; right turns right, up looks up (down when inverted), pitch clamped.
LookAngles padLook(float yaw, float pitch, glm::vec2 stick, const LookSettings& settings = {});

// Key angle of the free-flying camera in degrees: W+A is 45, otherwise the mean of the held
// keys' angles (W 360, A 90, S 180, D 270).
float freeCamKeyAngle(const MoveKeys& keys);
// Displacement of one tick of free flight (zero when no key is held).
glm::vec3 freeCamStep(float yaw, float pitch, float roll, const MoveKeys& keys);
// Displacement of one tick of panning by mouse motion (dx, dy) in the view plane.
glm::vec3 panStep(const glm::vec3& eye, const glm::vec3& center, const glm::vec3& up, int dx, int dy);
// Displacement of `wheel` notches along the view, one unit a notch (forwards for notches up).
glm::vec3 zoomStep(const glm::vec3& eye, const glm::vec3& center, int wheel);
// True when a view from `eye` towards `center` with `up` is well defined (distinct points, up
// not along the view), so that building it cannot produce NaN.
bool canLookAt(const glm::vec3& eye, const glm::vec3& center, const glm::vec3& up);
// Eye of the circling menu camera one tick on from `eye` around `center` (x, y).
glm::vec3 menuCircleEye(const glm::vec3& eye, float centerX, float centerY, float eyeHeight);

} // namespace Game::CameraMath
