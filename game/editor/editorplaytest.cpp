#include "game/editor/editorplaytest.h"

#include "game/camera/cameracomponents.h"
#include "game/player/controlswitches.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/transform/transformcomponent.h"

namespace Game {

using Component::CameraModificationComponent;
using Component::CharacterControllerComponent;
using Component::TransformComponent;

EditorPlayTest::EditorPlayTest(ECS::EntityManager& world, ECS::EntityId player, EditorCamera& camera,
                               GameStateRecord& state, EditorHost& host)
    : world(&world)
    , player(player)
    , camera(&camera)
    , state(&state)
    , host(&host)
{
}

bool EditorPlayTest::available()
{
    return world->hasComponent<CharacterControllerComponent>(player);
}

bool EditorPlayTest::active()
{
    return available() && world->getComponent<CharacterControllerComponent>(player).enabled;
}

void EditorPlayTest::start(Engine::MouseState& mouse)
{
    host->clearTopBar();
    camera->setEnabled(false);
    placePlayerAtCamera();
    setPlayerControl(*world, player, true);
    clearCameraPendingChange(*world, player);
    host->capturePointer(true);
    mouse.discardRelativeMotion();
    state->showCursor = false;
}

void EditorPlayTest::placePlayerAtCamera()
{
    auto& controller = world->getComponent<CharacterControllerComponent>(player);
    const glm::vec3 start = camera->position();
    controller.placeAt(start);
    controller.resetMotion();
    if (world->hasComponent<TransformComponent>(player)) {
        TransformComponent& body = world->getComponent<TransformComponent>(player);
        body.position = start;
        body.copyToPrevious();
    }
    const ECS::EntityId view = camera->entity();
    if (world->hasComponent<CameraModificationComponent>(player)
        && world->hasComponent<CameraModificationComponent>(view)) {
        const auto& from = world->getComponent<CameraModificationComponent>(view);
        auto& to = world->getComponent<CameraModificationComponent>(player);
        to.yaw = to.previousYaw = from.yaw;
        to.pitch = to.previousPitch = from.pitch;
        to.roll = to.previousRoll = from.roll;
    }
}

void EditorPlayTest::stop(Engine::MouseState& mouse)
{
    host->buildTopBar();
    camera->setEnabled(true);
    setPlayerControl(*world, player, false);
    clearCameraPendingChange(*world, camera->entity());
    host->capturePointer(false);
    mouse.discardRelativeMotion();
    state->showCursor = true;
}

} // namespace Game
