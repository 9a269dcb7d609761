#pragma once
// GL sampler objects: filtering and wrapping bound to a texture unit, overriding the texture's own.
#include <cstdint>

namespace Engine::GFX {

class Sampler {
public:
    Sampler();
    ~Sampler();
    Sampler(const Sampler&) = delete;
    Sampler& operator=(const Sampler&) = delete;

    // Trilinear and repeating, filtered anisotropically at anisotropyLevel(), or where that is 0
    // biased by kLodBiasWithoutAnisotropy. Trilinear even on a software renderer: the floor's thin
    // grid lines would show bands where one mipmap level gives way to the next.
    static Sampler makeRepeatSampler();
    // Nearest filtering, clamped to the edge: reads image pixels exactly.
    static Sampler makeNearestSampler();

    void bind(uint32_t unit) const;
    static void unbind(uint32_t unit);
    uint32_t id() const { return sampler; }

    Sampler(Sampler&& other) noexcept;

private:
    uint32_t sampler = 0;
};

} // namespace Engine::GFX
