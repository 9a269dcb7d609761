#pragma once
// Conversions between GLM's single-precision types and the physics library's.
#include <LinearMath/btQuaternion.h>
#include <LinearMath/btVector3.h>
#include <glm/gtc/quaternion.hpp>
#include <glm/vec3.hpp>

namespace GamePhysics {

inline btVector3 toBt(const glm::vec3& v) { return btVector3(v.x, v.y, v.z); }
inline glm::vec3 toGlm(const btVector3& v) { return glm::vec3(v.x(), v.y(), v.z()); }

// The library takes quaternions as x, y, z, w; GLM stores them as w, x, y, z.
inline btQuaternion toBt(const glm::quat& q) { return btQuaternion(q.x, q.y, q.z, q.w); }

} // namespace GamePhysics
