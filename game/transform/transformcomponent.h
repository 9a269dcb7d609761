#pragma once
// Place of an entity in the world: position, scale and rotation now and at the start of the
// current tick, and the world matrix drawn this frame (interpolated between the two states).
#include "engine/ecs/component.h"
#include "game/core/typeids.h"

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

#include <algorithm>

namespace Component {

struct TransformComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::Transform;

    // The start orientation of the game's entities: a half turn about z (x = 0, y = 0, z = 1, w = 0).
    static constexpr glm::quat defaultRotation() { return glm::quat(0.0f, 0.0f, 0.0f, 1.0f); }

    // Sets the current state from `m` (translation, rotation, scale; skew and perspective are
    // dropped); the previous state stays, so the change is interpolated over the next frames.
    // Answers false and changes nothing when `m` cannot be decomposed (a zero scale).
    bool setFromMatrix(const glm::mat4& m);
    // The same, and the previous state follows, so the entity is drawn at once at its new place.
    bool setFromMatrixImmediate(const glm::mat4& m);
    // Sets the previous state to the current one (start of a tick).
    void copyToPrevious();
    // Rebuilds `matrix` between the previous (alpha 0) and current (alpha 1) state.
    void refreshMatrix(float alpha)
    {
        // Frame factors come from time arithmetic and may stray a hair outside [0, 1].
        const float a = std::clamp(alpha, 0.0f, 1.0f);
        const glm::vec3 p = previousPosition + (position - previousPosition) * a;
        const glm::vec3 s = previousScale + (scale - previousScale) * a;
        const glm::quat q = previousRotation * (1.0f - a) + rotation * a;
        writeMatrix(matrix, p, q, s);
    }
    // T(position) · R(rotation) · S(scale) of the current state; `matrix` is not touched.
    glm::mat4 currentMatrix() const;

    // T(p) · R(q) · S(s), built column by column; q is used as it is, unnormalised.
    // Written element by element into `m`: a whole-matrix temporary would be copied through the
    // stack, which costs more than the arithmetic.
    static void writeMatrix(glm::mat4& m, const glm::vec3& p, const glm::quat& q, const glm::vec3& s)
    {
        const glm::mat3 r = glm::mat3_cast(q);
        for (int c = 0; c < 3; ++c) {
            for (int row = 0; row < 3; ++row)
                m[c][row] = r[c][row] * s[c];
            m[c][3] = 0.0f;
        }
        m[3][0] = p.x;
        m[3][1] = p.y;
        m[3][2] = p.z;
        m[3][3] = 1.0f;
    }

    glm::mat4 matrix{1.0f};
    glm::vec3 position{0.0f};
    glm::vec3 scale{1.0f};
    glm::quat rotation = defaultRotation();
    glm::vec3 previousPosition{0.0f};
    glm::vec3 previousScale{1.0f};
    glm::quat previousRotation = defaultRotation();
};

} // namespace Component
