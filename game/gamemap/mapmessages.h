#pragma once
// Messages of the map layer.
#include "game/core/typeids.h"
#include "game/transform/transformcomponent.h"

#include <vector>

namespace Message {

// Adds a fresh random scattering of 150 blocks to the map (handled in the next update).
struct CreateRandomMap {
    static constexpr ECS::MessageType _mType = ECS::MessageId::CreateRandomMap;
};

// Replaces the blocks of the map with these, in order (a map read from a file).
struct LoadMapMessage {
    static constexpr ECS::MessageType _mType = ECS::MessageId::LoadMap;

    std::vector<Component::TransformComponent> qubes;
};

} // namespace Message
