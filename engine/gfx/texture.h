#pragma once
// One GL_TEXTURE_2D: an image texture or a render-target image. The GL texture lives as long
// as the object (hold it in a unique_ptr, or a shared_ptr where several users share it).
#include <cstdint>
#include <string_view>

namespace Engine::GFX {

struct Image;

// Uploads `image` as mipmap level `level` (internal format RGBA8) of the texture bound to
// GL_TEXTURE_2D. The image's format code must be one of Image's four (assertion otherwise).
void uploadImage(const Image& image, int level = 0);

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
    // The same from `base`, the picture already in level 0: each level is averaged on the CPU and
    // uploaded. A software renderer would otherwise build a shader pipeline just for this on its
    // first use, which costs more than the averaging of a few small pictures.
    void generateMipmaps(const Image& base);

    // Parameter setters: each binds on unit 0, sets, and binds 0 again.
    void setFilters(int minFilter, int magFilter);
    void setWrap(int wrapS, int wrapT);
    // Anisotropic filtering at anisotropyLevel(); where that is 0, the level-of-detail bias
    // kLodBiasWithoutAnisotropy instead.
    void setAnisotropicFiltering();

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

// The anisotropy that textures and samplers filtered anisotropically get: the driver's maximum,
// or 0 (off) on a software renderer, where it multiplies the cost of every textured pixel seen at
// a slant and takes the frame rate from playable to a slide show.
float anisotropyLevel();

// The rule behind anisotropyLevel(), for the driver's maximum and its GL_RENDERER string.
float chooseAnisotropy(float driverMaximum, std::string_view renderer);

// The minifying filter a texture or sampler asking for `requested` gets on the GL renderer named
// `renderer`: on a software renderer a filter that blends two mipmap levels (*_MIPMAP_LINEAR)
// takes the nearer level only (*_MIPMAP_NEAREST), as the second level costs it a third of a
// textured pixel; GPUs get what was asked.
int chooseMinFilter(int requested, std::string_view renderer);
// chooseMinFilter() for the current context's renderer.
int minFilterFor(int requested);

// Level-of-detail bias of what wants anisotropic filtering and does not get it: without it a
// surface seen at a slant takes a mipmap level chosen for its most squeezed direction and blurs
// (the floor's far grid lines smear). Half a level sharper brings the picture about halfway back
// at no cost; a whole level overshoots into shimmer.
constexpr float kLodBiasWithoutAnisotropy = -0.5f;

} // namespace Engine::GFX
