#include "game/filebrowser/filenames.h"

namespace UI {

bool fileNameCharacterAllowed(uint32_t codePoint)
{
    if (codePoint < 0x20 || codePoint == 0x7F)
        return false;
    switch (codePoint) {
    case '/':
    case '\\':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
        return false;
    default:
        return true;
    }
}

bool isPlainFileName(std::string_view name)
{
    if (name.empty() || name.size() > kMaxFileNameBytes || name.front() == '.')
        return false;
    if (name.find('\0') != std::string_view::npos || name.find('/') != std::string_view::npos)
        return false;
#ifdef _WIN32
    if (name.find('\\') != std::string_view::npos || name.find(':') != std::string_view::npos)
        return false;
#endif
    return true;
}

} // namespace UI
