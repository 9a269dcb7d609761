#include "engine/gfx/fbo.h"

#include "engine/core/assert.h"
#include "engine/core/log.h"

#include <GL/glew.h>

#include <algorithm>

namespace Engine::GFX {

namespace {

uint32_t glLimit(GLenum name)
{
    GLint value = 0;
    glGetIntegerv(name, &value);
    return static_cast<uint32_t>(std::max(value, 1));
}

} // namespace

TargetSize maxTargetSize()
{
    GLint viewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    const uint32_t images = std::min(glLimit(GL_MAX_TEXTURE_SIZE), glLimit(GL_MAX_RENDERBUFFER_SIZE));
    return {std::min(images, static_cast<uint32_t>(std::max(viewport[0], 1))),
            std::min(images, static_cast<uint32_t>(std::max(viewport[1], 1)))};
}

TargetSize fitTargetSize(TargetSize requested, TargetSize limit)
{
    const double width = std::max(requested.width, 1u);
    const double height = std::max(requested.height, 1u);
    const double scale = std::min({1.0, limit.width / width, limit.height / height});
    const auto fitted = [](double size, double scale, uint32_t most) {
        return std::clamp(static_cast<uint32_t>(size * scale), 1u, std::max(most, 1u));
    };
    return {fitted(width, scale, limit.width), fitted(height, scale, limit.height)};
}

FBO::FBO(uint32_t width, uint32_t height)
    : requested{width, height}
{
    const TargetSize size = fitTargetSize(requested, maxTargetSize());
    fboWidth = size.width;
    fboHeight = size.height;
    if (size.width != width || size.height != height)
        logf("Render target %ux%u is larger than the GPU draws, using %ux%u\n", width, height, size.width,
             size.height);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

FBO::~FBO()
{
    glDeleteFramebuffers(1, &framebuffer);
    if (depthRenderbuffer != 0)
        glDeleteRenderbuffers(1, &depthRenderbuffer);
}

void FBO::attachColour(std::unique_ptr<Texture2D> texture)
{
    const int attachement = static_cast<int>(nextColourAttachment++);
    TX_ASSERT(attachement >= 0 && attachement<=4, "a framebuffer has at most five colour attachments");
    const GLenum point = GL_COLOR_ATTACHMENT0 + attachement;
    drawBufferList.push_back(point);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture(GL_FRAMEBUFFER, point, texture->id(), 0);
    colourTextures.push_back(std::move(texture));
}

Texture2D& FBO::addColourTexture(RenderTargetKind kind)
{
    attachColour(std::make_unique<Texture2D>(kind, fboWidth, fboHeight));
    return *colourTextures.back();
}

Texture2D& FBO::addDepthTexture()
{
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    depth = std::make_unique<Texture2D>(RenderTargetKind::Depth, fboWidth, fboHeight);
    return *depth;
}

void FBO::addDepthRenderbuffer()
{
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glGenRenderbuffers(1, &depthRenderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, depthRenderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, static_cast<GLsizei>(fboWidth),
                          static_cast<GLsizei>(fboHeight));
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthRenderbuffer);
}

bool FBO::finish()
{
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    if (!drawBufferList.empty())
        glDrawBuffers(static_cast<GLsizei>(drawBufferList.size()), drawBufferList.data());
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (status == GL_FRAMEBUFFER_COMPLETE)
        return true;
    logf("Render target %ux%u is incomplete (status 0x%X), not used\n", fboWidth, fboHeight, status);
    return false;
}

void FBO::bind() const
{
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

void FBO::bindDefault()
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

std::unique_ptr<FBO> createSceneTarget(uint32_t width, uint32_t height)
{
    auto fbo = std::make_unique<FBO>(width, height);
    fbo->addColourTexture();
    fbo->addColourTexture();
    fbo->addDepthTexture();
    if (!fbo->finish())
        return nullptr;
    return fbo;
}

std::unique_ptr<FBO> createOutlineTarget(uint32_t width, uint32_t height)
{
    auto fbo = std::make_unique<FBO>(width, height);
    fbo->addColourTexture();
    if (!fbo->finish())
        return nullptr;
    return fbo;
}

std::unique_ptr<FBO> createPickingTarget(uint32_t width, uint32_t height)
{
    auto fbo = std::make_unique<FBO>(width, height);
    fbo->addColourTexture();
    fbo->addDepthRenderbuffer();
    if (!fbo->finish())
        return nullptr;
    return fbo;
}

uint32_t readPixelID(int x, int y, const FBO& fbo)
{
    if (fbo.width() == 0 || fbo.height() == 0)
        return 0;
    fbo.bind();
    glFlush();
    glFinish();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    const TargetSize asked = fbo.requestedSize();
    const auto toImage = [](int position, uint32_t askedSize, uint32_t imageSize) {
        const int64_t scaled = askedSize > imageSize ? int64_t(position) * imageSize / askedSize : position;
        return static_cast<int>(std::clamp<int64_t>(scaled, 0, int64_t(imageSize) - 1));
    };
    const int px = toImage(x, asked.width, fbo.width());
    const int py = toImage(y, asked.height, fbo.height());
    uint8_t pixel[4] = {};
    glReadPixels(px, py, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    FBO::bindDefault();
    return pixel[0];
}

} // namespace Engine::GFX
