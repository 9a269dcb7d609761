#pragma once
// Turning images and image files into textures.
#include "engine/gfx/image.h"
#include "engine/gfx/texture.h"

#include <memory>
#include <string>

namespace Engine::GFX {

// Uploads `image` as level 0 (internal format RGBA8) of the texture bound to GL_TEXTURE_2D.
void uploadImage(const Image& image);

// A texture holding `image`, with nearest filtering and no mipmaps.
std::unique_ptr<Texture2D> createTexture(const Image& image);

// A 64 x 64 magenta and black checker: what a texture that cannot be loaded shows instead.
std::unique_ptr<Texture2D> createFallbackTexture();

// Loads the image file at `path` into a new texture. A missing or unreadable file prints its
// path and SDL_image's error and gives the fallback checker, so the game keeps running and the
// gap is plain to see.
std::unique_ptr<Texture2D> loadTexture(const std::string& path);

} // namespace Engine::GFX
