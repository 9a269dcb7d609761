#include "game/physics/contacttracker.h"

#include "engine/core/assert.h"
#include "game/physics/physicsbodyinfo.h"

#include <BulletCollision/BroadphaseCollision/btDispatcher.h>
#include <BulletCollision/CollisionDispatch/btCollisionObject.h>
#include <BulletCollision/NarrowPhaseCollision/btPersistentManifold.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <utility>

namespace GamePhysics {
namespace {

bool bodiesLess(const ContactPair& a, const ContactPair& b)
{
    const std::less<const btCollisionObject*> less;
    if (a.body0 != b.body0)
        return less(a.body0, b.body0);
    return less(a.body1, b.body1);
}

bool sameBodies(const ContactPair& a, const ContactPair& b)
{
    return a.body0 == b.body0 && a.body1 == b.body1;
}

bool hasPenetratingPoint(const btPersistentManifold& manifold)
{
    for (int i = 0; i < manifold.getNumContacts(); ++i) {
        if (manifold.getContactPoint(i).getDistance() < 0)
            return true;
    }
    return false;
}

uint32_t entityOf(const btCollisionObject* body)
{
    TX_ASSERT(body->getUserPointer() != nullptr, "collision object without PhysicsBodyInfo");
    return static_cast<const GamePhysics::PhysicsBodyInfo*>(body->getUserPointer())->entityID;
}

using ListenerCall = void (ContactListener::*)(uint32_t, const ContactPair&);

void notify(const ContactListenerLookup& listeners, ListenerCall call, const ContactPair& pair)
{
    if (!listeners)
        return;
    const ContactListenerBinding binding = listeners(pair.entity0);
    if (binding.listener != nullptr)
        (binding.listener->*call)(binding.value, pair);
}

} // namespace

void ContactTracker::collectPairs(btDispatcher& dispatcher)
{
    current.clear();
    const int manifolds = dispatcher.getNumManifolds();
    for (int i = 0; i < manifolds; ++i) {
        const btPersistentManifold* manifold = dispatcher.getManifoldByIndexInternal(i);
        if (!hasPenetratingPoint(*manifold))
            continue;
        const btCollisionObject* body0 = manifold->getBody0();
        const btCollisionObject* body1 = manifold->getBody1();
        current.push_back(ContactPair{body0, body1, entityOf(body0), entityOf(body1)});
    }
    std::sort(current.begin(), current.end(), bodiesLess);
    current.erase(std::unique(current.begin(), current.end(), sameBodies), current.end());
}

void ContactTracker::update(btDispatcher& dispatcher, const ContactListenerLookup& listeners)
{
    TX_ASSERT(!updating, "contact tracking re-entered from a listener");
    updating = true;
    collectPairs(dispatcher);

    keptMatched.assign(kept.size(), false);
    for (const ContactPair& pair : current) {
        const auto found = std::lower_bound(kept.begin(), kept.end(), pair, bodiesLess);
        if (found != kept.end() && sameBodies(*found, pair))
            keptMatched[static_cast<size_t>(found - kept.begin())] = true;
        else
            notify(listeners, &ContactListener::beganTouching, pair);
    }
    for (size_t i = 0; i < kept.size(); ++i) {
        if (!keptMatched[i])
            notify(listeners, &ContactListener::stoppedTouching, kept[i]);
    }
    for (const ContactPair& pair : forgotten)
        notify(listeners, &ContactListener::stoppedTouching, pair);
    forgotten.clear();

    std::swap(kept, current);
    for (const ContactPair& pair : kept)
        notify(listeners, &ContactListener::touching, pair);
    updating = false;
}

void ContactTracker::forgetBody(const btCollisionObject* body)
{
    TX_ASSERT(!updating, "a body left the world during contact tracking");
    auto involves = [body](const ContactPair& pair) { return pair.body0 == body || pair.body1 == body; };
    std::copy_if(kept.begin(), kept.end(), std::back_inserter(forgotten), involves);
    kept.erase(std::remove_if(kept.begin(), kept.end(), involves), kept.end());
    // Earlier dropped pairs may name this body too: clear it everywhere.
    for (ContactPair& pair : forgotten) {
        if (pair.body0 == body)
            pair.body0 = nullptr;
        if (pair.body1 == body)
            pair.body1 = nullptr;
    }
}

void ContactTracker::clear()
{
    kept.clear();
    current.clear();
    forgotten.clear();
}

} // namespace GamePhysics
