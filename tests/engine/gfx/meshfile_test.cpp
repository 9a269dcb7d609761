#include "engine/gfx/meshfile.h"

#include "engine/gfx/model3d.h"
#include "tests/engine/gfx/gltesthelpers.h"
#include "tests/support/gltest.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <unistd.h>

using namespace Engine::GFX::Mesh;

namespace {

// A quad (two triangles) split into two named sub-meshes.
MeshFileData twoPartQuad()
{
    MeshFileData mesh;
    mesh.positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    mesh.normals.assign(4, {0, 0, 1});
    mesh.texCoords = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    mesh.indices = {0, 1, 2, 0, 2, 3};
    mesh.subMeshes = {{"lower", 0, 3, 0}, {"upper", 3, 3, 0}};
    return mesh;
}

MeshFileData skinnedQuad()
{
    MeshFileData mesh = twoPartQuad();
    mesh.skinned = true;
    mesh.vertexWeights.assign(4, MeshFileVertexWeight{{1, 0, 0, 0}, {1.0f, 0, 0, 0}});
    mesh.vertexWeights[2] = {{65535, 1, 0, 0}, {0.0f, 1.0f, 0, 0}};
    mesh.bones = {{"root", glm::mat4(2.0f), glm::mat4(1.0f)}, {"arm", glm::mat4(3.0f), glm::mat4(1.0f)}};
    return mesh;
}

std::vector<uint8_t> bytesOf(const MeshFileData& mesh)
{
    const Engine::ByteBuffer buffer = writeMeshFile(mesh);
    return std::vector<uint8_t>(buffer.data(), buffer.data() + buffer.getLength());
}

std::optional<MeshFileData> parse(const std::vector<uint8_t>& bytes, std::string& error)
{
    return parseMeshFile(bytes.data(), bytes.size(), error);
}

void putU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Byte offsets inside the file of twoPartQuad().
constexpr size_t kVertexCountAt = 7;
constexpr size_t kTriangleCountAt = kVertexCountAt + 4 + 4 * 32;
constexpr size_t kIndicesAt = kTriangleCountAt + 4;
constexpr size_t kSubMeshesAt = kIndicesAt + 6 * 4 + 1;

} // namespace

TEST(MeshFile, StaticAndSkinnedFilesRoundTrip)
{
    std::string error;
    const auto plain = parse(bytesOf(twoPartQuad()), error);
    ASSERT_TRUE(plain) << error;
    EXPECT_FALSE(plain->skinned);
    EXPECT_EQ(plain->positions, twoPartQuad().positions);
    EXPECT_EQ(plain->texCoords, twoPartQuad().texCoords);
    EXPECT_EQ(plain->indices, twoPartQuad().indices);
    ASSERT_EQ(plain->subMeshes.size(), 2u);
    EXPECT_EQ(plain->subMeshes[1].name, "upper");
    EXPECT_EQ(plain->subMeshes[1].firstIndex, 3u);
    EXPECT_TRUE(plain->bones.empty());

    // A skinned file is read on past the sub-mesh table into its weights and bones.
    const auto skinned = parse(bytesOf(skinnedQuad()), error);
    ASSERT_TRUE(skinned) << error;
    EXPECT_TRUE(skinned->skinned);
    ASSERT_EQ(skinned->vertexWeights.size(), 4u);
    EXPECT_EQ(skinned->vertexWeights[2].boneIndices[0], 65535u) << "2-byte indices are widened, not sign-extended";
    EXPECT_EQ(skinned->vertexWeights[2].weights[1], 1.0f);
    ASSERT_EQ(skinned->bones.size(), 2u);
    EXPECT_EQ(skinned->bones[1].name, "arm");
    EXPECT_EQ(skinned->bones[1].inverseBindPose, glm::mat4(3.0f));

    // Any other magic is a static mesh.
    auto other = bytesOf(skinnedQuad());
    std::memcpy(other.data(), "zzzzzz", 6);
    const auto asStatic = parse(other, error);
    ASSERT_TRUE(asStatic) << error;
    EXPECT_FALSE(asStatic->skinned);
}

TEST(MeshFile, EveryTruncationIsRejected)
{
    for (const MeshFileData& mesh : {twoPartQuad(), skinnedQuad()}) {
        const std::vector<uint8_t> whole = bytesOf(mesh);
        for (size_t length = 0; length < whole.size(); ++length) {
            const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(length));
            std::string error;
            EXPECT_FALSE(parse(cut, error)) << "accepted the first " << length << " of " << whole.size() << " bytes";
            EXPECT_FALSE(error.empty());
        }
    }
}

TEST(MeshFile, CorruptCountsIndicesAndRangesAreRejected)
{
    struct Damage {
        const char* what;
        size_t at;
        uint32_t value;
        const char* reason;
    };
    const Damage damages[] = {
        {"vertex count far beyond the file", kVertexCountAt, 0xFFFFFFFFu, "vertex count"},
        {"triangle count far beyond the file", kTriangleCountAt, 0x40000000u, "triangle count"},
        {"index beyond the vertex count", kIndicesAt + 4, 4, "uses vertex 4"},
        {"sub-mesh range beyond the indices", kSubMeshesAt + 1 + 5 + 4, 7, "past the 6 indices"},
        {"sub-mesh start overflowing 32 bits", kSubMeshesAt + 1 + 5, 0xFFFFFFFEu, "past the 6 indices"},
        {"base vertex beyond the vertices", kSubMeshesAt + 1 + 5 + 8, 2, "past the 4 vertices"},
    };
    for (const Damage& damage : damages) {
        std::vector<uint8_t> bytes = bytesOf(twoPartQuad());
        putU32(bytes, damage.at, damage.value);
        std::string error;
        EXPECT_FALSE(parse(bytes, error)) << damage.what;
        EXPECT_NE(error.find(damage.reason), std::string::npos) << damage.what << ": " << error;
    }

    MeshFileData badBone = skinnedQuad();
    badBone.vertexWeights[0].boneIndices[0] = 2;
    std::string error;
    EXPECT_FALSE(parse(bytesOf(badBone), error));
    EXPECT_NE(error.find("bone 2 of 2"), std::string::npos) << error;
}

TEST(MeshFile, MissingOrBadFileNamesTheFile)
{
    const TestSupport::TempDir dir;
    const auto& folder = dir.path();
    const auto missing = folder / "absent.cmesh";
    const auto broken = folder / "broken.cmesh";
    std::vector<uint8_t> bytes = bytesOf(twoPartQuad());
    bytes.resize(40);
    Engine::ByteBuffer::fromBytes(bytes.data(), bytes.size()).saveFile(broken, bytes.size());

    testing::internal::CaptureStdout();
    EXPECT_FALSE(readMeshFile(missing));
    EXPECT_FALSE(readMeshFile(broken));
    EXPECT_FALSE(readMeshFile(folder)); // a folder is no mesh file
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("MISSING FILE: " + missing.string()), std::string::npos) << out;
    EXPECT_NE(out.find(broken.string() + "\": "), std::string::npos) << out;
}

using TestSupport::GLTest;

TEST_F(GLTest, LoadedMeshDrawsItsSubMeshesAndReportsMissingNamesAtLoad)
{
    std::string log;
    const GLuint program = GfxTest::buildProgram("#version 330 core\nin vec3 p;\nvoid main(){gl_Position=vec4(p,1.0);}\n",
                                                 "#version 330 core\nout vec4 c;\nvoid main(){c=vec4(1.0);}\n", {"p"},
                                                 log);
    ASSERT_NE(program, 0u) << log;
    glUseProgram(program);
    const auto path = std::filesystem::temp_directory_path() / ("tx_quad_" + std::to_string(::getpid()) + ".cmesh");
    ASSERT_TRUE(saveMeshFile(path, twoPartQuad()));

    testing::internal::CaptureStdout();
    const auto model = loadModel3Di(path, {"lower", "handle"});
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(GfxTest::countTriangles([&] { model->draw(); }), 2u);
    EXPECT_EQ(GfxTest::countTriangles([&] { model->drawByName("upper"); }), 1u);
    EXPECT_EQ(GfxTest::countTriangles([&] { model->drawByName("handle"); }), 0u);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("\"handle\""), std::string::npos);
    EXPECT_EQ(out.find("\"handle\"", out.find("\"handle\"") + 1), std::string::npos) << "once, at load: " << out;
    EXPECT_EQ(out.find("\"lower\""), std::string::npos);

    std::filesystem::remove(path);
    EXPECT_EQ(loadModel3Di(path), nullptr);
    glUseProgram(0);
    glDeleteProgram(program);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
