#pragma once
// Value noise for the generated images: a tiling 2-D variant for surface patterns and a 3-D
// variant for clouds.
#include <glm/glm.hpp>

#include <cstdint>

namespace AssetMaker {

// A pseudo-random value in 0..1 for a lattice point.
float latticeValue(int x, int y, int z);
// Smooth noise in 0..1 that repeats every `period` units in x and y.
float tilingNoise(glm::vec2 p, int period);
// Sum of `octaves` octaves of tilingNoise, each twice the frequency of the last, in 0..1.
float tilingFbm(glm::vec2 p, int period, int octaves);
// Smooth 3-D noise in 0..1.
float noise3(glm::vec3 p);
float fbm3(glm::vec3 p, int octaves);

} // namespace AssetMaker
