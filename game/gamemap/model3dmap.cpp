#include "game/gamemap/model3dmap.h"

Model3Dmap::Model3Dmap()
    : VAO(Engine::GFX::mapVertexLayout)
{
}
