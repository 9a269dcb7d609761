#include "game/gamecontroller/framemeshes.h"

#include <glm/gtc/matrix_transform.hpp>

namespace Game {

using namespace Engine::GFX::Mesh;

MeshData skyBoxMeshData()
{
    const glm::vec4 white(1.0f);
    // Atlas columns u 0..1/3, 1/3..2/3, 2/3..1 and rows v 0..0.5, 0.5..1; coordinates given at the
    // first corner A and the second corner B of each face.
    MeshData data;
    addQuadUV(data, {-1, 1, 1}, {1, 1, -1}, white, {0.6668294668f, 0.499755859375f}, {0.999755859375f, 0.000244140625f});
    addQuadUV(data, {1, -1, -1}, {1, 1, 1}, white, {0.999755859375f, 0.500244140625f}, {0.6668294668f, 0.999755859375f});
    addQuadUV(data, {-1, 1, -1}, {-1, -1, 1}, white, {0.3331705928f, 0.500244140625f}, {0.00016276042f, 0.999755859375f});
    addQuadUV(data, {1, -1, 1}, {-1, -1, -1}, white, {0.333251953125f, 0.999755859375f}, {0.66650390625f, 0.500244140625f});
    addQuadXYUV(data, {1, -1, 1}, {-1, 1, 1}, white, {0.66650390625f, 0.499755859375f}, {0.33349609375f, 0.000244140625f});
    addQuadXYUV(data, {-1, -1, -1}, {1, 1, -1}, white, {0.00016276042f, 0.000244140625f}, {0.3331705928f, 0.499755859375f});
    return data;
}

MeshData screenQuadMeshData()
{
    MeshData data;
    addQuadXY(data, {-1.0f, -1.0f, 0.0f}, {1.0f, 1.0f, 0.0f}, glm::vec4(1.0f), {1.0f, 1.0f});
    return data;
}

CameraData screenQuadCamera()
{
    CameraData camera;
    camera.width = 2.0f;
    camera.height = 2.0f;
    camera.nearPlane = -10.0f;
    camera.farPlane = 10.0f;
    camera.eye = {0.0f, 0.0f, 1.0f};
    camera.center = {0.0f, 0.0f, 0.0f};
    camera.up = {0.0f, 1.0f, 0.0f};
    camera.projection = glm::ortho(-1.0f, 1.0f, -1.0f, 1.0f, -10.0f, 10.0f);
    camera.view = glm::lookAt(camera.eye, camera.center, camera.up);
    return camera;
}

} // namespace Game
