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

void EditorPlayTest::start(Engine::MouseState& mouse, const Course& course)
{
    host->clearTopBar();
    camera->setEnabled(false);
    if (const Gate* startGate = course.start())
        placePlayerAtStart(*startGate);
    else
        placePlayerAtCamera();
    setPlayerControl(*world, player, true);
    clearCameraPendingChange(*world, player);
    host->capturePointer(true);
    mouse.discardRelativeMotion();
    state->showCursor = false;
}

void EditorPlayTest::placePlayerAtCamera()
{
    const ECS::EntityId view = camera->entity();
    if (!world->hasComponent<CameraModificationComponent>(view)) {
        placePlayer(*world, player, camera->position(), 0.0f, 0.0f);
        return;
    }
    const auto& from = world->getComponent<CameraModificationComponent>(view);
    placePlayer(*world, player, camera->position(), from.yaw, from.pitch);
    if (world->hasComponent<CameraModificationComponent>(player)) {
        auto& to = world->getComponent<CameraModificationComponent>(player);
        to.roll = to.previousRoll = from.roll;
    }
}

void EditorPlayTest::placePlayerAtStart(const Gate& start)
{
    placePlayer(*world, player, start.box.center, facingYaw(start.box), 0.0f);
    if (world->hasComponent<CameraModificationComponent>(player)) {
        auto& view = world->getComponent<CameraModificationComponent>(player);
        view.roll = view.previousRoll = 0.0f;
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
