#include "game/gamecontroller/runreplay.h"

#include "engine/ecs/entitymanager.h"
#include "game/camera/cameracomponents.h"
#include "game/camera/camerainput.h"
#include "game/camera/camerasystems.h"
#include "game/course/runinput.h"
#include "game/gamecontroller/worldsetup.h"
#include "game/gamemap/gamemap.h"
#include "game/physics/physicscomponents.h"
#include "game/physics/physicssystems.h"
#include "game/physics/physicsworld.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/player/charactercontrollersystem.h"
#include "game/player/controlswitches.h"

namespace Game::RunReplay {

using Component::CharacterControllerComponent;

namespace {

// The part of the game's world that a run touches, made in the game's order: the player, the
// floor, then the map's blocks (their bodies placed as they enter); the systems that move the
// player and place the bodies, in the order of the game's update.
class ReplayWorld {
public:
    ReplayWorld(const std::vector<Component::TransformComponent>& blocks, const CameraMath::LookSettings& look)
        : look(look)
    {
        registerGameTypes(ecs);
        ecs.addSystem(GamePhysics::RigidBodyColliderSystem(ecs, physics));
        // Places each block's body where its transform says as it enters the world.
        bodies = ecs.addSystem(GamePhysics::PhysicsMotionStateSystem(ecs, physics));
        mouseLook = ecs.addSystem(
            CameraModificationMouseMovementSystem(ecs, [this] { return input.cameraInput(); }, &this->look));
        player = ecs.addSystem(CharacterControllerSystem(ecs, [this] { return input.playerInput(); }));
        contactListeners = GamePhysics::collisionCallbackLookup(ecs);
        playerEntity = createStartEntities(ecs, CameraData{}, physics).player;
        createFloor(ecs);
        for (const Component::TransformComponent& block : blocks)
            map.addQube(ecs, block);
        ecs.refresh();
        setPlayerControl(ecs, playerEntity, true);
    }

    ~ReplayWorld()
    {
        map.clear(ecs);
        ecs.destroyAllEntities();
        ecs.refresh();
    }

    ReplayWorld(const ReplayWorld&) = delete;
    ReplayWorld& operator=(const ReplayWorld&) = delete;

    glm::vec3 position() { return ecs.getComponent<CharacterControllerComponent>(playerEntity).position(); }

    // The restart: at `spawn`, at rest, off the rope, looking level along `yaw`.
    void restart(const glm::vec3& spawn, float yaw) { placePlayer(ecs, playerEntity, spawn, yaw, 0.0f); }

    // One game step with `step` as the player's input.
    void step(const StepInput& step)
    {
        input = step;
        mouseLook->run(0.0f);
        player->run(0.0f);
        bodies->run(0.0f);
        ecs.processMessages();
        physics.step(contactListeners);
        ecs.refresh();
    }

private:
    CameraMath::LookSettings look;
    GamePhysics::PhysicsWorld physics;
    ECS::EntityManager ecs;
    GameMap map;
    StepInput input;
    ECS::ComponentSystem* mouseLook = nullptr;
    ECS::ComponentSystem* player = nullptr;
    ECS::ComponentSystem* bodies = nullptr;
    GamePhysics::ContactListenerLookup contactListeners;
    ECS::EntityId playerEntity = ECS::InvalidEntity;
};

} // namespace

Result replay(const std::vector<Component::TransformComponent>& blocks, const Course& course, const RunRecord& record)
{
    Result result;
    if (!course.playable()) {
        result.problem = "the course has no start or no finish";
        return result;
    }
    ReplayWorld world(blocks, record.look);
    const OrientedBox& start = course.start()->box;
    world.restart(start.center, facingYaw(start));
    CourseRun run(course);
    size_t at = 0;
    StepInput input;
    while (result.stepsPlayed < record.inputSteps) {
        if (!RunInput::next(record.input, at, input)) {
            result.problem = "the input tape ends early or is damaged at step " + std::to_string(result.stepsPlayed);
            return result;
        }
        const glm::vec3 from = world.position();
        world.step(input);
        ++result.stepsPlayed;
        if (run.step(from, world.position()) == RunEvent::Finished)
            break;
    }
    result.finished = run.phase() == RunPhase::Finished;
    result.times = run.times();
    return result;
}

} // namespace Game::RunReplay
