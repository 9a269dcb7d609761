#include "game/player/controlswitches.h"

#include "engine/ecs/entitymanager.h"
#include "game/camera/cameracomponents.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/transform/transformcomponent.h"

namespace Game {

using namespace Component;

namespace {

template <class C>
void setEnabled(ECS::EntityManager& world, ECS::EntityId entity, bool enabled)
{
    if (world.hasComponent<C>(entity))
        world.getComponent<C>(entity).enabled = enabled;
}

} // namespace

void setPlayerControl(ECS::EntityManager& world, ECS::EntityId entity, bool enabled)
{
    setEnabled<CharacterControllerComponent>(world, entity, enabled);
    setEnabled<CameraMouseMovementComponent>(world, entity, enabled);
}

void setEditorCameraControl(ECS::EntityManager& world, ECS::EntityId entity, bool enabled)
{
    setEnabled<CameraMouseMovementComponent>(world, entity, enabled);
    setEnabled<FreeCamMovementComponent>(world, entity, enabled);
    setEnabled<CameraMouseZoomMoveComponent>(world, entity, enabled);
}

void clearCameraPendingChange(ECS::EntityManager& world, ECS::EntityId entity)
{
    if (world.hasComponent<TransformComponent>(entity))
        world.getComponent<TransformComponent>(entity).copyToPrevious();
    if (world.hasComponent<CameraModificationComponent>(entity)) {
        CameraModificationComponent& m = world.getComponent<CameraModificationComponent>(entity);
        m.previousOffset = m.offset;
        m.previousYaw = m.yaw;
        m.previousPitch = m.pitch;
        m.previousRoll = m.roll;
    }
    if (world.hasComponent<CameraComponent>(entity)) {
        CameraComponent& camera = world.getComponent<CameraComponent>(entity);
        camera.previous = CameraData::copyOf(camera.current);
    }
}

bool hasPlayerControl(ECS::EntityManager& world, ECS::EntityId entity)
{
    return world.hasComponent<CharacterControllerComponent>(entity)
           && world.getComponent<CharacterControllerComponent>(entity).enabled;
}

void placePlayer(ECS::EntityManager& world, ECS::EntityId player, const glm::vec3& position, float yaw, float pitch)
{
    if (world.hasComponent<CharacterControllerComponent>(player)) {
        auto& body = world.getComponent<CharacterControllerComponent>(player);
        body.placeAt(position);
        body.resetMotion();
        body.attached = false;
    }
    if (world.hasComponent<TransformComponent>(player)) {
        TransformComponent& transform = world.getComponent<TransformComponent>(player);
        transform.position = position;
        transform.copyToPrevious();
    }
    if (world.hasComponent<CameraModificationComponent>(player)) {
        auto& look = world.getComponent<CameraModificationComponent>(player);
        look.yaw = look.previousYaw = yaw;
        look.pitch = look.previousPitch = pitch;
    }
}

} // namespace Game
