#include "game/menu/menu.h"

#include "engine/core/assert.h"
#include "game/ui/uielements.h"

namespace Game {

void Menu::addElement(const std::string& name, ECS::EntityId entity)
{
    TX_ASSERT(this->guiElements.count(name) == 0, ("menu element added twice: " + name).c_str());
    guiElements.emplace(name, entity);
}

void Menu::removeElement(const std::string& name)
{
    TX_ASSERT(guiElements.count(name) == 1, ("menu element to remove is absent: " + name).c_str());
    const auto found = guiElements.find(name);
    UI::destroyElement(*world, found->second);
    guiElements.erase(found);
}

void Menu::removeElementIfPresent(const std::string& name)
{
    if (hasElement(name))
        removeElement(name);
}

void Menu::clear()
{
    for (const auto& [name, entity] : guiElements)
        UI::destroyElement(*world, entity);
    guiElements.clear();
}

ECS::EntityId Menu::element(const std::string& name) const
{
    const auto found = guiElements.find(name);
    return found == guiElements.end() ? ECS::InvalidEntity : found->second;
}

} // namespace Game
