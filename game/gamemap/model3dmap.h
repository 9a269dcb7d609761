#pragma once
// The combined mesh of all map blocks: the default slots plus each vertex's face-ID colour in slot 4.
#include "engine/gfx/vao.h"

#include <glm/glm.hpp>

#include <vector>

namespace Game {

class Model3Dmap : public Engine::GFX::VAO {
public:
    Model3Dmap();

    // Fills slot 4: one (r, g, b) colour in 0..1 per vertex.
    void setFaceIDColours(const std::vector<glm::vec3>& colours) { setVec3Buffer(4, colours); }
};

} // namespace Game
