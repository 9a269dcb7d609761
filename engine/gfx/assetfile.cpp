#include "engine/gfx/assetfile.h"

#include "engine/core/log.h"
#include "engine/fileutil/fileutil.h"

#include <string>
#include <system_error>

namespace Engine::GFX {

bool readAssetFile(const std::filesystem::path& path, uint64_t maxBytes, const char* kind, ByteBuffer& buffer)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        buffer.setLength(0);
        logMissingFile(path);
        return false;
    }
    if (!buffer.loadFile(path, maxBytes)) {
        logLine(std::string("Cannot read ") + kind + " file \"" + path.string() + "\"");
        return false;
    }
    return true;
}

} // namespace Engine::GFX
