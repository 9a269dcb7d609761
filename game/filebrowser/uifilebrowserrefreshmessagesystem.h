#pragma once
// Handles UIfileBrowserRefreshMessage: lists the folder a browser moves to and builds the page
// on show. A folder that cannot be listed is reported with a pop-up over the browser, and the
// browser stays where it was.
#include "engine/ecs/messagesystem.h"
#include "game/filebrowser/uifilebrowsercomponent.h"

namespace ECS {
class EntityManager;
}

namespace UI::System {

class UIfileBrowserRefreshMessageSystem : public ECS::MessageSystem<Message::UIfileBrowserRefreshMessage> {
public:
    static constexpr const char* systemName = "UIfileBrowserRefreshMessageSystem";

    explicit UIfileBrowserRefreshMessageSystem(ECS::EntityManager& world) : world(&world) {}

    void onMessage(const Message::UIfileBrowserRefreshMessage& message) override;

private:
    ECS::EntityManager* world;
};

} // namespace UI::System
