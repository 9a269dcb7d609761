#pragma once
// A named set of UI elements: the elements of the screen on show (main menu, a pause menu, the
// editor's top bar), so that the screen can be taken down element by element or all at once.
#include "engine/ecs/ecstypes.h"

#include <map>
#include <string>

namespace ECS {
class EntityManager;
}

namespace Game {

class Menu {
public:
    explicit Menu(ECS::EntityManager& world) : world(&world) {}

    // Enters an element under a name that is not in use yet.
    void addElement(const std::string& name, ECS::EntityId entity);
    // Destroys the named element, which must be present, and forgets the name.
    void removeElement(const std::string& name);
    // Removes the named element if it is present.
    void removeElementIfPresent(const std::string& name);
    // Destroys every element and forgets all names.
    void clear();

    bool hasElement(const std::string& name) const { return guiElements.count(name) != 0; }
    // The named element's entity, or ECS::InvalidEntity when the name is not present.
    ECS::EntityId element(const std::string& name) const;
    const std::map<std::string, ECS::EntityId>& elements() const { return guiElements; }

private:
    ECS::EntityManager* world;
    std::map<std::string, ECS::EntityId> guiElements;
};

} // namespace Game
