#pragma once
// One GL_TEXTURE_2D: an image texture or a render-target image. The GL texture lives as long
// as the object (hold it in a unique_ptr, or a shared_ptr where several users share it).
#include <cstdint>

namespace Engine::GFX {

// Render-target kinds: RGBA8 colour, two-channel float, depth (attached to the bound
// framebuffer at creation), depth-stencil (likewise).
enum class RenderTargetKind : uint32_t { Colour = 0, TwoChannelFloat = 1, Depth = 2, DepthStencil = 3 };

class Texture2D {
public:
    // An empty texture with nearest filtering and no storage yet.
    Texture2D();
    // A render-target image of `kind`; depth kinds attach themselves to the bound framebuffer.
    Texture2D(RenderTargetKind kind, uint32_t width, uint32_t height);
    ~Texture2D();
    Texture2D(const Texture2D&) = delete;
    Texture2D& operator=(const Texture2D&) = delete;

    void bind() const;
    static void unbind();

    // Generates the mipmap chain once; later calls do nothing.
    void generateMipmaps();

    // Parameter setters: each binds on unit 0, sets, and binds 0 again.
    void setFilters(int minFilter, int magFilter);
    void setWrap(int wrapS, int wrapT);
    // Highest anisotropy the driver offers; nothing where the extension is absent.
    void setMaxAnisotropy();

    uint32_t id() const { return texture; }
    uint32_t width = 0;
    uint32_t height = 0;
    bool isMipmapped() const { return mipmapped; }

private:
    uint32_t texture = 0;
    bool mipmapped = false;
};

// The driver's maximum anisotropy, or 0 when anisotropic filtering is not available.
float maxAnisotropy();

} // namespace Engine::GFX
