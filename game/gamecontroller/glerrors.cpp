#include "game/gamecontroller/glerrors.h"

#include <algorithm>
#include <array>

namespace Game {

std::string_view glErrorName(GLenum error)
{
    switch (error) {
    case GL_INVALID_ENUM:
        return "INVALID_ENUM";
    case GL_INVALID_VALUE:
        return "INVALID_VALUE";
    case GL_INVALID_OPERATION:
        return "INVALID_OPERATION";
    case GL_OUT_OF_MEMORY:
        return "OUT_OF_MEMORY";
    case GL_INVALID_FRAMEBUFFER_OPERATION:
        return "INVALID_FRAMEBUFFER_OPERATION";
    default:
        return "";
    }
}

std::string_view projectRelativePath(std::string_view path)
{
    constexpr std::array<std::string_view, 5> folders = {"game/", "engine/", "app/", "tests/", "bench/"};
    size_t earliest = std::string_view::npos;
    for (const std::string_view folder : folders) {
        for (size_t at = path.find(folder); at != std::string_view::npos; at = path.find(folder, at + 1)) {
            if (at == 0 || path[at - 1] == '/') {
                earliest = std::min(earliest, at);
                break;
            }
        }
    }
    return earliest == std::string_view::npos ? path : path.substr(earliest);
}

GlErrorDrain drainGlErrors(const std::function<GLenum()>& nextError, std::FILE* out, std::string_view file, int line)
{
    GlErrorDrain drain;
    int read = 0;
    for (GLenum error = nextError(); error != GL_NO_ERROR; error = nextError()) {
        ++read;
        if (drain.reported < kMaxReportedGlErrors) {
            const std::string_view name = glErrorName(error);
            std::fprintf(out, "GL_%.*s - %.*s:%d\n", int(name.size()), name.data(), int(file.size()), file.data(), line);
            ++drain.reported;
        } else {
            ++drain.dropped;
        }
        if (read >= kMaxDrainedGlErrors) {
            drain.gaveUp = true;
            break;
        }
    }
    if (drain.dropped > 0)
        std::fprintf(out, "GL: %d more error%s dropped%s - %.*s:%d\n", drain.dropped, drain.dropped == 1 ? "" : "s",
                     drain.gaveUp ? ", stopped reading" : "", int(file.size()), file.data(), line);
    return drain;
}

GlErrorDrain drainGlErrors(std::string_view file, int line)
{
    return drainGlErrors([] { return glGetError(); }, stderr, file, line);
}

} // namespace Game
