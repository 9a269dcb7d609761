#pragma once
// Messages of the menus.
#include "game/core/typeids.h"

#include <cstdint>
#include <string>

namespace Message {

// Asks for an OK pop-up showing `text` ("\n" starts a new line) on UI layer `layer` and the two
// above it; the way to tell the user something from code that holds no menu builder.
struct CreateOKpopupMessage {
    static constexpr ECS::MessageType _mType = ECS::MessageId::CreateOKpopup;

    std::string text;
    int32_t layer = 0;
};

} // namespace Message
