#include "game/physics/charactercontroller.h"

#include "engine/core/assert.h"
#include "game/physics/physicsworld.h"

#include <BulletCollision/BroadphaseCollision/btCollisionAlgorithm.h>
#include <BulletCollision/CollisionDispatch/btCollisionWorld.h>
#include <BulletCollision/CollisionDispatch/btGhostObject.h>
#include <BulletCollision/CollisionShapes/btConvexShape.h>
#include <BulletDynamics/Dynamics/btDiscreteDynamicsWorld.h>
#include <glm/geometric.hpp>
#include <glm/trigonometric.hpp>

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace GamePhysics {

namespace {

// Squared lengths at or below this count as zero: such vectors are skipped, never normalised.
constexpr float tinyLengthSquared = FLT_EPSILON;
// Largest angle between a sweep hit normal and the motion that still blocks it (just under 90°).
constexpr float facingAngle = 1.5706217f;
// A snap sweep is stopped only by surfaces facing straight against it; this allows for rounding.
constexpr float snapSlopeDot = 1.0f - 1e-5f;

btVector3 toBt(const glm::vec3& v) { return btVector3(v.x, v.y, v.z); }
glm::vec3 toGlm(const btVector3& v) { return glm::vec3(v.x(), v.y(), v.z()); }

float horizontalLength(const glm::vec3& v) { return std::sqrt(v.x * v.x + v.y * v.y); }

// Unit vector along `v`, or zero when `v` is too short to have a direction.
glm::vec3 safeNormalize(const glm::vec3& v)
{
    const float lengthSquared = glm::dot(v, v);
    if (!(lengthSquared > tinyLengthSquared))
        return glm::vec3(0.0f);
    return v / std::sqrt(lengthSquared);
}

bool isZero(const glm::vec3& v) { return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f; }

bool isFinite(const glm::vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// |v| for a vector whose squared length `lengthSquared` was taken in floats: when that overflowed
// (components beyond about 1.8e19), the length is measured in doubles instead.
float lengthOf(const glm::vec3& v, float lengthSquared)
{
    if (std::isfinite(lengthSquared))
        return std::sqrt(lengthSquared);
    const double x = v.x, y = v.y, z = v.z;
    return static_cast<float>(std::sqrt(x * x + y * y + z * z));
}

// Keeps the horizontal part of `v` and tilts it into the plane of `normal` (walks follow slopes);
// zero when there is no horizontal part or the plane is vertical.
glm::vec3 alongSurface(const glm::vec3& v, const glm::vec3& normal)
{
    if ((v.x == 0.0f && v.y == 0.0f) || std::fabs(normal.z) <= FLT_EPSILON)
        return glm::vec3(0.0f);
    return glm::vec3(v.x, v.y, -(v.x * normal.x + v.y * normal.y) / normal.z);
}

// Closest convex sweep hit that ignores the sweeping object itself, objects without contact
// response and surfaces that do not face the motion closely enough.
class ClosestNotMeSweepCallback : public btCollisionWorld::ClosestConvexResultCallback {
public:
    ClosestNotMeSweepCallback(const btCollisionObject* me, const glm::vec3& up, float minSlopeDot)
        : btCollisionWorld::ClosestConvexResultCallback(btVector3(0, 0, 0), btVector3(0, 0, 0)),
          me(me), up(up), minSlopeDot(minSlopeDot)
    {
    }

    btScalar addSingleResult(btCollisionWorld::LocalConvexResult& result, bool normalInWorldSpace) override
    {
        const btCollisionObject* object = result.m_hitCollisionObject;
        if (object == me || !object->hasContactResponse())
            return 1.0f;
        const btVector3 worldNormal = normalInWorldSpace
                                          ? result.m_hitNormalLocal
                                          : object->getWorldTransform().getBasis() * result.m_hitNormalLocal;
        const glm::vec3 normal = safeNormalize(toGlm(worldNormal));
        if (isZero(normal) || glm::dot(up, normal) < minSlopeDot)
            return 1.0f;
        result.m_hitNormalLocal = toBt(normal);
        return ClosestConvexResultCallback::addSingleResult(result, true);
    }

private:
    const btCollisionObject* me;
    glm::vec3 up;
    float minSlopeDot;
};

} // namespace

CustomCharacterController::CustomCharacterController(PhysicsWorld* world, btPairCachingGhostObject* ghostObject,
                                                     btConvexShape* convexShape, float /*stepHeight*/,
                                                     const glm::vec3& upVector)
    : minFacingDot(std::cos(facingAngle)),
      jumpSlopeCosine(std::cos(glm::radians(45.0f))),
      groundSlopeCosine(std::cos(glm::radians(35.0f))),
      world(world),
      ghostObject(ghostObject),
      convexShape(convexShape)
{
    setUp(upVector);
    touchingNormals.reserve(4);
    contacts.facing.reserve(4);
    contacts.other.reserve(4);
    creaseScratch.reserve(4);
    currentPosition = toGlm(ghostObject->getWorldTransform().getOrigin());
    targetPosition = currentPosition;
    world->addCollisionObject(ghostObject, ghostGroup, ghostMask);
}

CustomCharacterController::~CustomCharacterController()
{
    world->removeCollisionObject(ghostObject);
}

btCollisionWorld& CustomCharacterController::collisionWorld() const { return world->dynamicsWorld(); }

void CustomCharacterController::setUp(const glm::vec3& v)
{
    if (v == up || !isFinite(v))
        return;
    up = safeNormalize(v);
}

void CustomCharacterController::setGravity(const glm::vec3& g)
{
    const float length = glm::length(g);
    if (!(length > 0.0f) || !std::isfinite(length))
        return;
    setUp(-g);
    gravity = length;
}

void CustomCharacterController::setVelocity(const glm::vec3& v)
{
    // A velocity that is not a number (or whose split overflows) would stay in the state for
    // good: refuse it as no motion at all.
    if (!isFinite(v)) {
        stopMotion();
        return;
    }
    walkDirection = v;
    const float lengthSquared = glm::dot(v, v);
    if (!(lengthSquared > tinyLengthSquared)) {
        verticalVelocity = 0.0f;
        return;
    }
    const float length = lengthOf(v, lengthSquared);
    const float c = std::clamp(glm::dot(v / length, up), -1.0f, 1.0f);
    if (c == 0.0f)
        return;
    const float alongUp = std::sin(static_cast<float>(M_PI_2) - std::acos(c)) * length;
    walkDirection -= up * alongUp;
    verticalVelocity = std::fabs(alongUp) * (c > 0.0f ? 1.0f : -1.0f);
    if (!isFinite(walkDirection) || !std::isfinite(verticalVelocity)) {
        stopMotion();
        return;
    }
    if (c > 0.0f)
        wasJumping = true;
}

void CustomCharacterController::stopMotion()
{
    walkDirection = glm::vec3(0.0f);
    verticalVelocity = 0.0f;
}

void CustomCharacterController::reset()
{
    verticalVelocity = 0.0f;
    onGround = false;
    wasJumping = false;
    walkDirection = glm::vec3(0.0f);
}

bool CustomCharacterController::needsCollision(const btCollisionObject* a, const btCollisionObject* b) const
{
    const btBroadphaseProxy* pa = a->getBroadphaseHandle();
    const btBroadphaseProxy* pb = b->getBroadphaseHandle();
    if (!pa || !pb)
        return false;
    return (pa->m_collisionFilterGroup & pb->m_collisionFilterMask) != 0 &&
           (pb->m_collisionFilterGroup & pa->m_collisionFilterMask) != 0;
}

glm::vec3 CustomCharacterController::ghostPosition() const
{
    return toGlm(ghostObject->getWorldTransform().getOrigin());
}

void CustomCharacterController::setGhostPosition(const glm::vec3& p)
{
    ghostObject->getWorldTransform().setOrigin(toBt(p));
    if (!ghostObject->getBroadphaseHandle())
        return;
    btVector3 minAabb, maxAabb;
    convexShape->getAabb(ghostObject->getWorldTransform(), minAabb, maxAabb);
    collisionWorld().getBroadphase()->setAabb(ghostObject->getBroadphaseHandle(), minAabb, maxAabb,
                                             collisionWorld().getDispatcher());
}

void CustomCharacterController::updateAction(btCollisionWorld* collisionWorld, btScalar deltaTimeStep)
{
    step(collisionWorld, deltaTimeStep);
}

void CustomCharacterController::debugDraw(btIDebugDraw* /*debugDrawer*/) {}

void CustomCharacterController::refreshGhost() { setGhostPosition(currentPosition); }

void CustomCharacterController::refreshPairs()
{
    btCollisionWorld& cw = collisionWorld();
    cw.getDispatcher()->dispatchAllCollisionPairs(ghostObject->getOverlappingPairCache(), cw.getDispatchInfo(),
                                                  cw.getDispatcher());
}

// Calls visit(normal towards the capsule, distance) for every contact point of every pair that
// takes part in collision response and whose proxies accept each other.
template <typename Visit> void CustomCharacterController::forEachContact(Visit&& visit)
{
    refreshPairs();
    btBroadphasePairArray& pairs = ghostObject->getOverlappingPairCache()->getOverlappingPairArray();
    btManifoldArray manifolds;
    for (int i = 0; i < pairs.size(); ++i) {
        const btBroadphasePair& pair = pairs[i];
        const auto* object0 = static_cast<const btCollisionObject*>(pair.m_pProxy0->m_clientObject);
        const auto* object1 = static_cast<const btCollisionObject*>(pair.m_pProxy1->m_clientObject);
        if (!object0->hasContactResponse() || !object1->hasContactResponse() || !needsCollision(object0, object1))
            continue;
        if (!pair.m_algorithm)
            continue;
        manifolds.resize(0);
        pair.m_algorithm->getAllContactManifolds(manifolds);
        for (int m = 0; m < manifolds.size(); ++m) {
            const btPersistentManifold* manifold = manifolds[m];
            const float towardsCapsule = manifold->getBody0() == ghostObject ? 1.0f : -1.0f;
            for (int p = 0; p < manifold->getNumContacts(); ++p) {
                const btManifoldPoint& point = manifold->getContactPoint(p);
                visit(toGlm(point.m_normalWorldOnB) * towardsCapsule, point.getDistance());
            }
        }
    }
}

void CustomCharacterController::contactQuery(const glm::vec3& direction, float limit, float threshold,
                                             ContactLists& out)
{
    out.facing.clear();
    out.other.clear();
    forEachContact([&](const glm::vec3& normal, float distance) {
        if (!(distance < -threshold))
            return;
        if (glm::dot(normal, direction) >= limit)
            out.facing.push_back(normal);
        else
            out.other.push_back(normal);
    });
}

void CustomCharacterController::groundTest()
{
    refreshGhost();
    contactQuery(up, minFacingDot, 0.0f, contacts);
    glm::vec3 firstHorizontal(0.0f);
    for (const glm::vec3& n : contacts.facing) {
        const float upDot = glm::dot(up, n);
        if (upDot >= jumpSlopeCosine)
            canJump = true;
        if (upDot >= groundSlopeCosine)
            onGround = true;
        const glm::vec3 horizontal(n.x, n.y, 0.0f);
        if (isZero(horizontal))
            continue;
        if (isZero(firstHorizontal))
            firstHorizontal = horizontal;
        else if (glm::dot(horizontal, firstHorizontal) < 0.0f)
            onGround = true;
    }
}

void CustomCharacterController::snapMove(const glm::vec3& move)
{
    ClosestNotMeSweepCallback callback(ghostObject, safeNormalize(-move), snapSlopeDot);
    callback.m_collisionFilterGroup = ghostObject->getBroadphaseHandle()->m_collisionFilterGroup;
    callback.m_collisionFilterMask = ghostObject->getBroadphaseHandle()->m_collisionFilterMask;
    const btMatrix3x3& basis = ghostObject->getWorldTransform().getBasis();
    const btTransform from(basis, toBt(currentPosition));
    const btTransform to(basis, toBt(currentPosition + move));
    collisionWorld().convexSweepTest(convexShape, from, to, callback, addedMargin);
    if (callback.hasHit() && callback.m_closestHitFraction < 1.0f)
        currentPosition += move * callback.m_closestHitFraction;
}

bool CustomCharacterController::recoverOnce()
{
    bool corrected = false;
    forEachContact([&](const glm::vec3& normal, float distance) {
        if (!(distance < -addedMargin))
            return;
        currentPosition += normal * -(distance + addedMargin);
        corrected = true;
    });
    refreshGhost();
    return corrected;
}

void CustomCharacterController::recoverFromPenetration()
{
    for (int run = 0; run < maxRecoveryRuns; ++run) {
        if (!recoverOnce())
            return;
    }
}

void CustomCharacterController::step(btCollisionWorld* collisionWorld, float dt)
{
    TX_ASSERT(collisionWorld == nullptr || collisionWorld == &this->collisionWorld(),
              "a controller steps in the world it was added to");
    // The owner writes the motion fields directly too: a value that is not a number would
    // never clear (no comparison catches it) and would freeze the capsule.
    if (!isFinite(walkDirection) || !std::isfinite(verticalVelocity))
        stopMotion();
    if (!isFinite(currentPosition))
        currentPosition = ghostPosition();
    const glm::vec3 start = currentPosition;
    touchingNormals.clear();
    onGround = false;
    canJump = false;
    groundTest();

    if (!onGround) {
        verticalVelocity -= dt * gravity;
    } else if (verticalVelocity < 0.0f) {
        verticalVelocity = 0.0f;
        snapMove(-up * addedMargin);
    }
    if (verticalVelocity > jumpSpeed)
        verticalVelocity = jumpSpeed;
    if (verticalVelocity < -fallSpeed)
        verticalVelocity = -fallSpeed;

    slideMove(glm::vec3(walkDirection.x * dt, walkDirection.y * dt, verticalVelocity * dt));
    refreshGhost();
    recoverFromPenetration();
    justJumped = false;

    // A move too large for the sweeps can end nowhere: stay put and stop instead.
    if (!isFinite(currentPosition) || !std::isfinite(verticalVelocity)) {
        currentPosition = start;
        stopMotion();
        refreshGhost();
    }
}

void CustomCharacterController::pull(const glm::vec3& displacement)
{
    if (!isFinite(displacement) || !isFinite(currentPosition))
        return;
    const glm::vec3 start = currentPosition;
    const float keptVertical = verticalVelocity;
    const float keptMoved = movedDistance;
    movedDistance = 0.0f;
    slidePasses(displacement);
    refreshGhost();
    recoverFromPenetration();
    // A pull is no walk: it neither changes the speed the walk achieved nor stops a fall.
    movedDistance = keptMoved;
    verticalVelocity = keptVertical;
    if (!isFinite(currentPosition)) {
        currentPosition = start;
        refreshGhost();
    }
}

void CustomCharacterController::slideMove(glm::vec3 displacement)
{
    movedDistance = 0.0f;
    if (!(glm::dot(displacement, displacement) > tinyLengthSquared))
        return;
    if (!justJumped) {
        contactQuery(up, groundSlopeCosine, 0.0f, contacts);
        if (!contacts.facing.empty()) {
            const glm::vec3 ground = contacts.facing.front();
            snapMove(-up * addedMargin);
            displacement = alongSurface(displacement, ground);
        }
    }

    slidePasses(displacement);
}

void CustomCharacterController::slidePasses(glm::vec3 displacement)
{
    // Positions after the two previous passes, for the stall guard.
    glm::vec3 previous[2] = {currentPosition, currentPosition};
    for (int pass = 0; pass < maxSlidePasses; ++pass) {
        if (!(glm::dot(displacement, displacement) > tinyLengthSquared))
            return;
        if (!slidePass(displacement))
            return;
        const bool stalled = pass >= 2 && currentPosition == previous[0] && currentPosition == previous[1];
        if (stalled)
            return;
        previous[1] = previous[0];
        previous[0] = currentPosition;
    }
}

// One sweep along `displacement`; moves the capsule to the hit (or the end) and replaces
// `displacement` with what is left after the surface response. Returns false when the loop ends.
bool CustomCharacterController::slidePass(glm::vec3& displacement)
{
    targetPosition = currentPosition + displacement;
    const glm::vec3 direction = safeNormalize(displacement);
    ClosestNotMeSweepCallback callback(ghostObject, -direction, minFacingDot);
    callback.m_collisionFilterGroup = ghostObject->getBroadphaseHandle()->m_collisionFilterGroup;
    callback.m_collisionFilterMask = ghostObject->getBroadphaseHandle()->m_collisionFilterMask;
    const btMatrix3x3& basis = ghostObject->getWorldTransform().getBasis();
    collisionWorld().convexSweepTest(convexShape, btTransform(basis, toBt(currentPosition)),
                           btTransform(basis, toBt(targetPosition)), callback, addedMargin);

    const bool hit = callback.hasHit() && callback.m_closestHitFraction < 1.0f &&
                     ghostObject->hasContactResponse() &&
                     needsCollision(ghostObject, callback.m_hitCollisionObject);
    if (!hit) {
        currentPosition = targetPosition;
        movedDistance += horizontalLength(displacement);
        refreshGhost();
        return false;
    }

    const float fraction = callback.m_closestHitFraction;
    const glm::vec3 normal = toGlm(callback.m_hitNormalWorld);
    currentPosition += displacement * fraction;
    movedDistance += fraction * horizontalLength(displacement);
    const glm::vec3 remainder = displacement * (1.0f - fraction);

    glm::vec3 responded;
    if (glm::dot(-up, normal) >= groundSlopeCosine) {
        verticalVelocity = 0.0f;
        responded = alongSurface(remainder, normal);
    } else if (glm::dot(up, normal) >= groundSlopeCosine) {
        verticalVelocity = 0.0f;
        onGround = true;
        wasJumping = false;
        responded = alongSurface(remainder, normal);
    } else {
        responded = remainder - normal * glm::dot(remainder, normal);
    }

    refreshGhost();
    responded = creaseResponse(normal, remainder, responded);
    refreshGhost();
    recoverFromPenetration();

    const bool more = !isZero(responded);
    displacement = responded;
    return more;
}

// Looks at every surface the capsule touches after a hit; when it sits in a crease between the
// hit surface and one facing against it, the remaining motion is kept along the crease line.
glm::vec3 CustomCharacterController::creaseResponse(const glm::vec3& hitNormal, const glm::vec3& remainder,
                                                    const glm::vec3& responded)
{
    contactQuery(-safeNormalize(remainder), -1.0f, 0.0f, contacts);
    const std::vector<glm::vec3>& touched = contacts.facing;
    if (touched.size() < 2) {
        touchingNormals.push_back(hitNormal);
        return responded;
    }

    glm::vec3 creaseLine(0.0f);
    glm::vec3 creaseMean(0.0f);
    int creaseCount = 0;
    creaseScratch.clear();
    for (const glm::vec3& n : touched) {
        if (glm::dot(n, hitNormal) >= 0.0f)
            continue;
        const glm::vec3 line = safeNormalize(glm::cross(hitNormal, n));
        const glm::vec3 mean = safeNormalize(n + hitNormal);
        if (isZero(line) || isZero(mean))
            continue;
        creaseLine = line;
        creaseMean = mean;
        creaseScratch.push_back(line);
        creaseScratch.push_back(mean);
        ++creaseCount;
    }

    glm::vec3 average(0.0f);
    for (const glm::vec3& n : touched)
        average += n;
    average = safeNormalize(average);
    if (creaseCount > 1 && !isZero(average)) {
        float best = -FLT_MAX;
        for (size_t i = 0; i + 1 < creaseScratch.size(); i += 2) {
            const float score = glm::dot(average, creaseScratch[i]);
            if (score > best) {
                best = score;
                creaseLine = creaseScratch[i];
                creaseMean = creaseScratch[i + 1];
            }
        }
        touchingNormals.push_back(average);
    } else {
        touchingNormals.push_back(hitNormal);
    }

    if (creaseCount > 0 && glm::dot(creaseMean, remainder) < 0.0f)
        return creaseLine * glm::dot(creaseLine, remainder);
    return responded;
}

} // namespace GamePhysics
