#include "engine/gfx/fbo.h"

#include "engine/core/assert.h"

#include <GL/glew.h>

#include <algorithm>

namespace Engine::GFX {

FBO::FBO(uint32_t width, uint32_t height)
    : fboWidth(width)
    , fboHeight(height)
{
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

void FBO::finish()
{
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    if (!drawBufferList.empty())
        glDrawBuffers(static_cast<GLsizei>(drawBufferList.size()), drawBufferList.data());
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    TX_ASSERT(status == GL_FRAMEBUFFER_COMPLETE, "framebuffer is complete");
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
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
    fbo->finish();
    return fbo;
}

std::unique_ptr<FBO> createOutlineTarget(uint32_t width, uint32_t height)
{
    auto fbo = std::make_unique<FBO>(width, height);
    fbo->addColourTexture();
    fbo->finish();
    return fbo;
}

std::unique_ptr<FBO> createPickingTarget(uint32_t width, uint32_t height)
{
    auto fbo = std::make_unique<FBO>(width, height);
    fbo->addColourTexture();
    fbo->addDepthRenderbuffer();
    fbo->finish();
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
    const int px = std::clamp(x, 0, static_cast<int>(fbo.width()) - 1);
    const int py = std::clamp(y, 0, static_cast<int>(fbo.height()) - 1);
    uint8_t pixel[4] = {};
    glReadPixels(px, py, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    FBO::bindDefault();
    return pixel[0];
}

} // namespace Engine::GFX
