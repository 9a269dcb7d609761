#pragma once
// The rules for a file name that a person types into the file browser, so that what is saved
// lands in the folder on show under a name every usual file system can store.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace UI {

// Longest file name, in bytes, that the usual file systems store.
inline constexpr std::size_t kMaxFileNameBytes = 255;

// The typing filter of a file name field: refuses control characters, the path separators "/"
// and "\", and the characters Windows does not allow in names (: * ? " < > |), so that maps
// can be shared between systems.
bool fileNameCharacterAllowed(uint32_t codePoint);

// True for a name that stays inside the folder it is joined to and that is not hidden: not
// empty, not "." or "..", without a path separator or NUL, not beginning with a dot (the
// browser would hide the file), and at most kMaxFileNameBytes bytes long.
bool isPlainFileName(std::string_view name);

} // namespace UI
