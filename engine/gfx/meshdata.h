#pragma once
// CPU-side mesh data and the procedural generators that fill it. Every generator appends
// unshared vertices (three per triangle) with one flat normal per triangle; counter-clockwise
// triangles face outward.
#include <glm/glm.hpp>

#include <vector>

namespace Engine::GFX::Mesh {

// Four parallel lists, one entry per emitted vertex.
struct MeshData {
    std::vector<glm::vec3> positions;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec4> colours;
    std::vector<glm::vec2> texCoords;

    size_t vertexCount() const { return positions.size(); }
    void clear();
};

// One generator vertex; the normal is ignored on input and computed per triangle.
struct MeshVertex {
    glm::vec3 position;
    glm::vec3 normal;
    glm::vec4 colour;
    glm::vec2 texCoord;
};

// Appends a, b, c with normal normalise(cross(b - a, c - a)) (zero for a degenerate triangle).
void addTriangle(MeshData& mesh, const MeshVertex& a, const MeshVertex& b, const MeshVertex& c);
// As addTriangle with positions multiplied by `m`; the normal comes from the untransformed positions.
void addTransformedTriangle(MeshData& mesh, const glm::mat4& m, const MeshVertex& a, const MeshVertex& b,
                            const MeshVertex& c);

// Level quad in the plane z = a.z spanning a.x..b.x and a.y..b.y, facing +z when a is the min corner.
void addQuadXY(MeshData& mesh, glm::vec3 a, glm::vec3 b, glm::vec4 colour, glm::vec2 texScale);
// Screen quad at z = 0 with texture coordinate tp at corner p and tq at corner q.
void addQuad2D(MeshData& mesh, glm::vec2 p, glm::vec2 q, glm::vec4 colour, glm::vec2 tp, glm::vec2 tq);
// Upright quad with explicit texture coordinates at its corners a and b.
void addQuadUV(MeshData& mesh, glm::vec3 a, glm::vec3 b, glm::vec4 colour, glm::vec2 ta, glm::vec2 tb);
// Level quad with explicit texture coordinates at its corners a and b.
void addQuadXYUV(MeshData& mesh, glm::vec3 a, glm::vec3 b, glm::vec4 colour, glm::vec2 ta, glm::vec2 tb);
// Upright quad with corners a (lower right seen from its front), (b.x, b.y, a.z), b, (a.x, a.y, b.z).
void addQuadVertical(MeshData& mesh, glm::vec3 a, glm::vec3 b, glm::vec4 colour, glm::vec2 texScale);
// Six outward faces in the order top, bottom, +y, -y, -x, +x (also the face-ID order of map blocks).
void addBox(MeshData& mesh, glm::vec3 min, glm::vec3 max, glm::vec4 colour, glm::vec2 texScale);

void addTransformedQuadXY(MeshData& mesh, const glm::mat4& m, glm::vec3 a, glm::vec3 b, glm::vec4 colour,
                          glm::vec2 texScale);
void addTransformedQuadVertical(MeshData& mesh, const glm::mat4& m, glm::vec3 a, glm::vec3 b, glm::vec4 colour,
                                glm::vec2 texScale);
// The box faces of addBox under `m`; texScale gives the texture repeats along x, y and z.
void addTransformedBox(MeshData& mesh, const glm::mat4& m, glm::vec3 min, glm::vec3 max, glm::vec4 colour,
                       glm::vec3 texScale);

// slices x stacks quads of two triangles; nothing when slices < 1.
void addSphere(MeshData& mesh, glm::vec3 centre, float radius, int slices, int stacks, glm::vec4 colour,
               glm::vec2 texScale);
// Vertical cylinder of 16 segments from z = 0 to z = height around (base.x, base.y): 192 vertices.
void addCylinder(MeshData& mesh, glm::vec3 base, float height, float radius, glm::vec4 colour, glm::vec2 texScale);

} // namespace Engine::GFX::Mesh
