#include "game/gamecontroller/framemeshes.h"

#include <gtest/gtest.h>
#include <glm/geometric.hpp>

using namespace Game;

// Seen from the camera inside the cube, every face of the sky is counter-clockwise, so the sky
// survives back-face culling.
TEST(FrameMeshesTest, SkyBoxFacesInward)
{
    const Engine::GFX::Mesh::MeshData sky = skyBoxMeshData();
    ASSERT_EQ(sky.vertexCount(), 36u);
    for (size_t i = 0; i < sky.vertexCount(); i += 3) {
        const glm::vec3 a = sky.positions[i];
        const glm::vec3 b = sky.positions[i + 1];
        const glm::vec3 c = sky.positions[i + 2];
        const glm::vec3 windingNormal = glm::cross(b - a, c - a);
        const glm::vec3 centre = (a + b + c) / 3.0f;
        EXPECT_LT(glm::dot(windingNormal, centre), 0.0f) << "triangle " << i / 3;
        for (int k = 0; k < 3; ++k) {
            const glm::vec2 uv = sky.texCoords[i + size_t(k)];
            EXPECT_TRUE(uv.x > 0.0f && uv.x < 1.0f && uv.y > 0.0f && uv.y < 1.0f) << "inside the atlas";
        }
    }
}
