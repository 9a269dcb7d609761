#include "engine/gfx/meshdata.h"

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

using namespace Engine::GFX::Mesh;

namespace {

const glm::vec4 kWhite(1.0f);

glm::vec3 triangleCentroid(const MeshData& mesh, size_t first)
{
    return (mesh.positions[first] + mesh.positions[first + 1] + mesh.positions[first + 2]) / 3.0f;
}

glm::vec3 windingNormal(const MeshData& mesh, size_t first)
{
    const glm::vec3& a = mesh.positions[first];
    return glm::cross(mesh.positions[first + 1] - a, mesh.positions[first + 2] - a);
}

// Every non-degenerate triangle winds counter-clockwise seen from outside a convex solid around `centre`.
void expectOutwardWinding(const MeshData& mesh, glm::vec3 centre)
{
    ASSERT_EQ(mesh.positions.size() % 3, 0u);
    for (size_t t = 0; t < mesh.positions.size(); t += 3) {
        const glm::vec3 n = windingNormal(mesh, t);
        if (glm::length(n) < 1e-6f)
            continue;
        EXPECT_GT(glm::dot(n, triangleCentroid(mesh, t) - centre), 0.0f) << "triangle starting at vertex " << t;
    }
}

void expectParallelLists(const MeshData& mesh, size_t vertices)
{
    EXPECT_EQ(mesh.positions.size(), vertices);
    EXPECT_EQ(mesh.normals.size(), vertices);
    EXPECT_EQ(mesh.colours.size(), vertices);
    EXPECT_EQ(mesh.texCoords.size(), vertices);
}

void expectNear(glm::vec3 actual, glm::vec3 expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

const glm::vec3 kBoxFaceNormals[6] = {{0, 0, 1}, {0, 0, -1}, {0, 1, 0}, {0, -1, 0}, {-1, 0, 0}, {1, 0, 0}};

} // namespace

TEST(MeshGenerators, BoxHasSixOutwardFacesInFaceIdOrder)
{
    MeshData mesh;
    addBox(mesh, glm::vec3(-0.5f), glm::vec3(0.5f), kWhite, {2.0f, 3.0f});
    expectParallelLists(mesh, 36);
    expectOutwardWinding(mesh, glm::vec3(0.0f));
    for (int face = 0; face < 6; ++face)
        for (int v = 0; v < 6; ++v) {
            expectNear(mesh.normals[face * 6 + v], kBoxFaceNormals[face]);
            // Each face lies in its plane.
            EXPECT_NEAR(glm::dot(mesh.positions[face * 6 + v], kBoxFaceNormals[face]), 0.5f, 1e-6f);
        }
}

TEST(MeshGenerators, BoxSideFacesShowTheirPictureUpright)
{
    MeshData mesh;
    addBox(mesh, glm::vec3(-1.0f), glm::vec3(1.0f), kWhite, {1.0f, 1.0f});
    for (int face = 2; face < 6; ++face) {
        const glm::vec3 outward = kBoxFaceNormals[face];
        // Seen from outside (looking along -outward with z up), "right" is cross(-outward, z).
        const glm::vec3 right = glm::cross(-outward, glm::vec3(0, 0, 1));
        for (int i = 0; i < 6; ++i)
            for (int j = 0; j < 6; ++j) {
                const glm::vec3 dp = mesh.positions[face * 6 + j] - mesh.positions[face * 6 + i];
                const glm::vec2 dt = mesh.texCoords[face * 6 + j] - mesh.texCoords[face * 6 + i];
                if (glm::dot(dp, right) > 0.5f) {
                    EXPECT_GT(dt.x, 0.0f) << "face " << face;
                }
                if (dp.z > 0.5f) {
                    EXPECT_GT(dt.y, 0.0f) << "face " << face;
                }
            }
    }
}

TEST(MeshGenerators, TransformedBoxMovesPositionsButKeepsUntransformedNormals)
{
    const glm::mat4 m = glm::translate(glm::mat4(1.0f), {10.0f, 0.0f, 0.0f}) *
                        glm::rotate(glm::mat4(1.0f), glm::radians(90.0f), {0.0f, 0.0f, 1.0f});
    MeshData plain;
    MeshData moved;
    addBox(plain, glm::vec3(-0.5f), glm::vec3(0.5f), kWhite, {1.0f, 1.0f});
    addTransformedBox(moved, m, glm::vec3(-0.5f), glm::vec3(0.5f), kWhite, {2.0f, 3.0f, 4.0f});
    expectParallelLists(moved, 36);
    for (size_t v = 0; v < 36; ++v) {
        expectNear(moved.normals[v], plain.normals[v]);
        expectNear(moved.positions[v], glm::vec3(m * glm::vec4(plain.positions[v], 1.0f)));
    }
    // Texture repeats per face: top/bottom (x, y), y faces (x, z), -x face (y, z), +x face negated.
    const glm::vec2 extents[6] = {{2, 3}, {2, 3}, {2, 4}, {2, 4}, {3, 4}, {-3, -4}};
    for (int face = 0; face < 6; ++face) {
        glm::vec2 extreme(0.0f);
        for (int v = 0; v < 6; ++v) {
            const glm::vec2 t = moved.texCoords[face * 6 + v];
            if (std::abs(t.x) > std::abs(extreme.x))
                extreme.x = t.x;
            if (std::abs(t.y) > std::abs(extreme.y))
                extreme.y = t.y;
        }
        EXPECT_EQ(extreme, extents[face]) << "face " << face;
    }
}

TEST(MeshGenerators, QuadsFaceTheDirectionTheirCornerOrderGives)
{
    MeshData level;
    addQuadXY(level, {-80, -80, 0}, {80, 80, 0}, kWhite, {160, 160});
    expectParallelLists(level, 6);
    for (const glm::vec3& n : level.normals)
        expectNear(n, {0, 0, 1});

    MeshData screen;
    addQuad2D(screen, {0, 0}, {1, 1}, kWhite, {0, 0}, {1, 1});
    for (const glm::vec3& n : screen.normals)
        expectNear(n, {0, 0, 1});
    // Corners mirrored along one axis give clockwise triangles, which back-face culling removes;
    // swapping both corners is a half turn and keeps the quad facing +z.
    MeshData mirrored;
    addQuad2D(mirrored, {1, 0}, {0, 1}, kWhite, {0, 0}, {1, 1});
    for (const glm::vec3& n : mirrored.normals)
        expectNear(n, {0, 0, -1});
    MeshData swapped;
    addQuad2D(swapped, {1, 1}, {0, 0}, kWhite, {0, 0}, {1, 1});
    for (const glm::vec3& n : swapped.normals)
        expectNear(n, {0, 0, 1});
    // Each corner carries its own texture coordinate.
    for (size_t v = 0; v < 6; ++v)
        EXPECT_EQ(screen.texCoords[v], glm::vec2(screen.positions[v]));
    // A quad of no area gets zero normals, never NaN.
    MeshData degenerate;
    addQuad2D(degenerate, {1, 1}, {1, 1}, kWhite, {0, 0}, {1, 1});
    for (const glm::vec3& n : degenerate.normals)
        EXPECT_EQ(n, glm::vec3(0.0f));
}

TEST(MeshGenerators, CylinderHasSixteenOutwardSegments)
{
    MeshData mesh;
    addCylinder(mesh, {2.0f, 3.0f, 99.0f}, 1.0f, 0.025f, {1, 0, 0, 1}, {1.0f, 2.0f});
    expectParallelLists(mesh, 192);
    expectOutwardWinding(mesh, {2.0f, 3.0f, 0.5f});
    for (size_t v = 0; v < 192; ++v) {
        const glm::vec3 p = mesh.positions[v];
        EXPECT_TRUE(p.z == 0.0f || p.z == 1.0f) << "base z is ignored";
        EXPECT_LE(glm::length(glm::vec2(p) - glm::vec2(2.0f, 3.0f)), 0.025f + 1e-6f);
    }
}

TEST(MeshGenerators, SphereEmitsSlicesTimesStacksQuadsOnItsSurface)
{
    MeshData none;
    addSphere(none, glm::vec3(0.0f), 1.0f, 0, 6, kWhite, {1, 1});
    expectParallelLists(none, 0);

    MeshData mesh;
    const glm::vec3 centre(1.0f, -2.0f, 3.0f);
    addSphere(mesh, centre, 2.0f, 32, 16, kWhite, {1, 1});
    expectParallelLists(mesh, 32 * 16 * 6);
    expectOutwardWinding(mesh, centre);
    for (const glm::vec3& p : mesh.positions)
        EXPECT_NEAR(glm::length(p - centre), 2.0f, 1e-4f);
    for (const glm::vec3& n : mesh.normals)
        EXPECT_FALSE(std::isnan(n.x) || std::isnan(n.y) || std::isnan(n.z));
}
