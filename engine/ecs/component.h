#pragma once
// Base of every component record. Components are plain data structs in namespace `Component`
// with a compile-time `_cType`, unique among the component types in use. Lists move their records, so a
// component may own a resource through a move-only member (std::unique_ptr): it is never copied.
namespace ECS {

struct Component {
    Component() = default;
    Component(const Component&) = default;
    Component(Component&&) = default;
    Component& operator=(const Component&) = default;
    Component& operator=(Component&&) = default;
    virtual ~Component() = default;
};

} // namespace ECS
