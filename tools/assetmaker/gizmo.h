#pragma once
// The editor's transform gizmo: one static mesh with the eleven named handles.
#include "engine/gfx/meshfile.h"

namespace AssetMaker {

// Arrows (translate), rings (rotate) and cube-tipped shafts (scale) along x, y and z, the
// centre cube and the larger centre sphere that the picking pass draws. Each sub-mesh has its
// own vertex range, addressed through its base vertex.
Engine::GFX::Mesh::MeshFileData makeGizmoMesh();

} // namespace AssetMaker
