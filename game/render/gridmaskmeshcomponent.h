#pragma once
// A marker for meshes masked by the floor grid. Registered so that its type id stays taken; the
// game creates none and no system reads it.
#include "engine/ecs/component.h"
#include "game/core/typeids.h"

namespace Component {

struct GridMaskMeshComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::GridMaskMesh;
};

} // namespace Component
