#include "game/gamecontroller/worldsetup.h"

#include "engine/core/enginecore.h"
#include "engine/core/log.h"
#include "game/camera/cameracomponents.h"
#include "game/camera/camerainput.h"
#include "game/camera/camerasystems.h"
#include "game/editor/editordatacomponent.h"
#include "game/filebrowser/uifilebrowsersystem.h"
#include "game/gameplay/gameplaytypes.h"
#include "game/gamemap/mapmessages.h"
#include "game/physics/physicsbodyinfo.h"
#include "game/physics/physicscomponents.h"
#include "game/physics/physicsmessages.h"
#include "game/physics/physicssystems.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/player/charactercontrollersystem.h"
#include "game/render/defaultmeshrendersystem.h"
#include "game/render/grapplinghookmeshrendersystem.h"
#include "game/render/rendertypes.h"
#include "game/render/selectedentityrendersystem.h"
#include "game/transform/rotationanimationsystem.h"
#include "game/transform/transformmatrixrefreshsystem.h"
#include "game/transform/transformstatecopysystem.h"
#include "game/transform/transformcomponent.h"
#include "game/transform/transformtypes.h"

#include <BulletCollision/CollisionShapes/btStaticPlaneShape.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>

#include <string>
#include "game/ui/uitextinputsystem.h"

namespace Game {

using namespace Component;
using namespace GamePhysics;

namespace {

// A transform at `position` with the game's start orientation, drawn there from the first frame.
TransformComponent placedAt(const glm::vec3& position)
{
    TransformComponent transform;
    transform.position = position;
    transform.rotation = TransformComponent::defaultRotation();
    transform.copyToPrevious();
    return transform;
}

} // namespace

StartEntities createStartEntities(ECS::EntityManager& world, const CameraData& cameraPrototype,
                                  PhysicsWorld& physics)
{
    StartEntities made;
    made.menuCamera = world.createEntity();
    world.addComponent(made.menuCamera, CameraComponent(cameraPrototype));
    world.addComponent(made.menuCamera, MenuCameraAnimationComponent{});

    made.editorCamera = world.createEntity();
    const ECS::EntityId editorCamera = made.editorCamera;
    world.addComponent(editorCamera, CameraComponent(cameraPrototype));
    world.addComponent(editorCamera, CameraModificationComponent{});
    world.addComponent(editorCamera, CameraMouseMovementComponent{});
    world.addComponent(editorCamera, CameraMouseShiftComponent{});
    world.addComponent(editorCamera, CameraMouseZoomMoveComponent{});
    world.addComponent(editorCamera, FreeCamMovementComponent{});
    world.addComponent(editorCamera, CameraZclampComponent{});
    world.addComponent(editorCamera, placedAt({0.0f, 0.0f, 2.0f}));

    made.player = world.createEntity();
    const ECS::EntityId player = made.player;
    CharacterControllerComponent body(player, &physics);
    body.enabled = false;
    world.addComponent(player, std::move(body));
    world.addComponent(player, CameraMouseMovementComponent{});
    world.addComponent(player, CameraModificationComponent{});
    world.addComponent(player, CameraComponent(cameraPrototype));
    world.addComponent(player, placedAt(glm::vec3(0.0f)));
    Engine::logLine("Player ID:" + std::to_string(player));

    // The editor keeps its working data (selection, history, tool) on this entity.
    made.editor = world.createEntity();
    world.addComponent(made.editor, EditorDataComponent{});
    return made;
}

ECS::EntityId createFloor(ECS::EntityManager& world)
{
    const ECS::EntityId floor = world.createEntity();
    world.addComponent(floor, placedAt(glm::vec3(0.0f)));
    world.addComponent(floor, PhysicsColliderComponent(new btStaticPlaneShape(btVector3(0.0f, 0.0f, 1.0f), 0.0f)));
    PhysicsRigidBodyComponent body(floor, 0.0f, glm::vec3(0.0f));
    body.body->setCollisionFlags(body.body->getCollisionFlags() | btCollisionObject::CF_STATIC_OBJECT);
    body.info->group = CollisionGroup::floor;
    body.info->mask = CollisionGroup::all;
    world.addComponent(floor, std::move(body));
    Engine::logLine("FLOOR ID:" + std::to_string(floor));
    return floor;
}

void registerGameTypes(ECS::EntityManager& world)
{
    registerTransformComponents(world);      // 1, 5
    registerGameplayDataComponents(world);   // 3, 7, 8, 19
    world.registerComponent<FreeCamMovementComponent>();
    world.registerComponent<PhysicsComponent>();
    world.registerComponent<CollisionCallbackComponent>();
    world.registerComponent<CameraMouseShiftComponent>();
    world.registerComponent<CameraMouseZoomMoveComponent>();
    world.registerComponent<CameraZclampComponent>();
    world.registerComponent<CameraMouseMovementComponent>();
    world.registerComponent<CameraModificationComponent>();
    world.registerComponent<CharacterControllerComponent>();
    registerRenderComponents(world);         // 15, 16
    world.registerComponent<PhysicsRigidBodyComponent>();
    world.registerComponent<PhysicsColliderComponent>();
    world.registerComponent<CameraComponent>();
    world.registerComponent<MenuCameraAnimationComponent>();
    world.registerComponent<EditorDataComponent>();

    // Message types in the game's order 5, (6, 4: the UI layer's), 3, 2.
    world.registerMessage<Message::PhysicsColliderShapeChangeMessage>();
    world.registerMessage<Message::LoadMapMessage>();
    world.registerMessage<Message::CreateRandomMap>();
}

void addGameSystems(ECS::EntityManager& world, Engine::EngineCore& engine, PhysicsWorld& physics,
                    RenderResources& resources, const CameraMath::LookSettings& look, const Engine::Bindings& bindings)
{
    Engine::EngineCore* const core = &engine;
    const CameraInputSource cameraInput = [core] {
        return CameraInput::read(*core->keyboard, *core->mouse, core->gamepad.get());
    };
    const CharacterControllerSystem::InputSource playerInput = [core, &bindings] {
        return PlayerMovement::PlayerInput::read(*core->keyboard, *core->mouse, bindings, core->gamepad.get());
    };
    Engine::GFX::RenderContext& renderContext = *engine.renderContext;

    world.addSystem(CameraModificationMouseMovementSystem(world, cameraInput, &look));
    world.addSystem(CharacterControllerSystem(world, playerInput));
    world.addSystem(DefaultMeshRenderSystem(world, renderContext, resources));
    world.addSystem(CameraModificationDeltaSystem(world));
    world.addSystem(FreeCamMovementSystem(world, cameraInput));
    world.addSystem(RigidBodyColliderSystem(world, physics));
    world.addSystem(TransformToCollissionTransformSystem(world));
    world.addSystem(GrapplingHookMeshRenderSysten(world, renderContext, resources));
    world.addSystem(RotationAnimationSystem(world));
    world.addSystem(CameraDeltaSystem(world));
    world.addSystem(SelectedEntityRenderSystem(world, renderContext, resources));
    world.addSystem(CameraMouseShiftMovementSystem(world, cameraInput));
    world.addSystem(CameraMouseZoomMovementSystem(world, cameraInput));
    world.addSystem(CameraMenuAnimationSystem(world));
    // MouseOnUIcheckSystem and UItextInputSystem: added by the UI layer; UIfileBrowserSystem by the browser.
    world.addSystem(CameraZclampSystem(world));
    world.addSystem(PhysicsMotionStateSystem(world, physics));
    world.addSystem(TransformMatrixRefreshSystem(world));
    world.addSystem(CameraStateCopySystem(world));
    world.addSystem(TransformStateCopySystem(world));
    world.addSystem(CameraModificationStateCopySystem(world));
    world.addSystem(CharacterControllerStateCopySystem(world));

    world.addMessageSystem(PhysicsColliderChangeMessageSystem(world, physics));
    // UIfileBrowserRefreshMessageSystem: added by the browser; CreateOKpopupSystem: by the controller.
}

void setEveryPerspective(ECS::EntityManager& world, CameraData& prototype, glm::ivec2 size, float fieldOfView)
{
    const float width = float(size.x);
    const float height = float(size.y);
    prototype.setPerspective(width, height, fieldOfView);
    for (CameraComponent& camera : world.componentList<CameraComponent>().records()) {
        for (CameraData* data : {&camera.current, &camera.previous, &camera.spare})
            data->setPerspective(width, height, fieldOfView);
    }
}

std::vector<ECS::ComponentSystem*> updateSchedule(ECS::EntityManager& world)
{
    // State copies first, so every "previous" holds the state at the start of the tick; then
    // the drives and the player; the physics bodies follow their transforms last.
    return {
        world.getSystem<TransformStateCopySystem>(),
        world.getSystem<CameraModificationStateCopySystem>(),
        world.getSystem<CharacterControllerStateCopySystem>(),
        world.getSystem<CameraStateCopySystem>(),
        world.getSystem<UI::System::UItextInputSystem>(),
        world.getSystem<CameraModificationMouseMovementSystem>(),
        world.getSystem<FreeCamMovementSystem>(),
        world.getSystem<CameraMouseShiftMovementSystem>(),
        world.getSystem<CameraMouseZoomMovementSystem>(),
        world.getSystem<CharacterControllerSystem>(),
        world.getSystem<TransformToCollissionTransformSystem>(),
        world.getSystem<CameraMenuAnimationSystem>(),
        world.getSystem<RotationAnimationSystem>(),
        world.getSystem<PhysicsMotionStateSystem>(),
        world.getSystem<CameraZclampSystem>(),
        world.getSystem<UI::System::UIfileBrowserSystem>(),
    };
}

} // namespace Game
