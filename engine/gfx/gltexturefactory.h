#pragma once
// Turning images and image files into textures.
#include "engine/gfx/image.h"
#include "engine/gfx/texture.h"

#include <array>
#include <optional>
#include <memory>
#include <string>

namespace Engine::GFX {

// A texture holding `image`, with nearest filtering and no mipmaps.
std::unique_ptr<Texture2D> createTexture(const Image& image);

// A 64 x 64 magenta and black checker: what a texture that cannot be loaded shows instead.
Image makeFallbackImage();
std::unique_ptr<Texture2D> createFallbackTexture();

// Loads the image file at `path` into a new texture. A missing or unreadable file prints its
// path and SDL_image's error and gives the fallback checker, so the game keeps running and the
// gap is plain to see.
std::unique_ptr<Texture2D> loadTexture(const std::string& path);

// What a texture gets after loading; zero means "leave as created" (nearest filtering, repeat).
struct TextureSettings {
    bool mipmaps = false;
    int minFilter = 0;
    int magFilter = 0;
    int wrap = 0; // applied to S and T
    bool anisotropic = false; // filtered at anisotropyLevel()
};

// A texture holding `image` with its mipmaps if asked (averaged from `image` on the CPU), then
// the parameters set with the texture bound on unit 0.
std::unique_ptr<Texture2D> createTexture(const Image& image, const TextureSettings& settings);

// The same for the image file at `path`, or for the fallback checker when it cannot be loaded.
std::unique_ptr<Texture2D> loadTexture(const std::string& path, const TextureSettings& settings);
// The same for a decoded image, or for the fallback checker when there is none.
std::unique_ptr<Texture2D> createTexture(const std::optional<Image>& image, const TextureSettings& settings);

struct GameTexture {
    const char* path;
    TextureSettings settings;
};
// The game's sixteen textures in loading order, with their settings.
const std::array<GameTexture, 16>& gameTextures();

} // namespace Engine::GFX
