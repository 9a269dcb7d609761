#pragma once
// Contact tracking: after every world step, which pairs of collision objects touch (penetrate),
// which began touching in this step and which stopped. Listeners are found by entity id.
#include <cstdint>
#include <functional>
#include <vector>

class btCollisionObject;
class btDispatcher;

namespace GamePhysics {

// One touching pair, as the dispatcher's manifold orders it. Both entity ids are recorded when
// the pair is found, so a pair can be reported after its bodies are gone; a body pointer is null
// once that body has left the world and must never be used beyond the listener call.
struct ContactPair {
    const btCollisionObject* body0 = nullptr;
    const btCollisionObject* body1 = nullptr;
    uint32_t entity0 = 0;
    uint32_t entity1 = 0;
};

// Receives the contact events of pairs whose first body belongs to its entity.
class ContactListener {
public:
    virtual ~ContactListener() = default;
    virtual void beganTouching(uint32_t value, const ContactPair& pair) = 0;
    virtual void touching(uint32_t value, const ContactPair& pair) = 0;
    virtual void stoppedTouching(uint32_t value, const ContactPair& pair) = 0;
};

// The listener of an entity and the value handed to it; no listener means nobody is called.
struct ContactListenerBinding {
    ContactListener* listener = nullptr;
    uint32_t value = 0;
};
using ContactListenerLookup = std::function<ContactListenerBinding(uint32_t entityID)>;

class ContactTracker {
public:
    // Reads the dispatcher's manifolds and reports, in this order: every pair that began touching,
    // every pair that stopped (including pairs dropped by forgetBody since the last update), then
    // every pair touching now. Each call goes to the listener of the pair's first entity.
    void update(btDispatcher& dispatcher, const ContactListenerLookup& listeners);

    // Drops every kept pair that involves `body` (it is leaving the world); those pairs are
    // reported as stopped, with that body's pointer cleared, at the next update.
    void forgetBody(const btCollisionObject* body);

    // Forgets everything without reporting (the world is being torn down).
    void clear();

    // The pairs touching after the last update, ordered by their two bodies.
    const std::vector<ContactPair>& touchingPairs() const { return kept; }

private:
    void collectPairs(btDispatcher& dispatcher);

    std::vector<ContactPair> kept;      // pairs of the last update, sorted by bodies
    std::vector<ContactPair> current;   // pairs of this update, sorted by bodies
    std::vector<ContactPair> forgotten; // dropped since the last update, reported as stopped
    std::vector<bool> keptMatched;      // scratch: which kept pairs still touch
    bool updating = false;
};

} // namespace GamePhysics
