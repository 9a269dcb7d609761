#include "game/editor/editorcamera.h"

#include "engine/mathe/mathe.h"
#include "game/camera/cameracomponents.h"
#include "game/editor/editorview.h"
#include "game/transform/transformcomponent.h"

#include <cmath>
#include <limits>

namespace Game {

using Component::CameraComponent;
using Component::CameraModificationComponent;
using Component::CameraMouseMovementComponent;
using Component::CameraMouseShiftComponent;
using Component::CameraMouseZoomMoveComponent;
using Component::CameraZclampComponent;
using Component::EditorDataComponent;
using Component::FreeCamMovementComponent;
using Component::TransformComponent;

namespace {

template <class C>
void enable(ECS::EntityManager& world, ECS::EntityId entity, bool enabled)
{
    if (world.hasComponent<C>(entity))
        world.getComponent<C>(entity).enabled = enabled;
}

} // namespace

EditorCamera::EditorCamera(EditorScene& scene, ECS::EntityId camera, GameStateRecord& state, EditorHost& host)
    : scene(&scene)
    , camera(camera)
    , state(&state)
    , host(&host)
{
}

void EditorCamera::followButtons(const EditorInput& in, Engine::MouseState& mouse)
{
    EditorDataComponent& d = scene->data();
    ECS::EntityManager& world = scene->world();
    if (in.turnReleased) {
        enable<CameraMouseMovementComponent>(world, camera, false);
        host->grabPointer(false);
        d.cameraDrag = false;
    }
    if (in.panReleased) {
        enable<CameraMouseShiftComponent>(world, camera, false);
        host->grabPointer(false);
        d.cameraDrag = false;
    }
    if (state->paused)
        return;
    if (in.cameraButtonDown)
        wrapPointer(mouse);
    if (state->mouseOverUI || d.mode == EditorMode::dragging || d.mode == EditorMode::boxSelecting)
        return;
    if (in.turnPressed)
        enable<CameraMouseMovementComponent>(world, camera, true);
    if (in.panPressed)
        enable<CameraMouseShiftComponent>(world, camera, true);
    if (in.turnPressed || in.panPressed) {
        host->grabPointer(true);
        mouse.discardRelativeMotion();
        d.cameraDrag = true;
    }
}

void EditorCamera::wrapPointer(Engine::MouseState& mouse)
{
    int w = 0;
    int h = 0;
    host->windowSize(w, h);
    int x = mouse.x;
    int y = mouse.y;
    if (x < 1)
        x = w - 2;
    else if (x >= w - 1)
        x = 1;
    if (y >= h - 1)
        y = kTopBarRows + 1;
    else if (y <= kTopBarRows)
        y = h - 2;
    if (x == mouse.x && y == mouse.y)
        return;
    host->warpPointer(x, y);
    mouse.x = mouse.posX = x;
    mouse.y = y;
    mouse.posY = h - y;
    mouse.discardRelativeMotion();
}

void EditorCamera::setFlight(bool enabled)
{
    enable<FreeCamMovementComponent>(scene->world(), camera, enabled);
}

void EditorCamera::setEnabled(bool enabled)
{
    ECS::EntityManager& world = scene->world();
    enable<CameraMouseMovementComponent>(world, camera, false);
    enable<CameraMouseShiftComponent>(world, camera, false);
    enable<FreeCamMovementComponent>(world, camera, false);
    enable<CameraMouseZoomMoveComponent>(world, camera, enabled);
    host->grabPointer(false);
    scene->data().cameraDrag = false;
}

void EditorCamera::frameSelection()
{
    const EditorDataComponent& d = scene->data();
    if (d.selections.empty())
        return;
    glm::vec3 low(std::numeric_limits<float>::max());
    glm::vec3 high(std::numeric_limits<float>::lowest());
    for (const auto& pair : d.selections.selectionToEntity) {
        const glm::mat4 m = scene->selectionPose(pair.first).matrix();
        for (int corner = 0; corner < 8; ++corner) {
            const glm::vec4 local((corner & 1) ? 0.5f : -0.5f, (corner & 2) ? 0.5f : -0.5f,
                                  (corner & 4) ? 0.5f : -0.5f, 1.0f);
            const glm::vec3 p(m * local);
            low = glm::min(low, p);
            high = glm::max(high, p);
        }
    }
    frameBox(low, high);
}

void EditorCamera::frameBox(const glm::vec3& low, const glm::vec3& high)
{
    ECS::EntityManager& world = scene->world();
    if (!world.hasComponent<TransformComponent>(camera))
        return;
    const CameraData& view = data();
    float eyeHeight = 0.0f;
    if (world.hasComponent<CameraModificationComponent>(camera))
        eyeHeight = world.getComponent<CameraModificationComponent>(camera).offset.z;
    float lowestEye = std::numeric_limits<float>::lowest();
    if (world.hasComponent<CameraZclampComponent>(camera))
        lowestEye = world.getComponent<CameraZclampComponent>(camera).minZ + eyeHeight;
    const glm::vec3 direction = Engine::Mathe::safeNormalize(view.center - view.eye);
    const EditorView::Framing framing = EditorView::frameBox(low, high, direction, view, lowestEye);

    TransformComponent& place = world.getComponent<TransformComponent>(camera);
    place.position = framing.eye - glm::vec3(0.0f, 0.0f, eyeHeight);
    place.copyToPrevious();
    if (framing.direction != direction && world.hasComponent<CameraModificationComponent>(camera)) {
        auto& angles = world.getComponent<CameraModificationComponent>(camera);
        angles.yaw = angles.previousYaw = glm::degrees(std::atan2(framing.direction.y, framing.direction.x));
        angles.pitch = angles.previousPitch = glm::degrees(std::asin(framing.direction.z));
    }
}

TransformDrag::DragRay EditorCamera::pointerRay(const Engine::MouseState& mouse)
{
    const CameraData& view = data();
    TransformDrag::DragRay ray;
    ray.eye = position();
    ray.direction = TransformDrag::pointerDirection(view, float(mouse.posX), float(mouse.posY));
    ray.viewDirection = Engine::Mathe::safeNormalize(view.center - view.eye);
    ray.up = view.up;
    return ray;
}

glm::vec3 EditorCamera::position()
{
    ECS::EntityManager& world = scene->world();
    if (!world.hasComponent<TransformComponent>(camera))
        return data().eye;
    return world.getComponent<TransformComponent>(camera).position;
}

CameraData& EditorCamera::data()
{
    return scene->world().getComponent<CameraComponent>(camera).current;
}

} // namespace Game
