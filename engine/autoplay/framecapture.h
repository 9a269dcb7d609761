#pragma once
// Saves what the game drew into the window's back buffer as a PNG file.
#include <SDL.h>

#include <filesystem>
#include <string>

namespace Engine::Autoplay {

// Reads the default framebuffer's back buffer of `window` (call after the frame rendered and
// before the swap) and writes it top row first, as RGB, to `file`. The GL state it touches is
// restored. False, with the reason in `error`, when there is no window or the file cannot be written.
bool saveFramePng(SDL_Window* window, const std::filesystem::path& file, std::string& error);

} // namespace Engine::Autoplay
