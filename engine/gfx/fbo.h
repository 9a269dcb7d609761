#pragma once
// Framebuffer objects: up to five colour images plus a depth image (texture or renderbuffer),
// the three render targets of a frame, and the one-pixel read-back used for picking.
#include "engine/gfx/texture.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Engine::GFX {

struct TargetSize {
    uint32_t width = 0;
    uint32_t height = 0;
};

// The largest render target this GPU draws into: the smallest of GL_MAX_TEXTURE_SIZE,
// GL_MAX_RENDERBUFFER_SIZE and GL_MAX_VIEWPORT_DIMS on each axis. Needs the GL context.
TargetSize maxTargetSize();

// `requested` scaled down, keeping its shape, until it fits within `limit`; at least 1 x 1.
TargetSize fitTargetSize(TargetSize requested, TargetSize limit);

class FBO {
public:
    static constexpr uint32_t kMaxColourAttachments = 5;

    // Creates the framebuffer and leaves it bound for the attachments that follow. Its images get
    // the size asked for, scaled down to fit maxTargetSize() if they would not.
    FBO(uint32_t width, uint32_t height);
    ~FBO();
    FBO(const FBO&) = delete;
    FBO& operator=(const FBO&) = delete;

    // Attaches `texture` at the next colour attachment (0 to 4) and keeps it.
    void attachColour(std::unique_ptr<Texture2D> texture);
    // Creates, attaches and keeps a colour image of `kind` at the framebuffer's size.
    Texture2D& addColourTexture(RenderTargetKind kind = RenderTargetKind::Colour);
    // Creates, attaches and keeps a depth texture at the framebuffer's size.
    Texture2D& addDepthTexture();
    // Creates, attaches and keeps a depth renderbuffer at the framebuffer's size.
    void addDepthRenderbuffer();
    // Sets the draw buffers, checks completeness and binds the default framebuffer. False, with
    // a console line, when the framebuffer is not complete: it must not be drawn into.
    bool finish();

    void bind() const;
    static void bindDefault();

    uint32_t id() const { return framebuffer; }
    // The size of the images.
    uint32_t width() const { return fboWidth; }
    uint32_t height() const { return fboHeight; }
    // The size asked for at creation.
    TargetSize requestedSize() const { return requested; }
    const Texture2D& colourTexture(uint32_t index) const { return *colourTextures.at(index); }
    const Texture2D* depthTexture() const { return depth.get(); }
    const std::vector<uint32_t>& drawBuffers() const { return drawBufferList; }

private:
    uint32_t framebuffer = 0;
    TargetSize requested;
    uint32_t fboWidth = 0;
    uint32_t fboHeight = 0;
    uint32_t nextColourAttachment = 0;
    std::vector<uint32_t> drawBufferList;
    std::vector<std::unique_ptr<Texture2D>> colourTextures;
    std::unique_ptr<Texture2D> depth;
    uint32_t depthRenderbuffer = 0;
};

// The three targets, each null (after a console line) when the GPU cannot complete it.
// Scene target: colour at attachments 0 and 1, depth texture.
std::unique_ptr<FBO> createSceneTarget(uint32_t width, uint32_t height);
// Outline target: one colour image, no depth.
std::unique_ptr<FBO> createOutlineTarget(uint32_t width, uint32_t height);
// Picking target: one colour image and a depth renderbuffer.
std::unique_ptr<FBO> createPickingTarget(uint32_t width, uint32_t height);

// Red byte (0..255) of attachment 0 of `fbo` at (x, y), pixels of the requested size from the
// bottom-left corner (scaled to the image when that is smaller); positions outside the image read
// the nearest edge pixel. Waits for all queued drawing first.
uint32_t readPixelID(int x, int y, const FBO& fbo);

} // namespace Engine::GFX
