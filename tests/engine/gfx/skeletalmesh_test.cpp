#include "engine/gfx/skeletalmesh.h"

#include "engine/gfx/skeleton.h"
#include "tests/support/gltest.h"
#include "tests/support/tempdir.h"

#include <GL/glew.h>

using namespace Engine::GFX;
using TestSupport::GLTest;

// The shipped figure: mesh, skeleton and bone matrices agree bone for bone.
TEST_F(GLTest, SkeletalMeshShippedFigureAgreesWithItsSkeleton)
{
    const auto mesh = Mesh::loadSkeletalMesh("./data/models/animation.camesh");
    ASSERT_NE(mesh, nullptr);
    Skeleton skeleton;
    ASSERT_TRUE(skeleton.loadFromFile("./data/skeletons/animation.cskel"));
    ASSERT_EQ(mesh->bones().size(), skeleton.bones.size());
    for (size_t i = 0; i < skeleton.bones.size(); ++i)
        EXPECT_EQ(mesh->bones()[i].name, skeleton.bones[i].name);
    mesh->draw();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLTest, SkeletalMeshRefusesBadStaticAndMissingFiles)
{
    const TestSupport::TempDir dir;
    Mesh::MeshFileData data;
    data.skinned = true;
    data.vertexCount = 3;
    data.triangleCount = 1;
    data.positions = {glm::vec3(0.0f), glm::vec3(1.0f, 0.0f, 0.0f), glm::vec3(0.0f, 1.0f, 0.0f)};
    data.normals.assign(3, glm::vec3(0.0f, 0.0f, 1.0f));
    data.texCoords.assign(3, glm::vec2(0.0f));
    data.indices = {0, 1, 2};
    data.subMeshes = {{"all", 0, 3, 0}};
    data.vertexWeights.resize(3);
    for (auto& weight : data.vertexWeights)
        weight.weights[0] = 1.0f;
    data.bones = {{"root", glm::mat4(1.0f), glm::mat4(1.0f)}};
    ASSERT_TRUE(Mesh::saveMeshFile(dir.path() / "good.camesh", data));
    const auto good = Mesh::loadSkeletalMesh(dir.path() / "good.camesh");
    ASSERT_NE(good, nullptr);
    EXPECT_EQ(good->bones().size(), 1u);

    data.vertexWeights[1].boneIndices[0] = 7; // weighted to a bone the file lacks
    ASSERT_TRUE(Mesh::saveMeshFile(dir.path() / "badbone.camesh", data));
    EXPECT_EQ(Mesh::loadSkeletalMesh(dir.path() / "badbone.camesh"), nullptr);

    data.vertexWeights[1].boneIndices[0] = 0;
    data.skinned = false;
    ASSERT_TRUE(Mesh::saveMeshFile(dir.path() / "static.cmesh", data));
    EXPECT_EQ(Mesh::loadSkeletalMesh(dir.path() / "static.cmesh"), nullptr);
    EXPECT_EQ(Mesh::loadSkeletalMesh(dir.path() / "missing.camesh"), nullptr);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
