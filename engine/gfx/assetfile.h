#pragma once
// Reading the binary asset files (meshes, skeletons, animations) whole, with the console lines
// every asset loader gives for a missing or unreadable file.
#include "engine/bytebuffer/bytebuffer.h"

#include <cstdint>
#include <filesystem>

namespace Engine::GFX {

// Reads the file at `path` into `buffer`, refusing one longer than `maxBytes` before reading it.
// A missing file logs "MISSING FILE: " and the path; one that cannot be read logs
// "Cannot read <kind> file "<path>"". False, with `buffer` empty, in every such case.
bool readAssetFile(const std::filesystem::path& path, uint64_t maxBytes, const char* kind, ByteBuffer& buffer);

} // namespace Engine::GFX
