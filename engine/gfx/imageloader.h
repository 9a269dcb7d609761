#pragma once
// Decoding image files through SDL2_image into RGBA images, bottom row first.
#include "engine/gfx/image.h"

#include <optional>
#include <string>

namespace Engine::GFX {

// Loads `path` as RGBA (bytes R, G, B, A) with the rows flipped so that row 0 is the bottom row.
// A file that cannot be read, or holds no pixels, prints its path and the reason and gives nothing.
std::optional<Image> loadImage(const std::string& path);

// The same without a console line: on failure `error` holds the line loadImage prints. Safe on
// any thread once startImageDecoding has run.
std::optional<Image> decodeImage(const std::string& path, std::string& error);

// Readies the decoders so that threads may decode at once. Call on the main thread.
void startImageDecoding();

} // namespace Engine::GFX
