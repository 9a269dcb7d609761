#include "game/menu/createokpopupsystem.h"

#include "game/menu/menubuilder.h"

namespace Game {

void CreateOKpopupSystem::onMessage(const Message::CreateOKpopupMessage& message)
{
    builder->createOKpopup(message.layer, message.text);
}

} // namespace Game
