#include "game/camera/camerasystems.h"

#include "engine/ecs/entitymanager.h"
#include "game/camera/cameracomponents.h"
#include "game/transform/transformcomponent.h"
#include "tests/support/vecnear.h"

#include <gtest/gtest.h>
#include <glm/geometric.hpp>

#include <cmath>

using namespace Component;

using TestSupport::expectVecNear;

namespace {

// An ECS world with every camera system and one camera entity of the editor's make-up.
class CameraWorld {
public:
    CameraWorld()
    {
        ecs.registerComponent<TransformComponent>();
        ecs.registerComponent<CameraComponent>();
        ecs.registerComponent<CameraModificationComponent>();
        ecs.registerComponent<CameraMouseMovementComponent>();
        ecs.registerComponent<CameraMouseShiftComponent>();
        ecs.registerComponent<CameraMouseZoomMoveComponent>();
        ecs.registerComponent<FreeCamMovementComponent>();
        ecs.registerComponent<CameraZclampComponent>();
        ecs.registerComponent<MenuCameraAnimationComponent>();
        const Game::CameraInputSource source = [this] { return input; };
        stateCopy = ecs.addSystem(Game::CameraStateCopySystem(ecs));
        modificationCopy = ecs.addSystem(Game::CameraModificationStateCopySystem(ecs));
        mouse = ecs.addSystem(Game::CameraModificationMouseMovementSystem(ecs, source));
        flight = ecs.addSystem(Game::FreeCamMovementSystem(ecs, source));
        pan = ecs.addSystem(Game::CameraMouseShiftMovementSystem(ecs, source));
        zoom = ecs.addSystem(Game::CameraMouseZoomMovementSystem(ecs, source));
        clamp = ecs.addSystem(Game::CameraZclampSystem(ecs));
        menu = ecs.addSystem(Game::CameraMenuAnimationSystem(ecs));
        view = ecs.addSystem(Game::CameraModificationDeltaSystem(ecs));

        editor = ecs.createEntity();
        TransformComponent transform;
        transform.position = transform.previousPosition = glm::vec3(0, 0, 2);
        ecs.addComponent(editor, transform);
        ecs.addComponent(editor, CameraComponent(Game::CameraData{}));
        ecs.addComponent(editor, CameraModificationComponent{});
        ecs.addComponent(editor, CameraMouseMovementComponent{});
        ecs.addComponent(editor, CameraMouseShiftComponent{});
        ecs.addComponent(editor, CameraMouseZoomMoveComponent{});
        ecs.addComponent(editor, FreeCamMovementComponent{});
        ecs.addComponent(editor, CameraZclampComponent{});
        menuCamera = ecs.createEntity();
        ecs.addComponent(menuCamera, CameraComponent(Game::CameraData{}));
        ecs.addComponent(menuCamera, MenuCameraAnimationComponent{});
        ecs.refresh();
    }

    // One tick in the game's order: state copies first, then the drives.
    void tick()
    {
        transform().previousPosition = transform().position;
        ECS::ComponentSystem* const order[] = {stateCopy, modificationCopy, mouse, flight, pan, zoom, clamp, menu};
        for (ECS::ComponentSystem* system : order)
            system->run(0.0f);
    }

    TransformComponent& transform() { return ecs.getComponent<TransformComponent>(editor); }
    CameraModificationComponent& angles() { return ecs.getComponent<CameraModificationComponent>(editor); }
    Game::CameraData& current(ECS::EntityId e) { return ecs.getComponent<CameraComponent>(e).current; }

    ECS::EntityManager ecs;
    Game::CameraInput input;
    ECS::EntityId editor = 0;
    ECS::EntityId menuCamera = 0;
    Game::CameraStateCopySystem* stateCopy;
    Game::CameraModificationStateCopySystem* modificationCopy;
    Game::CameraModificationMouseMovementSystem* mouse;
    Game::FreeCamMovementSystem* flight;
    Game::CameraMouseShiftMovementSystem* pan;
    Game::CameraMouseZoomMovementSystem* zoom;
    Game::CameraZclampSystem* clamp;
    Game::CameraMenuAnimationSystem* menu;
    Game::CameraModificationDeltaSystem* view;
};

} // namespace

TEST(CameraSystems, MouseLookOnlyWhenEnabledWithClampedPitchAndWrappedYaw)
{
    CameraWorld w;
    w.input.dx = -100;
    w.input.dy = -300;
    w.tick();
    EXPECT_EQ(w.angles().yaw, 0.0f) << "mouse look starts disabled";

    // Clamping and wrapping are tested with the camera maths; here, that the state is kept per tick.
    w.ecs.getComponent<CameraMouseMovementComponent>(w.editor).enabled = true;
    for (int i = 0; i < 8; ++i)
        w.tick();
    EXPECT_FLOAT_EQ(w.angles().yaw, 40.0f) << "400 degrees wrap to 40";
    EXPECT_FLOAT_EQ(w.angles().pitch, 90.0f);
    EXPECT_FLOAT_EQ(w.angles().previousYaw, 350.0f);
}

TEST(CameraSystems, ViewOfAKnownPoseAndShortestArcBetweenTicks)
{
    CameraWorld w;
    w.transform().position = glm::vec3(1, 2, 3);
    w.transform().previousPosition = glm::vec3(1, 2, 3);
    w.angles().offset.z = w.angles().previousOffset.z = 0.3f;
    w.angles().yaw = w.angles().previousYaw = 90.0f;
    w.view->run(1.0f);
    const Game::CameraData& data = w.current(w.editor);
    expectVecNear(data.eye, {1, 2, 3.3f});
    expectVecNear(data.center, {1, 3, 3.3f});
    expectVecNear(data.up, {0, 0, 1});
    // The view puts the point looked at straight ahead, down its -z, and +x (looking along +y) to the right.
    expectVecNear(glm::vec3(data.view * glm::vec4(data.center, 1.0f)), {0, 0, -1});
    expectVecNear(glm::vec3(data.view * glm::vec4(data.eye + glm::vec3(1, 0, 0), 1.0f)), {1, 0, 0});

    const glm::mat4 projection = data.projection;
    w.angles().previousYaw = 179.0f;
    w.angles().yaw = -179.0f;
    w.transform().previousPosition = glm::vec3(0, 0, 0);
    w.view->run(0.5f);
    expectVecNear(w.current(w.editor).center - w.current(w.editor).eye, {-1, 0, 0});
    expectVecNear(w.current(w.editor).eye, {0.5f, 1, 1.8f});
    EXPECT_EQ(w.current(w.editor).projection, projection) << "the projection is set once, elsewhere";
}

TEST(CameraSystems, FlightPanZoomAndMinimumHeight)
{
    CameraWorld w;
    w.ecs.getComponent<FreeCamMovementComponent>(w.editor).enabled = true;
    w.angles().pitch = -90.0f; // straight down
    w.input.keys.forward = true;
    for (int i = 0; i < 20; ++i)
        w.tick();
    EXPECT_FLOAT_EQ(w.transform().position.z, 0.5f) << "flying down stops at the minimum height";

    w.input = {};
    w.angles().pitch = 0.0f;
    w.view->run(1.0f);
    w.input.wheel = 1; // one notch along the view (+x)
    w.tick();
    expectVecNear(w.transform().position, {1, 0, 0.5f});

    w.input = {};
    w.input.dx = 20;
    w.tick();
    expectVecNear(w.transform().position, {1, 0, 0.5f}); // panning starts disabled
    w.ecs.getComponent<CameraMouseShiftComponent>(w.editor).enabled = true;
    w.tick();
    expectVecNear(w.transform().position, {1, -1, 0.5f});
}

TEST(CameraSystems, MenuCameraCirclesAtItsHeightLookingAtTheTarget)
{
    CameraWorld w;
    for (int i = 0; i < 200; ++i)
        w.tick();
    const Game::CameraData& data = w.current(w.menuCamera);
    EXPECT_NEAR(std::hypot(data.eye.x, data.eye.y), std::sqrt(3200.0f), 1e-3f);
    EXPECT_FLOAT_EQ(data.eye.z, 5.0f);
    expectVecNear(data.center, {0, 0, 10});
    EXPECT_NEAR(std::atan2(data.eye.y, data.eye.x) * 180.0 / M_PI, 44.0, 1e-3);
    const glm::vec4 target = data.view * glm::vec4(0, 0, 10, 1);
    EXPECT_NEAR(target.x, 0.0f, 1e-4f);
    EXPECT_NEAR(target.y, 0.0f, 1e-4f);
    EXPECT_LT(target.z, 0.0f) << "the target lies ahead";
}
