#include "tools/assetmaker/noise.h"

#include <cmath>

namespace AssetMaker {

namespace {

float fade(float t)
{
    return t * t * (3.0f - 2.0f * t);
}

int wrap(int value, int period)
{
    const int r = value % period;
    return r < 0 ? r + period : r;
}

} // namespace

float latticeValue(int x, int y, int z)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(z) * 2147483647u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFFFu) / static_cast<float>(0xFFFFFF);
}

float tilingNoise(glm::vec2 p, int period)
{
    const int x0 = static_cast<int>(std::floor(p.x));
    const int y0 = static_cast<int>(std::floor(p.y));
    const float fx = fade(p.x - static_cast<float>(x0));
    const float fy = fade(p.y - static_cast<float>(y0));
    const auto v = [&](int dx, int dy) { return latticeValue(wrap(x0 + dx, period), wrap(y0 + dy, period), 7); };
    return glm::mix(glm::mix(v(0, 0), v(1, 0), fx), glm::mix(v(0, 1), v(1, 1), fx), fy);
}

float tilingFbm(glm::vec2 p, int period, int octaves)
{
    float sum = 0.0f;
    float amplitude = 0.5f;
    float total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * tilingNoise(p, period);
        total += amplitude;
        p *= 2.0f;
        period *= 2;
        amplitude *= 0.5f;
    }
    return sum / total;
}

float noise3(glm::vec3 p)
{
    const glm::vec3 i = glm::floor(p);
    const glm::vec3 f = p - i;
    const glm::vec3 u(fade(f.x), fade(f.y), fade(f.z));
    const int x = static_cast<int>(i.x);
    const int y = static_cast<int>(i.y);
    const int z = static_cast<int>(i.z);
    const auto v = [&](int dx, int dy, int dz) { return latticeValue(x + dx, y + dy, z + dz); };
    const float a = glm::mix(glm::mix(v(0, 0, 0), v(1, 0, 0), u.x), glm::mix(v(0, 1, 0), v(1, 1, 0), u.x), u.y);
    const float b = glm::mix(glm::mix(v(0, 0, 1), v(1, 0, 1), u.x), glm::mix(v(0, 1, 1), v(1, 1, 1), u.x), u.y);
    return glm::mix(a, b, u.z);
}

float fbm3(glm::vec3 p, int octaves)
{
    float sum = 0.0f;
    float amplitude = 0.5f;
    float total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * noise3(p);
        total += amplitude;
        p *= 2.03f;
        amplitude *= 0.5f;
    }
    return sum / total;
}

} // namespace AssetMaker
