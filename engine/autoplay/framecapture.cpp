#include "engine/autoplay/framecapture.h"

#include <GL/glew.h>
#include <SDL_image.h>

#include <cstring>
#include <memory>
#include <vector>

namespace Engine::Autoplay {
namespace {

// The read-back state that saveFramePng changes, put back when it goes out of scope.
class ReadStateGuard {
public:
    ReadStateGuard()
    {
        glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &framebuffer_);
        glGetIntegerv(GL_PACK_ALIGNMENT, &alignment_);
        glGetIntegerv(GL_PIXEL_PACK_BUFFER_BINDING, &packBuffer_);
    }
    ~ReadStateGuard()
    {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(framebuffer_));
        glPixelStorei(GL_PACK_ALIGNMENT, alignment_);
        glBindBuffer(GL_PIXEL_PACK_BUFFER, static_cast<GLuint>(packBuffer_));
    }
    ReadStateGuard(const ReadStateGuard&) = delete;
    ReadStateGuard& operator=(const ReadStateGuard&) = delete;

private:
    GLint framebuffer_ = 0;
    GLint alignment_ = 4;
    GLint packBuffer_ = 0;
};

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};

} // namespace

bool saveFramePng(SDL_Window* window, const std::filesystem::path& file, std::string& error)
{
    if (!window || SDL_GL_GetCurrentContext() == nullptr) {
        error = "there is no window to read";
        return false;
    }
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    if (width <= 0 || height <= 0) {
        error = "the window has no pixels";
        return false;
    }

    const size_t rowBytes = static_cast<size_t>(width) * 3;
    std::vector<unsigned char> pixels(rowBytes * static_cast<size_t>(height));
    {
        const ReadStateGuard guard;
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
        GLint readBuffer = GL_BACK;
        glGetIntegerv(GL_READ_BUFFER, &readBuffer);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        glReadBuffer(static_cast<GLenum>(readBuffer));
    }
    // GL's rows run bottom to top; an image file's run top to bottom.
    std::vector<unsigned char> row(rowBytes);
    for (size_t top = 0, bottom = static_cast<size_t>(height) - 1; top < bottom; ++top, --bottom) {
        unsigned char* upper = pixels.data() + top * rowBytes;
        unsigned char* lower = pixels.data() + bottom * rowBytes;
        std::memcpy(row.data(), upper, rowBytes);
        std::memcpy(upper, lower, rowBytes);
        std::memcpy(lower, row.data(), rowBytes);
    }

    const std::unique_ptr<SDL_Surface, SurfaceDeleter> surface(SDL_CreateRGBSurfaceWithFormatFrom(
        pixels.data(), width, height, 24, static_cast<int>(rowBytes), SDL_PIXELFORMAT_RGB24));
    if (!surface) {
        error = SDL_GetError();
        return false;
    }
    if (IMG_SavePNG(surface.get(), file.c_str()) != 0) {
        error = IMG_GetError();
        return false;
    }
    return true;
}

} // namespace Engine::Autoplay
