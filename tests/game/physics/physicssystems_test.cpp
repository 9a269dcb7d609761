#include "game/physics/physicssystems.h"

#include "game/physics/physicscomponents.h"
#include "game/physics/physicsworld.h"
#include "game/physics/raycast.h"
#include "game/transform/transformcomponent.h"
#include "tests/game/physics/testbodies.h"

#include <BulletCollision/CollisionShapes/btBoxShape.h>
#include <BulletDynamics/Dynamics/btDiscreteDynamicsWorld.h>
#include <gtest/gtest.h>
#include <glm/gtc/quaternion.hpp>

#include <string>
#include <vector>

using Component::PhysicsColliderComponent;
using Component::PhysicsRigidBodyComponent;
using Component::TransformComponent;
using GamePhysics::RayCast::closestHit;
using Message::PhysicsColliderShapeChangeMessage;
namespace RayMask = GamePhysics::RayMask;

namespace {

std::shared_ptr<btCollisionShape> boxShape(float halfExtent)
{
    return std::make_shared<btBoxShape>(btVector3(halfExtent, halfExtent, halfExtent));
}

// An ECS world with the physics components, systems and message handler, updated the way the
// game controller does it: systems, messages, one physics step, refresh.
struct PhysicsEcs {
    GamePhysics::PhysicsWorld world;
    ECS::EntityManager ecs;

    PhysicsEcs()
    {
        ecs.registerComponent<TransformComponent>();
        ecs.registerComponent<PhysicsRigidBodyComponent>();
        ecs.registerComponent<PhysicsColliderComponent>();
        ecs.registerComponent<Component::CollisionCallbackComponent>();
        ecs.registerMessage<PhysicsColliderShapeChangeMessage>();
        ecs.addSystem(GamePhysics::RigidBodyColliderSystem(ecs, world));
        ecs.addSystem(GamePhysics::TransformToCollissionTransformSystem(ecs));
        ecs.addSystem(GamePhysics::PhysicsMotionStateSystem(ecs, world));
        ecs.addMessageSystem(GamePhysics::PhysicsColliderChangeMessageSystem(ecs, world));
    }

    void update()
    {
        ecs.getSystem<GamePhysics::TransformToCollissionTransformSystem>()->run(0);
        ecs.getSystem<GamePhysics::PhysicsMotionStateSystem>()->run(0);
        ecs.processMessages();
        world.step(GamePhysics::collisionCallbackLookup(ecs));
        ecs.refresh();
    }

    // A map block as the game makes one: transform, box collider, static body of group 12.
    ECS::EntityId addBlock(const glm::vec3& position, float halfExtent, bool withCollider = true)
    {
        const ECS::EntityId entity = ecs.createEntity();
        ecs.addComponent(entity, TransformComponent{})->position = position;
        if (withCollider)
            ecs.addComponent(entity, PhysicsColliderComponent(boxShape(halfExtent)));
        PhysicsRigidBodyComponent* body =
            ecs.addComponent(entity, PhysicsRigidBodyComponent(entity, 0.0f, glm::vec3(0.0f)));
        body->info->group = GamePhysics::CollisionGroup::block;
        body->kind = PhysicsRigidBodyComponent::kindMapBlock;
        return entity;
    }

    PhysicsRigidBodyComponent& body(ECS::EntityId entity) { return ecs.getComponent<PhysicsRigidBodyComponent>(entity); }

    // Entity hit by a ray along +x at height 1 from x = -50, or 0.
    uint32_t hitAlongX(float y = 0.0f)
    {
        const auto hit = closestHit(world, {-50, y, 1}, {50, y, 1}, RayMask::blocksOnly);
        return hit ? hit->entityID : 0;
    }
};

} // namespace

TEST(PhysicsSystems, BodyIsInTheWorldExactlyWhileItsEntityHasBothComponents)
{
    PhysicsEcs scene;
    const ECS::EntityId lone = scene.addBlock({0, 0, 1}, 1, /*withCollider=*/false);
    scene.ecs.refresh();
    EXPECT_FALSE(scene.world.contains(scene.body(lone).body.get()));
    EXPECT_TRUE(scene.body(lone).detached);

    scene.ecs.addComponent(lone, PhysicsColliderComponent(boxShape(1)));
    scene.ecs.refresh();
    // In the world at once, at its transform, before any step.
    EXPECT_TRUE(scene.world.contains(scene.body(lone).body.get()));
    EXPECT_FALSE(scene.body(lone).detached);
    EXPECT_EQ(scene.hitAlongX(), lone);

    scene.ecs.removeComponent<PhysicsColliderComponent>(lone);
    scene.ecs.refresh();
    PhysicsRigidBodyComponent& body = scene.body(lone);
    EXPECT_FALSE(scene.world.contains(body.body.get()));
    EXPECT_TRUE(body.detached);
    scene.update();
    EXPECT_EQ(scene.hitAlongX(), 0u);
}

TEST(PhysicsSystems, MovingAnEntitysTransformMovesItsBody)
{
    PhysicsEcs scene;
    const ECS::EntityId block = scene.addBlock({0, 0, 1}, 1);
    scene.ecs.refresh();
    ASSERT_EQ(scene.hitAlongX(), block);

    auto& transform = scene.ecs.getComponent<TransformComponent>(block);
    transform.position = {0, 20, 1};
    scene.update();
    EXPECT_EQ(scene.hitAlongX(0), 0u);
    EXPECT_EQ(scene.hitAlongX(20), block);

    // Rotation follows too (scale does not: it lives in the shape). A block turned 45 degrees
    // about z reaches sqrt(2) along x.
    transform.rotation = glm::angleAxis(glm::radians(45.0f), glm::vec3(0, 0, 1));
    scene.update();
    const auto hit = closestHit(scene.world, {-50, 20, 1}, {50, 20, 1}, RayMask::blocksOnly);
    ASSERT_TRUE(hit);
    EXPECT_NEAR(hit->point.x, -std::sqrt(2.0f), 1e-3f);
    const btVector3 origin = scene.body(block).body->getWorldTransform().getOrigin();
    EXPECT_EQ(origin, btVector3(0, 20, 1));
}

TEST(PhysicsSystems, ShapeChangeMessageReplacesWhatRaysHit)
{
    PhysicsEcs scene;
    const ECS::EntityId block = scene.addBlock({0, 0, 1}, 1);
    const ECS::EntityId other = scene.addBlock({0, 6, 1}, 1);
    scene.ecs.refresh();
    const int objects = scene.world.dynamicsWorld().getNumCollisionObjects();
    EXPECT_EQ(scene.hitAlongX(2.5f), 0u);

    const auto bigger = boxShape(3);
    scene.ecs.sendMessage(PhysicsColliderShapeChangeMessage{block, bigger});
    scene.update(); // the message is handled in the update after it was sent
    scene.update();
    EXPECT_EQ(scene.hitAlongX(2.5f), block);
    EXPECT_EQ(scene.ecs.getComponent<PhysicsColliderComponent>(block).shape, bigger);
    EXPECT_EQ(scene.world.dynamicsWorld().getNumCollisionObjects(), objects);
    EXPECT_EQ(scene.hitAlongX(6), other);

    // Destroying the entity afterwards takes its body out exactly once.
    scene.ecs.destroyEntity(block);
    scene.update();
    EXPECT_EQ(scene.world.dynamicsWorld().getNumCollisionObjects(), objects - 1);
    EXPECT_EQ(scene.hitAlongX(2.5f), 0u);
}

TEST(PhysicsSystems, ShapeChangeNeverReachesANewOwnerOfItsEntitysId)
{
    PhysicsEcs scene;
    const ECS::EntityId block = scene.addBlock({0, 0, 1}, 1);
    scene.ecs.refresh();
    scene.ecs.sendMessage(PhysicsColliderShapeChangeMessage{block, boxShape(3)});
    scene.ecs.destroyEntity(block);
    scene.update(); // the message is swapped in; the block's id comes free
    const ECS::EntityId reused = scene.addBlock({0, 0, 1}, 1);
    ASSERT_EQ(reused, block);
    scene.ecs.refresh(); // the new block is complete before the message is handled
    const auto newShape = scene.ecs.getComponent<PhysicsColliderComponent>(reused).shape;
    scene.update();
    EXPECT_EQ(scene.ecs.getComponent<PhysicsColliderComponent>(reused).shape, newShape);
    EXPECT_EQ(scene.body(reused).shape, newShape);
    EXPECT_EQ(scene.hitAlongX(2.5f), 0u);
}

TEST(PhysicsSystems, ShapeChangeNeverAddsABodyThatIsNotInTheWorld)
{
    PhysicsEcs scene;
    const ECS::EntityId lone = scene.addBlock({0, 0, 1}, 1, /*withCollider=*/false);
    const ECS::EntityId colliderOnly = scene.ecs.createEntity();
    scene.ecs.addComponent(colliderOnly, PhysicsColliderComponent(boxShape(1)));
    scene.ecs.refresh();

    const auto shape = boxShape(2);
    scene.ecs.sendMessage(PhysicsColliderShapeChangeMessage{lone, shape});
    scene.ecs.sendMessage(PhysicsColliderShapeChangeMessage{colliderOnly, shape});
    scene.update();
    scene.update();
    EXPECT_FALSE(scene.world.contains(scene.body(lone).body.get()));
    EXPECT_EQ(scene.body(lone).shape, shape);
    EXPECT_EQ(scene.ecs.getComponent<PhysicsColliderComponent>(colliderOnly).shape, shape);
    EXPECT_EQ(scene.world.dynamicsWorld().getNumCollisionObjects(), 0);

    // When the collider arrives the body joins once, with the collider's shape.
    const auto colliderShape = boxShape(1);
    scene.ecs.addComponent(lone, PhysicsColliderComponent(colliderShape));
    scene.update();
    EXPECT_EQ(scene.world.dynamicsWorld().getNumCollisionObjects(), 1);
    EXPECT_EQ(scene.body(lone).shape, colliderShape);
}

TEST(PhysicsSystems, FirstShapeKeepsTheGivenInertiaLaterShapesComputeIt)
{
    PhysicsEcs scene;
    const ECS::EntityId entity = scene.ecs.createEntity();
    scene.ecs.addComponent(entity, TransformComponent{});
    scene.ecs.addComponent(entity, PhysicsColliderComponent(boxShape(1)));
    scene.ecs.addComponent(entity, PhysicsRigidBodyComponent(entity, 2.0f, glm::vec3(7.0f)));
    scene.ecs.refresh();
    EXPECT_EQ(scene.body(entity).localInertia, glm::vec3(7.0f));

    scene.ecs.sendMessage(PhysicsColliderShapeChangeMessage{entity, boxShape(1)});
    scene.ecs.processMessages();
    scene.ecs.processMessages();
    // A 2 x 2 x 2 box of mass 2: m / 12 · (2² + 2²) about each axis.
    const float expected = 2.0f / 12.0f * 8.0f;
    EXPECT_NEAR(scene.body(entity).body->getLocalInertia().z(), expected, 1e-4f);
    EXPECT_TRUE(scene.world.contains(scene.body(entity).body.get()));
}

namespace {

class LoggingListener : public GamePhysics::ContactListener {
public:
    explicit LoggingListener(std::vector<std::string>& log) : log(&log) {}
    void beganTouching(uint32_t, const GamePhysics::ContactPair& p) override { add("began", p); }
    void touching(uint32_t, const GamePhysics::ContactPair& p) override { add("touching", p); }
    void stoppedTouching(uint32_t, const GamePhysics::ContactPair& p) override { add("stopped", p); }

private:
    void add(const char* what, const GamePhysics::ContactPair& p)
    {
        log->push_back(std::string(what) + " " + std::to_string(p.entity1) + (p.body1 ? "" : " (gone)"));
    }
    std::vector<std::string>* log;
};

} // namespace

TEST(PhysicsSystems, DestroyingABlockMidContactReportsItOnceThroughTheCallbackComponent)
{
    PhysicsEcs scene;
    std::vector<std::string> log;
    // The mover enters the world first, so it is the first body of its pairs.
    const ECS::EntityId moverEntity = scene.ecs.createEntity();
    PhysicsTest::MovingBox mover(scene.world, moverEntity, {1.4f, 0, 1}, glm::vec3(0.5f));
    auto* callback = scene.ecs.addComponent(moverEntity, Component::CollisionCallbackComponent{});
    callback->listener = std::make_unique<LoggingListener>(log);
    const ECS::EntityId block = scene.addBlock({0, 0, 1}, 1);
    scene.ecs.refresh();

    scene.update();
    scene.update();
    const std::string id = std::to_string(block);
    EXPECT_EQ(log, (std::vector<std::string>{"began " + id, "touching " + id, "touching " + id}));
    log.clear();

    scene.ecs.destroyEntity(block);
    scene.update(); // the body leaves (and is freed) at this refresh
    scene.update();
    scene.update();
    EXPECT_EQ(log, (std::vector<std::string>{"touching " + id, "stopped " + id + " (gone)"}));
}

TEST(PhysicsSystems, TearDownInEitherOrderLeavesNoBodyBehind)
{
    auto world = std::make_unique<GamePhysics::PhysicsWorld>();
    auto ecs = std::make_unique<ECS::EntityManager>();
    auto fill = [&]() {
        ecs->registerComponent<PhysicsRigidBodyComponent>();
        ecs->registerComponent<PhysicsColliderComponent>();
        ecs->addSystem(GamePhysics::RigidBodyColliderSystem(*ecs, *world));
        for (int i = 0; i < 3; ++i) {
            const ECS::EntityId e = ecs->createEntity();
            ecs->addComponent(e, PhysicsColliderComponent(boxShape(1)));
            ecs->addComponent(e, PhysicsRigidBodyComponent(e, 0.0f, glm::vec3(0.0f)));
        }
        ecs->refresh();
        ASSERT_EQ(world->dynamicsWorld().getNumCollisionObjects(), 3);
    };

    // The ECS goes first (the game controller's order): its system takes the bodies out.
    fill();
    ecs.reset();
    EXPECT_EQ(world->dynamicsWorld().getNumCollisionObjects(), 0);

    // The world goes first: it lets go of the bodies, and the ECS then frees them without
    // touching the world (the sanitizer build checks that).
    ecs = std::make_unique<ECS::EntityManager>();
    fill();
    world.reset();
    ecs.reset();
}

TEST(PhysicsSystems, FreeingABodyThatIsStillInTheWorldStopsTheProgram)
{
    GamePhysics::PhysicsWorld world;
    EXPECT_DEATH(
        {
            PhysicsRigidBodyComponent component(1, 0.0f, glm::vec3(0.0f));
            component.setShape(boxShape(1));
            world.addRigidBody(component.body.get());
        },
        "still in the physics world");
}
