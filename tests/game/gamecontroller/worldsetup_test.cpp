#include "game/gamecontroller/worldsetup.h"

#include "game/camera/cameracomponents.h"
#include "game/editor/editordatacomponent.h"
#include "game/physics/physicsbodyinfo.h"
#include "game/physics/physicscomponents.h"
#include "game/physics/physicsworld.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/transform/transformcomponent.h"

#include <gtest/gtest.h>

#include <BulletDynamics/Dynamics/btRigidBody.h>

using namespace Component;

namespace {

class WorldSetupTest : public ::testing::Test {
protected:
    WorldSetupTest() { Game::registerGameTypes(world); }
    ~WorldSetupTest() override
    {
        world.destroyAllEntities();
        world.refresh();
    }

    GamePhysics::PhysicsWorld physics;
    ECS::EntityManager world;
};

} // namespace

TEST_F(WorldSetupTest, StartEntitiesAreTheCamerasThePlayerOutOfControlAndTheEditorsData)
{
    Game::CameraData prototype;
    testing::internal::CaptureStdout();
    const Game::StartEntities made = Game::createStartEntities(world, prototype, physics);
    const std::string console = testing::internal::GetCapturedStdout();
    world.refresh();

    EXPECT_NE(console.find("Player ID:" + std::to_string(made.player)), std::string::npos) << console;
    EXPECT_TRUE(world.hasComponent<MenuCameraAnimationComponent>(made.menuCamera));
    EXPECT_TRUE(world.hasComponent<FreeCamMovementComponent>(made.editorCamera));
    EXPECT_EQ(world.getComponent<TransformComponent>(made.editorCamera).position, glm::vec3(0.0f, 0.0f, 2.0f));
    EXPECT_FALSE(world.getComponent<CharacterControllerComponent>(made.player).enabled)
        << "the player takes control only when a game starts";
    EXPECT_TRUE(world.hasComponent<CameraComponent>(made.player));
    EXPECT_TRUE(world.hasComponent<EditorDataComponent>(made.editor));
    // Four distinct entities.
    EXPECT_NE(made.menuCamera, made.editorCamera);
    EXPECT_NE(made.player, made.editor);
    EXPECT_NE(made.player, made.menuCamera);
}

TEST_F(WorldSetupTest, TheFloorIsAStaticPlaneInTheFloorGroup)
{
    testing::internal::CaptureStdout();
    const ECS::EntityId floor = Game::createFloor(world);
    const std::string console = testing::internal::GetCapturedStdout();
    world.refresh();

    EXPECT_NE(console.find("FLOOR ID:" + std::to_string(floor)), std::string::npos) << console;
    const auto& body = world.getComponent<PhysicsRigidBodyComponent>(floor);
    EXPECT_TRUE(body.body->isStaticObject());
    EXPECT_EQ(body.info->group, GamePhysics::CollisionGroup::floor);
    EXPECT_EQ(body.info->mask, GamePhysics::CollisionGroup::all);
    EXPECT_TRUE(world.hasComponent<PhysicsColliderComponent>(floor));
}
