#pragma once
// Kinematic capsule controller: sweeps a ghost object's capsule through the static world, slides
// along what it hits, keeps out of penetration and decides whether it stands on ground.
// It is stepped directly by its owner once per game tick and never registered as an action.
#include <BulletDynamics/Dynamics/btActionInterface.h>
#include <glm/vec3.hpp>
#include <vector>

class btCollisionWorld;
class btCollisionObject;
class btConvexShape;
class btPairCachingGhostObject;

namespace GamePhysics {

class PhysicsWorld;

class CustomCharacterController : public btActionInterface {
public:
    // Broadphase group and mask the ghost enters the world with: character group, touches the
    // default and static groups.
    static constexpr int ghostGroup = 32;
    static constexpr int ghostMask = 3;
    // Bound on slide passes per step so that no arrangement of surfaces can hang the update.
    static constexpr int maxSlidePasses = 10;
    static constexpr int maxRecoveryRuns = 5;

    // Adds `ghostObject` to `world` (group 32, mask 3); no pointer is owned. `stepHeight`
    // is accepted for the owner's convenience but unused: there is no stair stepping.
    CustomCharacterController(PhysicsWorld* world, btPairCachingGhostObject* ghostObject,
                              btConvexShape* convexShape, float stepHeight, const glm::vec3& up);
    // Takes the ghost object out of the world.
    ~CustomCharacterController() override;
    CustomCharacterController(const CustomCharacterController&) = delete;
    CustomCharacterController& operator=(const CustomCharacterController&) = delete;

    // Sets the unit up vector (zero when `v` is zero); a `v` that is not finite is ignored.
    void setUp(const glm::vec3& v);
    // Gravity vector: up becomes its opposite direction and `gravity` its length; zero and
    // vectors that are not finite are ignored.
    void setGravity(const glm::vec3& g);
    // Walk velocity in units per second; its part along `up` becomes the vertical velocity.
    // A velocity with a component that is not finite stops all motion instead.
    void setVelocity(const glm::vec3& v);
    // One tick of movement: ground test, gravity, slide move, penetration recovery.
    // `collisionWorld` is the physics world's dynamics world (or null for the same).
    // Non-finite motion found at the start is dropped, and a move that ends at a non-finite
    // position is undone, so no tick hands a non-finite state to the next.
    void step(btCollisionWorld* collisionWorld, float dt);
    // Stops all motion without moving the capsule.
    void reset();
    // Moves the capsule by `displacement` at once (a rope reeling the player in), sweeping like a
    // step does but without following the ground: it stops at what it hits and slides along it,
    // so it never ends inside a block. The velocity is kept; surfaces hit are added to
    // touchingNormals.
    void pull(const glm::vec3& displacement);

    // True when the broadphase proxies of `a` and `b` accept each other by group and mask.
    virtual bool needsCollision(const btCollisionObject* a, const btCollisionObject* b) const;

    // The ghost object's origin, and moving it (also refreshes its broadphase bounds).
    glm::vec3 ghostPosition() const;
    void setGhostPosition(const glm::vec3& p);

    btPairCachingGhostObject* ghost() const { return ghostObject; }

    void updateAction(btCollisionWorld* collisionWorld, btScalar deltaTimeStep) override;
    void debugDraw(btIDebugDraw* debugDrawer) override;

    // State read and written by the player's movement.
    bool justJumped = false;
    std::vector<glm::vec3> touchingNormals;
    float movedDistance = 0.0f;
    float minFacingDot;
    float addedMargin = 0.0f;
    bool canJump = false;
    float verticalVelocity = 0.0f;
    float fallSpeed = 55.0f;
    float jumpSpeed = 10.0f;
    float jumpSlopeCosine;
    float groundSlopeCosine;
    float gravity = 29.4f;
    glm::vec3 walkDirection{0.0f};
    glm::vec3 currentPosition{0.0f};
    glm::vec3 targetPosition{0.0f};
    bool onGround = false;
    bool wasJumping = false;
    glm::vec3 up{0.0f, 0.0f, 1.0f};

private:
    struct ContactLists {
        std::vector<glm::vec3> facing;
        std::vector<glm::vec3> other;
    };

    void stopMotion();
    void refreshGhost();
    void refreshPairs();
    void contactQuery(const glm::vec3& direction, float limit, float threshold, ContactLists& out);
    void groundTest();
    void snapMove(const glm::vec3& move);
    void slideMove(glm::vec3 displacement);
    void slidePasses(glm::vec3 displacement);
    bool slidePass(glm::vec3& displacement);
    glm::vec3 creaseResponse(const glm::vec3& hitNormal, const glm::vec3& remainder,
                             const glm::vec3& responded);
    bool recoverOnce();
    void recoverFromPenetration();
    template <typename Visit> void forEachContact(Visit&& visit);

    btCollisionWorld& collisionWorld() const;

    PhysicsWorld* world;
    btPairCachingGhostObject* ghostObject;
    btConvexShape* convexShape;
    ContactLists contacts;
    std::vector<glm::vec3> creaseScratch;
};

} // namespace GamePhysics
