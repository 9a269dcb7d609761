#include "engine/gfx/sampler.h"

#include "engine/gfx/texture.h"

#include <GL/glew.h>

#include <utility>

namespace Engine::GFX {

Sampler::Sampler()
{
    glGenSamplers(1, &sampler);
}

Sampler::~Sampler()
{
    if (sampler != 0)
        glDeleteSamplers(1, &sampler);
}

Sampler::Sampler(Sampler&& other) noexcept
    : sampler(std::exchange(other.sampler, 0))
{
}

Sampler Sampler::makeRepeatSampler()
{
    Sampler s;
    glSamplerParameteri(s.sampler, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glSamplerParameteri(s.sampler, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glSamplerParameteri(s.sampler, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glSamplerParameteri(s.sampler, GL_TEXTURE_WRAP_T, GL_REPEAT);
    const float anisotropy = anisotropyLevel();
    if (anisotropy > 0.0f)
        glSamplerParameterf(s.sampler, GL_TEXTURE_MAX_ANISOTROPY_EXT, anisotropy);
    else
        glSamplerParameterf(s.sampler, GL_TEXTURE_LOD_BIAS, kLodBiasWithoutAnisotropy);
    return s;
}

Sampler Sampler::makeNearestSampler()
{
    Sampler s;
    glSamplerParameteri(s.sampler, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glSamplerParameteri(s.sampler, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glSamplerParameteri(s.sampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(s.sampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return s;
}

void Sampler::bind(uint32_t unit) const
{
    glBindSampler(unit, sampler);
}

void Sampler::unbind(uint32_t unit)
{
    glBindSampler(unit, 0);
}

} // namespace Engine::GFX
