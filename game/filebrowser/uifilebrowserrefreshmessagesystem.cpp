#include "game/filebrowser/uifilebrowserrefreshmessagesystem.h"

#include "engine/core/log.h"
#include "engine/ecs/entitymanager.h"
#include "game/filebrowser/filebrowser.h"
#include "game/filebrowser/folderlisting.h"
#include "game/menu/menumessages.h"

namespace UI::System {

using Component::UIfileBrowserComponent;

void UIfileBrowserRefreshMessageSystem::onMessage(const Message::UIfileBrowserRefreshMessage& message)
{
    const ECS::EntityId browser = message.entityID;
    if (!world->isCurrent(message) || world->isDestroyPending(browser) ||
        !world->hasComponent<UIfileBrowserComponent>(browser))
        return;
    if (!message.hasPath) {
        FileBrowser::rebuildPage(*world, browser);
        return;
    }
    const UIfileBrowserComponent& b = world->getComponent<UIfileBrowserComponent>(browser);
    const std::filesystem::path folder = std::filesystem::u8path(message.path);
    FolderListing listing = listFolder(folder, b.extensionSet);
    if (!listing.ok) {
        Engine::logLine("FILE BROWSER: cannot list " + listing.problem);
        // Over the browser, whose elements lie on its layer.
        world->sendMessage(Message::CreateOKpopupMessage{kUnableToOpenFolderText, b.layer + 1});
        return;
    }
    FileBrowser::showFolder(*world, browser, folder, std::move(listing));
}

} // namespace UI::System
