#include "game/gamemap/model3dmap.h"

namespace Game {

Model3Dmap::Model3Dmap()
    : VAO(Engine::GFX::mapVertexLayout)
{
}

} // namespace Game
