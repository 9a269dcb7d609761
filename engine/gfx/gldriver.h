#pragma once
// What the game needs to know of the GL driver: whether it rasterises on the CPU, and its shared
// objects (Mesa's *_dri.so) as a leak checker sees them.
#include <string_view>

namespace Engine::GFX {

// True when the GL_RENDERER string `renderer` names a renderer that rasterises on the CPU, where
// every shaded pixel costs processor time and quality settings trade for frame rate.
bool isSoftwareRenderer(std::string_view renderer);

// GL_RENDERER of the current context as a string view (empty without one).
std::string_view currentRenderer();

// Keeps the loaded GL driver modules mapped until the process exits. Without this they unload with
// the last context, before LeakSanitizer's report at exit, and the memory they still hold shows as
// leaked from an unknown module. Call once a GL context exists; harmless anywhere else.
void keepGLDriverLoaded();

} // namespace Engine::GFX
