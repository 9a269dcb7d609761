#pragma once
// The camera record the render code reads: view and projection with the parameters the
// projection was built from, and the eye, centre and up the view was built from.
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

namespace Game {

struct CameraData {
    glm::mat4 view{1.0f};
    glm::mat4 projection{1.0f};
    float width = 1280.0f;
    float height = 720.0f;
    float nearPlane = 0.01f;
    float farPlane = 2000.0f;
    float fieldOfView = 110.0f; // vertical, degrees
    glm::vec3 eye{40.0f, 40.0f, 4.0f};
    glm::vec3 center{0.0f, 0.0f, 10.0f};
    glm::vec3 up{0.0f, 0.0f, 1.0f};

    // A copy of `source` whose centre is the unit direction from the source's eye to its centre
    // (zero when the two coincide).
    static CameraData copyOf(const CameraData& source);

    // Sets the projection for a view of `width` x `height` pixels and a vertical field of view
    // of `fieldOfView` degrees, keeping the near and far planes. Sizes below one pixel count as
    // one, so a minimised window never makes a projection of NaN.
    void setPerspective(float width, float height, float fieldOfView);
};

} // namespace Game
