#include "engine/gfx/gldriver.h"

#include <GL/glew.h>
#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <string>

namespace Engine::GFX {

namespace {

// Names in GL_RENDERER strings of renderers that rasterise on the CPU (compared in lower case).
constexpr std::array<std::string_view, 6> kSoftwareRenderers = {"llvmpipe", "softpipe", "lavapipe",
                                                                "swiftshader", "swrast", "software"};

} // namespace

bool isSoftwareRenderer(std::string_view renderer)
{
    std::string name(renderer);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return std::any_of(kSoftwareRenderers.begin(), kSoftwareRenderers.end(),
                       [&name](std::string_view software) { return name.find(software) != std::string::npos; });
}

std::string_view currentRenderer()
{
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return renderer ? renderer : "";
}

void keepGLDriverLoaded()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            const char* name = info->dlpi_name;
            const size_t length = name ? std::strlen(name) : 0;
            if (length > 7 && std::strcmp(name + length - 7, "_dri.so") == 0)
                dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

} // namespace Engine::GFX
