#include "game/camera/camerasystems.h"

#include "engine/ecs/entitymanager.h"
#include "game/camera/cameracomponents.h"
#include "game/transform/transformcomponent.h"

#include <glm/common.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>

namespace Game {

using namespace Component;

namespace {
CameraInput readInput(const CameraInputSource& source) { return source ? source() : CameraInput{}; }
} // namespace

CameraStateCopySystem::CameraStateCopySystem(ECS::EntityManager& manager)
    : ECS::ComponentSystem(manager, {CameraComponent::_cType})
{
}

void CameraStateCopySystem::processEntity(ECS::EntityId entity, float)
{
    CameraComponent& camera = manager->getComponent<CameraComponent>(entity);
    camera.previous = CameraData::copyOf(camera.current);
}

CameraModificationStateCopySystem::CameraModificationStateCopySystem(ECS::EntityManager& manager)
    : ECS::ComponentSystem(manager, {CameraModificationComponent::_cType})
{
}

void CameraModificationStateCopySystem::processEntity(ECS::EntityId entity, float)
{
    CameraModificationComponent& m = manager->getComponent<CameraModificationComponent>(entity);
    m.previousOffset = m.offset;
    m.previousYaw = m.yaw;
    m.previousPitch = m.pitch;
    m.previousRoll = m.roll;
}

CameraModificationMouseMovementSystem::CameraModificationMouseMovementSystem(ECS::EntityManager& manager,
                                                                             CameraInputSource input,
                                                                             const CameraMath::LookSettings* settings)
    : ECS::ComponentSystem(manager, {CameraMouseMovementComponent::_cType, CameraModificationComponent::_cType}),
      input(std::move(input)), settings(settings)
{
}

void CameraModificationMouseMovementSystem::processEntity(ECS::EntityId entity, float)
{
    if (!manager->getComponent<CameraMouseMovementComponent>(entity).enabled)
        return;
    CameraModificationComponent& m = manager->getComponent<CameraModificationComponent>(entity);
    const CameraInput in = readInput(input);
    const CameraMath::LookSettings& chosen = settings ? *settings : CameraMath::LookSettings{};
    CameraMath::LookAngles look = CameraMath::mouseLook(m.yaw, m.pitch, in.dx, in.dy, chosen);
    look = CameraMath::padLook(look.yaw, look.pitch, in.stick, chosen);
    m.yaw = look.yaw;
    m.pitch = look.pitch;
}

FreeCamMovementSystem::FreeCamMovementSystem(ECS::EntityManager& manager, CameraInputSource input)
    : ECS::ComponentSystem(manager, {FreeCamMovementComponent::_cType, CameraModificationComponent::_cType,
                                     TransformComponent::_cType}),
      input(std::move(input))
{
}

void FreeCamMovementSystem::processEntity(ECS::EntityId entity, float)
{
    if (!manager->getComponent<FreeCamMovementComponent>(entity).enabled)
        return;
    const CameraInput in = readInput(input);
    if (!in.keys.any())
        return;
    const CameraModificationComponent& m = manager->getComponent<CameraModificationComponent>(entity);
    manager->getComponent<TransformComponent>(entity).position += CameraMath::freeCamStep(m.yaw, m.pitch, m.roll, in.keys);
}

CameraMouseShiftMovementSystem::CameraMouseShiftMovementSystem(ECS::EntityManager& manager, CameraInputSource input)
    : ECS::ComponentSystem(manager, {CameraMouseShiftComponent::_cType, CameraComponent::_cType,
                                     TransformComponent::_cType}),
      input(std::move(input))
{
}

void CameraMouseShiftMovementSystem::processEntity(ECS::EntityId entity, float)
{
    if (!manager->getComponent<CameraMouseShiftComponent>(entity).enabled)
        return;
    const CameraData& current = manager->getComponent<CameraComponent>(entity).current;
    const CameraInput in = readInput(input);
    manager->getComponent<TransformComponent>(entity).position +=
        CameraMath::panStep(current.eye, current.center, current.up, in.dx, in.dy);
}

CameraMouseZoomMovementSystem::CameraMouseZoomMovementSystem(ECS::EntityManager& manager, CameraInputSource input)
    : ECS::ComponentSystem(manager, {CameraMouseZoomMoveComponent::_cType, CameraComponent::_cType,
                                     TransformComponent::_cType}),
      input(std::move(input))
{
}

void CameraMouseZoomMovementSystem::processEntity(ECS::EntityId entity, float)
{
    if (!manager->getComponent<CameraMouseZoomMoveComponent>(entity).enabled)
        return;
    const CameraData& current = manager->getComponent<CameraComponent>(entity).current;
    manager->getComponent<TransformComponent>(entity).position +=
        CameraMath::zoomStep(current.eye, current.center, readInput(input).wheel);
}

CameraZclampSystem::CameraZclampSystem(ECS::EntityManager& manager)
    : ECS::ComponentSystem(manager, {CameraZclampComponent::_cType, TransformComponent::_cType})
{
}

void CameraZclampSystem::processEntity(ECS::EntityId entity, float)
{
    const float minZ = manager->getComponent<CameraZclampComponent>(entity).minZ;
    glm::vec3& position = manager->getComponent<TransformComponent>(entity).position;
    if (position.z < minZ)
        position.z = minZ;
}

CameraMenuAnimationSystem::CameraMenuAnimationSystem(ECS::EntityManager& manager)
    : ECS::ComponentSystem(manager, {MenuCameraAnimationComponent::_cType, CameraComponent::_cType})
{
}

void CameraMenuAnimationSystem::processEntity(ECS::EntityId entity, float)
{
    const MenuCameraAnimationComponent& animation = manager->getComponent<MenuCameraAnimationComponent>(entity);
    CameraData& current = manager->getComponent<CameraComponent>(entity).current;
    const glm::vec3 up(0.0f, 0.0f, 1.0f);
    const glm::vec3 eye =
        CameraMath::menuCircleEye(current.eye, animation.center.x, animation.center.y, animation.eyeHeight);
    if (!CameraMath::canLookAt(eye, animation.target, up))
        return;
    current.eye = eye;
    current.center = animation.target;
    current.up = up;
    current.view = glm::lookAt(current.eye, current.center, current.up);
}

CameraDeltaSystem::CameraDeltaSystem(ECS::EntityManager& manager)
    : ECS::ComponentSystem(manager, {CameraComponent::_cType})
{
}

void CameraDeltaSystem::processEntity(ECS::EntityId entity, float)
{
    manager->getComponent<CameraComponent>(entity);
}

CameraModificationDeltaSystem::CameraModificationDeltaSystem(ECS::EntityManager& manager)
    : ECS::ComponentSystem(manager, {CameraModificationComponent::_cType, TransformComponent::_cType,
                                     CameraComponent::_cType})
{
}

void CameraModificationDeltaSystem::processEntity(ECS::EntityId entity, float alpha)
{
    const CameraModificationComponent& m = manager->getComponent<CameraModificationComponent>(entity);
    const TransformComponent& t = manager->getComponent<TransformComponent>(entity);
    CameraData& current = manager->getComponent<CameraComponent>(entity).current;
    alpha = std::clamp(alpha, 0.0f, 1.0f);

    const glm::vec3 position = glm::mix(t.previousPosition, t.position, alpha);
    const float pitch = glm::mix(m.previousPitch, m.pitch, alpha);
    const float roll = glm::mix(m.previousRoll, m.roll, alpha);
    const float yaw = CameraMath::interpolateYaw(m.previousYaw, m.yaw, alpha);
    const float eyeHeight = glm::mix(m.previousOffset.z, m.offset.z, alpha);

    current.eye = glm::vec3(position.x, position.y, position.z + eyeHeight);
    current.center = current.eye + CameraMath::forwardFromAngles(yaw, pitch);
    current.up = CameraMath::upFromAngles(yaw, pitch, roll);
    current.view = glm::lookAt(current.eye, current.center, current.up);
}

} // namespace Game
