#pragma once
// The fixed meshes and the camera of the frame's full-screen passes, built once when the game
// starts: the sky box around the camera, the screen quad and the camera that maps it onto the
// whole target.
#include "engine/gfx/meshdata.h"
#include "game/camera/cameradata.h"

namespace Game {

// A cube from (-1, -1, -1) to (1, 1, 1), each face one cell of the 3 x 2 sky atlas (inset by
// half a texel of a 3072 x 2048 image so cells never bleed), all faces counter-clockwise seen
// from inside so the sky draws with back faces culled.
Engine::GFX::Mesh::MeshData skyBoxMeshData();

// (-1, -1, 0) to (1, 1, 0), texture coordinates 0 to 1.
Engine::GFX::Mesh::MeshData screenQuadMeshData();

// Orthographic -1 to 1 on x and y, near -10, far 10, looking down -z: the screen quad fills the
// target exactly.
CameraData screenQuadCamera();

} // namespace Game
