#include "engine/ecs/typename.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>

namespace ECS {

std::string readableTypeName(const std::type_info& type)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    if (status != 0 || !demangled)
        return type.name();
    return demangled.get();
}

} // namespace ECS
