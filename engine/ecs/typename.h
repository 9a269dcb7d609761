#pragma once
// Readable C++ type names for assertion and console messages (never for ordering: the compiler
// decides these strings).
#include <string>
#include <typeinfo>

namespace ECS {

std::string readableTypeName(const std::type_info& type);

} // namespace ECS
