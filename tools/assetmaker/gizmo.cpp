#include "tools/assetmaker/gizmo.h"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>
#include <string>

namespace AssetMaker {

using Engine::GFX::Mesh::MeshFileData;
using Engine::GFX::Mesh::MeshFileSubMesh;

namespace {

constexpr float kTwoPi = 6.28318531f;
// Handle sizes in world units (the gizmo is drawn at the selection's centre without scaling).
constexpr float kShaftRadius = 0.08f;
constexpr float kShaftStart = 0.35f;
constexpr float kArrowHeadStart = 2.3f;
constexpr float kArrowTip = 3.0f;
constexpr float kArrowHeadRadius = 0.22f;
constexpr float kRingRadius = 2.4f;
constexpr float kRingTubeRadius = 0.07f;
constexpr float kScaleShaftEnd = 2.6f;
constexpr float kScaleCubeCentre = 2.75f;
constexpr float kScaleCubeHalf = 0.2f;
constexpr float kCentreCubeHalf = 0.22f;
constexpr float kCentreSphereRadius = 0.32f;
constexpr int kRoundSegments = 24;

// One handle under construction: smooth-shaded, indexed from its own first vertex.
struct Part {
    std::vector<glm::vec3> positions;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec2> texCoords;
    std::vector<uint32_t> indices;

    uint32_t vertex(glm::vec3 p, glm::vec3 n, glm::vec2 uv = glm::vec2(0.0f))
    {
        positions.push_back(p);
        normals.push_back(glm::normalize(n));
        texCoords.push_back(uv);
        return static_cast<uint32_t>(positions.size() - 1);
    }
    void triangle(uint32_t a, uint32_t b, uint32_t c) { indices.insert(indices.end(), {a, b, c}); }
    void quad(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
    {
        triangle(a, b, c);
        triangle(a, c, d);
    }
    void transform(const glm::mat4& m)
    {
        const glm::mat3 rotation(m);
        for (glm::vec3& p : positions)
            p = glm::vec3(m * glm::vec4(p, 1.0f));
        for (glm::vec3& n : normals)
            n = glm::normalize(rotation * n);
    }
};

glm::vec2 rim(int i, int segments)
{
    const float angle = kTwoPi * static_cast<float>(i) / static_cast<float>(segments);
    return {std::cos(angle), std::sin(angle)};
}

// A flat disc at height z facing down (-z) or up (+z).
void addCap(Part& part, float z, float radius, bool facingUp)
{
    const glm::vec3 normal(0.0f, 0.0f, facingUp ? 1.0f : -1.0f);
    const uint32_t centre = part.vertex({0, 0, z}, normal);
    const uint32_t first = static_cast<uint32_t>(part.positions.size());
    for (int i = 0; i < kRoundSegments; ++i)
        part.vertex(glm::vec3(rim(i, kRoundSegments) * radius, z), normal);
    for (uint32_t i = 0; i < kRoundSegments; ++i) {
        const uint32_t a = first + i;
        const uint32_t b = first + (i + 1) % kRoundSegments;
        if (facingUp)
            part.triangle(centre, a, b);
        else
            part.triangle(centre, b, a);
    }
}

// A closed tube along +z.
void addTube(Part& part, float z0, float z1, float radius)
{
    const uint32_t first = static_cast<uint32_t>(part.positions.size());
    for (int i = 0; i < kRoundSegments; ++i) {
        const glm::vec2 r = rim(i, kRoundSegments);
        part.vertex(glm::vec3(r * radius, z0), glm::vec3(r, 0.0f));
        part.vertex(glm::vec3(r * radius, z1), glm::vec3(r, 0.0f));
    }
    for (uint32_t i = 0; i < kRoundSegments; ++i) {
        const uint32_t j = (i + 1) % kRoundSegments;
        part.quad(first + 2 * i, first + 2 * j, first + 2 * j + 1, first + 2 * i + 1);
    }
    addCap(part, z0, radius, false);
    addCap(part, z1, radius, true);
}

// A cone along +z from a base of `radius` at z0 to its tip at z1, with a closed base.
void addCone(Part& part, float z0, float z1, float radius)
{
    const float height = z1 - z0;
    for (int i = 0; i < kRoundSegments; ++i) {
        const glm::vec2 r0 = rim(i, kRoundSegments);
        const glm::vec2 r1 = rim(i + 1, kRoundSegments);
        const glm::vec2 mid = glm::normalize(r0 + r1);
        const uint32_t a = part.vertex(glm::vec3(r0 * radius, z0), glm::vec3(r0 * height, radius));
        const uint32_t b = part.vertex(glm::vec3(r1 * radius, z0), glm::vec3(r1 * height, radius));
        const uint32_t tip = part.vertex({0, 0, z1}, glm::vec3(mid * height, radius));
        part.triangle(a, b, tip);
    }
    addCap(part, z0, radius, false);
}

// An axis-aligned cube with one flat normal per face.
void addCube(Part& part, glm::vec3 centre, float half)
{
    const glm::vec3 faces[6][3] = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},  {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
                                   {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}},  {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
                                   {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}};
    for (const auto& face : faces) {
        const glm::vec3 n = face[0];
        const glm::vec3 t1 = face[1];
        const glm::vec3 t2 = face[2];
        const auto corner = [&](float a, float b) { return part.vertex(centre + half * (n + a * t1 + b * t2), n); };
        part.quad(corner(-1, -1), corner(1, -1), corner(1, 1), corner(-1, 1));
    }
}

void addSphere(Part& part, float radius, int slices, int stacks)
{
    const uint32_t first = static_cast<uint32_t>(part.positions.size());
    for (int i = 0; i <= slices; ++i)
        for (int j = 0; j <= stacks; ++j) {
            const float theta = kTwoPi * static_cast<float>(i) / static_cast<float>(slices);
            const float phi = 0.5f * kTwoPi * static_cast<float>(j) / static_cast<float>(stacks) - 0.25f * kTwoPi;
            const glm::vec3 dir(std::cos(phi) * std::cos(theta), std::cos(phi) * std::sin(theta), std::sin(phi));
            part.vertex(dir * radius, dir);
        }
    const auto at = [&](int i, int j) { return first + static_cast<uint32_t>(i * (stacks + 1) + j); };
    for (int i = 0; i < slices; ++i)
        for (int j = 0; j < stacks; ++j) {
            // Skip the zero-area triangles at the poles.
            if (j > 0)
                part.triangle(at(i, j), at(i + 1, j), at(i + 1, j + 1));
            if (j < stacks - 1)
                part.triangle(at(i, j), at(i + 1, j + 1), at(i, j + 1));
        }
}

// A ring around the z axis.
void addTorus(Part& part, float radius, float tube, int around, int across)
{
    const uint32_t first = static_cast<uint32_t>(part.positions.size());
    for (int i = 0; i < around; ++i)
        for (int j = 0; j < across; ++j) {
            const glm::vec2 u = rim(i, around);
            const glm::vec2 v = rim(j, across);
            const glm::vec3 normal(v.x * u.x, v.x * u.y, v.y);
            part.vertex(glm::vec3(u * radius, 0.0f) + normal * tube, normal);
        }
    const auto at = [&](int i, int j) { return first + static_cast<uint32_t>((i % around) * across + j % across); };
    for (int i = 0; i < around; ++i)
        for (int j = 0; j < across; ++j)
            part.quad(at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
}

// Turns +z onto the named axis.
glm::mat4 towardsAxis(char axis)
{
    if (axis == 'x')
        return glm::rotate(glm::mat4(1.0f), 0.25f * kTwoPi, glm::vec3(0, 1, 0));
    if (axis == 'y')
        return glm::rotate(glm::mat4(1.0f), -0.25f * kTwoPi, glm::vec3(1, 0, 0));
    return glm::mat4(1.0f);
}

void append(MeshFileData& mesh, const std::string& name, const Part& part)
{
    MeshFileSubMesh sub;
    sub.name = name;
    sub.firstIndex = static_cast<uint32_t>(mesh.indices.size());
    sub.indexCount = static_cast<uint32_t>(part.indices.size());
    sub.baseVertex = static_cast<uint32_t>(mesh.positions.size());
    mesh.positions.insert(mesh.positions.end(), part.positions.begin(), part.positions.end());
    mesh.normals.insert(mesh.normals.end(), part.normals.begin(), part.normals.end());
    mesh.texCoords.insert(mesh.texCoords.end(), part.texCoords.begin(), part.texCoords.end());
    mesh.indices.insert(mesh.indices.end(), part.indices.begin(), part.indices.end());
    mesh.subMeshes.push_back(std::move(sub));
}

} // namespace

MeshFileData makeGizmoMesh()
{
    MeshFileData mesh;
    for (const char axis : {'x', 'y', 'z'}) {
        Part arrow;
        addTube(arrow, kShaftStart, kArrowHeadStart, kShaftRadius);
        addCone(arrow, kArrowHeadStart, kArrowTip, kArrowHeadRadius);
        arrow.transform(towardsAxis(axis));
        append(mesh, std::string(1, axis) + "_axis_transform", arrow);
    }
    for (const char axis : {'x', 'y', 'z'}) {
        Part ring;
        addTorus(ring, kRingRadius, kRingTubeRadius, 96, 12);
        ring.transform(towardsAxis(axis));
        append(mesh, std::string(1, axis) + "_axis_rotate", ring);
    }
    for (const char axis : {'x', 'y', 'z'}) {
        Part handle;
        addTube(handle, kShaftStart, kScaleShaftEnd, kShaftRadius);
        addCube(handle, {0, 0, kScaleCubeCentre}, kScaleCubeHalf);
        handle.transform(towardsAxis(axis));
        append(mesh, std::string(1, axis) + "_axis_scale", handle);
    }
    Part centre;
    addCube(centre, glm::vec3(0.0f), kCentreCubeHalf);
    append(mesh, "center", centre);
    Part sphere;
    addSphere(sphere, kCentreSphereRadius, 24, 12);
    append(mesh, "center_sphere", sphere);
    mesh.vertexCount = static_cast<uint32_t>(mesh.positions.size());
    mesh.triangleCount = static_cast<uint32_t>(mesh.indices.size() / 3);
    return mesh;
}

} // namespace AssetMaker
