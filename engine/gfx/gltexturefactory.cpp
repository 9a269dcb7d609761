#include "engine/gfx/gltexturefactory.h"

#include "engine/gfx/imageloader.h"

#include <GL/glew.h>

namespace Engine::GFX {

namespace {

constexpr uint32_t kFallbackSize = 64;
constexpr uint32_t kFallbackCells = 8;

} // namespace

std::unique_ptr<Texture2D> createTexture(const Image& image)
{
    auto texture = std::make_unique<Texture2D>();
    texture->width = image.width;
    texture->height = image.height;
    texture->bind();
    uploadImage(image);
    Texture2D::unbind();
    return texture;
}

Image makeFallbackImage()
{
    const uint8_t magenta[4] = {255, 0, 255, 255};
    const uint8_t black[4] = {0, 0, 0, 255};
    return makeCheckerImage(kFallbackSize, kFallbackCells, magenta, black);
}

std::unique_ptr<Texture2D> createFallbackTexture()
{
    return createTexture(makeFallbackImage());
}

std::unique_ptr<Texture2D> loadTexture(const std::string& path)
{
    const std::optional<Image> image = loadImage(path);
    if (!image)
        return createFallbackTexture();
    return createTexture(*image);
}

std::unique_ptr<Texture2D> createTexture(const Image& image, const TextureSettings& settings)
{
    std::unique_ptr<Texture2D> texture = createTexture(image);
    if (settings.mipmaps)
        texture->generateMipmaps(image);
    if (settings.minFilter != 0)
        texture->setFilters(minFilterFor(settings.minFilter), settings.magFilter);
    if (settings.wrap != 0)
        texture->setWrap(settings.wrap, settings.wrap);
    if (settings.anisotropic)
        texture->setAnisotropicFiltering();
    return texture;
}

std::unique_ptr<Texture2D> loadTexture(const std::string& path, const TextureSettings& settings)
{
    return createTexture(loadImage(path), settings);
}

std::unique_ptr<Texture2D> createTexture(const std::optional<Image>& image, const TextureSettings& settings)
{
    // Not a conditional expression: its two sides would make a copy of the decoded picture.
    if (image)
        return createTexture(*image, settings);
    return createTexture(makeFallbackImage(), settings);
}

const std::array<GameTexture, 16>& gameTextures()
{
    // grid and selection are drawn through the repeat sampler, which brings its own filtering.
    static const std::array<GameTexture, 16> table = {{
        {"data/textures/grid.png", {true, 0, 0, 0, false}},
        {"data/textures/editor/selection.png", {true, 0, 0, 0, false}},
        // The sky is an atlas of six faces: anisotropic filtering would reach across a cell's
        // edge into its neighbour and draw a dotted seam along the cube's edges.
        {"data/textures/skybox.png", {false, GL_LINEAR, GL_LINEAR, GL_CLAMP_TO_EDGE, false}},
        {"data/textures/default.png", {true, GL_NEAREST_MIPMAP_LINEAR, GL_NEAREST, 0, true}},
        {"data/textures/hexagon.png", {true, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, 0, true}},
        {"data/textures/crosshair.png", {false, GL_NEAREST, GL_NEAREST, 0, false}},
        {"data/textures/ui/testBox.png", {}},
        {"data/textures/ui/whitetexture.png", {}},
        {"data/textures/ui/mouse.png", {}},
        {"data/textures/ui/editor/tool_translate.png", {}},
        {"data/textures/ui/editor/tool_scale.png", {}},
        {"data/textures/ui/editor/tool_rotate.png", {}},
        {"data/textures/ui/path_back.png", {}},
        {"data/textures/ui/directory.png", {}},
        {"data/textures/ui/browser_page_previous.png", {}},
        {"data/textures/ui/browser_page_next.png", {}},
    }};
    return table;
}

} // namespace Engine::GFX
