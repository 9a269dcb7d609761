#pragma once
// Shows an OK pop-up for each CreateOKpopupMessage, sized to the window of that moment.
#include "engine/ecs/messagesystem.h"
#include "game/menu/menumessages.h"

namespace Game {

class MenuBuilder;

class CreateOKpopupSystem : public ECS::MessageSystem<Message::CreateOKpopupMessage> {
public:
    static constexpr const char* systemName = "CreateOKpopupSystem";

    // `builder` must outlive the system.
    explicit CreateOKpopupSystem(MenuBuilder& builder) : builder(&builder) {}

    void onMessage(const Message::CreateOKpopupMessage& message) override;

private:
    MenuBuilder* builder;
};

} // namespace Game
