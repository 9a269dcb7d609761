// Where the editor camera shows a point, and the view that frames a box.
#include "game/editor/editorview.h"

#include "game/editor/transformdrag.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <algorithm>

using namespace Game::EditorView;

namespace {

Game::CameraData lookingFrom(const glm::vec3& eye, const glm::vec3& direction)
{
    Game::CameraData camera;
    camera.eye = eye;
    camera.center = eye + direction;
    return camera;
}

// The largest share of the view's half-width or half-height that a corner of the box reaches,
// seen by `camera` from `eye` along `direction`; above 1 when a corner lies outside the view.
float viewShare(const glm::vec3& low, const glm::vec3& high, const Game::CameraData& camera, const glm::vec3& eye,
                const glm::vec3& direction)
{
    const glm::mat4 clipOf = glm::perspectiveFov(glm::radians(camera.fieldOfView), camera.width, camera.height,
                                                 camera.nearPlane, camera.farPlane)
                           * glm::lookAt(eye, eye + direction, camera.up);
    float share = 0.0f;
    for (int corner = 0; corner < 8; ++corner) {
        const glm::vec3 p(corner & 1 ? high.x : low.x, corner & 2 ? high.y : low.y, corner & 4 ? high.z : low.z);
        const glm::vec4 clip = clipOf * glm::vec4(p, 1.0f);
        if (!(clip.w > 0.0f) || std::abs(clip.z) > clip.w)
            return 2.0f;
        share = std::max({share, std::abs(clip.x) / clip.w, std::abs(clip.y) / clip.w});
    }
    return share;
}

} // namespace

TEST(EditorView, PointsProjectWhereThePointerRayThroughThemStarts)
{
    const Game::CameraData camera = lookingFrom({1, -20, 3}, glm::normalize(glm::vec3(0.2f, 1, -0.3f)));
    for (const glm::vec2& pixel : {glm::vec2(640, 360), glm::vec2(10, 700), glm::vec2(1200, 40)}) {
        const glm::vec3 direction = Game::TransformDrag::pointerDirection(camera, pixel.x, pixel.y);
        const auto back = projectToWindow(camera, camera.eye, camera.eye + direction * 37.0f);
        ASSERT_TRUE(back);
        EXPECT_NEAR(back->x, pixel.x, 1e-2f);
        EXPECT_NEAR(back->y, pixel.y, 1e-2f);
    }
    EXPECT_FALSE(projectToWindow(camera, camera.eye, 2.0f * camera.eye - camera.center)) << "behind the eye";
}

TEST(EditorView, FramingFitsTheBoxFromTheCurrentDirection)
{
    const Game::CameraData camera;
    // In view, and filling it up to the margin along its width or its height.
    const auto expectFilled = [&camera](const glm::vec3& low, const glm::vec3& high, const Framing& framing) {
        const float share = viewShare(low, high, camera, framing.eye, framing.direction);
        EXPECT_LE(share, 1.0f);
        EXPECT_NEAR(share, 1.0f / (1.0f + kFramingMargin), 1e-3f);
    };
    const glm::vec3 directions[] = {
        glm::normalize(glm::vec3(1, 1, -0.5f)), {0, 1, 0}, glm::normalize(glm::vec3(-0.1f, 0.2f, -1)), glm::normalize(glm::vec3(0.01f, 0, -1))};
    const glm::vec3 boxes[][2] = {{{-1, -1, 0}, {1, 1, 2}}, {{10, 40, 3}, {60, 45, 30}}, {{5, 5, 5}, {5.2f, 5.1f, 5.3f}}};
    for (const auto& box : boxes) {
        for (const glm::vec3& direction : directions) {
            const Framing framing = frameBox(box[0], box[1], direction, camera, -1000.0f);
            EXPECT_NEAR(glm::length(framing.direction - direction), 0.0f, 1e-5f);
            expectFilled(box[0], box[1], framing);
        }
    }

    // Where the eye would sink below the camera's floor it stands on the floor, the view turned
    // up or down, and the box still fills the view: looking up at a block, and looking down
    // shallowly at a row of blocks half sunk into the ground.
    const struct {
        glm::vec3 low, high, direction;
        float floor;
    } fromTheFloor[] = {{{-1, -1, 0}, {1, 1, 2}, glm::normalize(glm::vec3(0, 1, 0.8f)), 0.5f},
                        {{-4, -0.5f, -0.5f}, {4, 0.5f, 0.5f}, glm::normalize(glm::vec3(0.2f, 1, -0.05f)), 1.5f}};
    for (const auto& c : fromTheFloor) {
        const Framing framing = frameBox(c.low, c.high, c.direction, camera, c.floor);
        EXPECT_NEAR(framing.eye.z, c.floor, 1e-4f);
        EXPECT_LT(framing.direction.z, c.direction.z) << "turned down towards the box";
        const glm::vec2 heading = glm::normalize(glm::vec2(framing.direction));
        EXPECT_NEAR(glm::length(heading - glm::normalize(glm::vec2(c.direction))), 0.0f, 1e-5f);
        expectFilled(c.low, c.high, framing);
    }
}
