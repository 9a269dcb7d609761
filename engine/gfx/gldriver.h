#pragma once
// The GL driver's shared objects (Mesa's *_dri.so) as a leak checker sees them.

namespace Engine::GFX {

// Keeps the loaded GL driver modules mapped until the process exits. Without this they unload with
// the last context, before LeakSanitizer's report at exit, and the memory they still hold shows as
// leaked from an unknown module. Call once a GL context exists; harmless anywhere else.
void keepGLDriverLoaded();

} // namespace Engine::GFX
