// Writes the game's skinned figure: a blocky runner as a skinned mesh (".camesh"), its skeleton
// (".cskel") and a looping running animation (".canim"). All three are built from one bone
// table, so they agree on bone names and order.
//
// Usage: skeletalmaker [data folder]   (default "data"; writes models/animation.camesh,
// skeletons/animation.cskel and animations/animation_running.canim below it)
#include "engine/bytebuffer/bytebuffer.h"
#include "engine/bytebuffer/bytebufferwriter.h"

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Engine::ByteBuffer;
using Engine::ByteBufferWriter;

// The figure stands on z = 0, faces +y and is about 1.8 units tall.
struct BoneSpec {
    const char* name;
    int parent;       // position in kBones, -1 for the root
    glm::vec3 joint;  // joint position in the bind pose, model space
    glm::vec3 boxMin; // the bone's block of the body, model space
    glm::vec3 boxMax;
};

const std::array<BoneSpec, 11> kBones = {{
    {"hips", -1, {0.0f, 0.0f, 0.95f}, {-0.15f, -0.09f, 0.88f}, {0.15f, 0.09f, 1.08f}},
    {"spine", 0, {0.0f, 0.0f, 1.08f}, {-0.18f, -0.1f, 1.08f}, {0.18f, 0.1f, 1.48f}},
    {"head", 1, {0.0f, 0.0f, 1.5f}, {-0.1f, -0.11f, 1.52f}, {0.1f, 0.11f, 1.78f}},
    {"upperArm.L", 1, {0.23f, 0.0f, 1.44f}, {0.19f, -0.045f, 1.15f}, {0.27f, 0.045f, 1.46f}},
    {"lowerArm.L", 3, {0.23f, 0.0f, 1.15f}, {0.195f, -0.04f, 0.86f}, {0.265f, 0.04f, 1.15f}},
    {"upperArm.R", 1, {-0.23f, 0.0f, 1.44f}, {-0.27f, -0.045f, 1.15f}, {-0.19f, 0.045f, 1.46f}},
    {"lowerArm.R", 5, {-0.23f, 0.0f, 1.15f}, {-0.265f, -0.04f, 0.86f}, {-0.195f, 0.04f, 1.15f}},
    {"upperLeg.L", 0, {0.1f, 0.0f, 0.92f}, {0.04f, -0.065f, 0.5f}, {0.16f, 0.065f, 0.92f}},
    {"lowerLeg.L", 7, {0.1f, 0.0f, 0.5f}, {0.05f, -0.06f, 0.0f}, {0.15f, 0.16f, 0.5f}},
    {"upperLeg.R", 0, {-0.1f, 0.0f, 0.92f}, {-0.16f, -0.065f, 0.5f}, {-0.04f, 0.065f, 0.92f}},
    {"lowerLeg.R", 9, {-0.1f, 0.0f, 0.5f}, {-0.15f, -0.06f, 0.0f}, {-0.05f, 0.16f, 0.5f}},
}};
constexpr int kHeadBone = 2;

glm::vec3 localOffset(size_t bone)
{
    const BoneSpec& spec = kBones[bone];
    return spec.parent < 0 ? spec.joint : spec.joint - kBones[size_t(spec.parent)].joint;
}

void writeMatrix(ByteBufferWriter& writer, ByteBuffer& buffer, const glm::mat4& matrix)
{
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            writer.writeF32(buffer, matrix[column][row]);
}

bool save(const ByteBuffer& buffer, const ByteBufferWriter& writer, const std::filesystem::path& path)
{
    std::filesystem::create_directories(path.parent_path());
    if (buffer.saveFile(path, writer.position)) {
        std::printf("wrote %s (%llu bytes)\n", path.string().c_str(), static_cast<unsigned long long>(writer.position));
        return true;
    }
    std::fprintf(stderr, "skeletalmaker: cannot write %s\n", path.string().c_str());
    return false;
}

struct SkinnedVertex {
    glm::vec3 position;
    glm::vec3 normal;
    glm::vec2 texCoord;
    uint16_t bone;
};

// Six outward faces of four vertices each, counter-clockwise seen from outside.
void addBox(std::vector<SkinnedVertex>& vertices, std::vector<uint32_t>& indices, const glm::vec3& lo,
            const glm::vec3& hi, uint16_t bone)
{
    struct Face {
        glm::vec3 normal;
        std::array<glm::vec3, 4> corners;
    };
    const std::array<Face, 6> faces = {{
        {{0, 0, 1}, {{{lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}}}},
        {{0, 0, -1}, {{{lo.x, hi.y, lo.z}, {hi.x, hi.y, lo.z}, {hi.x, lo.y, lo.z}, {lo.x, lo.y, lo.z}}}},
        {{0, 1, 0}, {{{hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z}, {lo.x, hi.y, hi.z}, {hi.x, hi.y, hi.z}}}},
        {{0, -1, 0}, {{{lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, lo.y, hi.z}, {lo.x, lo.y, hi.z}}}},
        {{1, 0, 0}, {{{hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {hi.x, hi.y, hi.z}, {hi.x, lo.y, hi.z}}}},
        {{-1, 0, 0}, {{{lo.x, hi.y, lo.z}, {lo.x, lo.y, lo.z}, {lo.x, lo.y, hi.z}, {lo.x, hi.y, hi.z}}}},
    }};
    const std::array<glm::vec2, 4> uv = {{{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
    for (const Face& face : faces) {
        const uint32_t first = uint32_t(vertices.size());
        for (int corner = 0; corner < 4; ++corner)
            vertices.push_back({face.corners[size_t(corner)], face.normal, uv[size_t(corner)], bone});
        for (uint32_t index : {0u, 1u, 2u, 0u, 2u, 3u})
            indices.push_back(first + index);
    }
}

bool writeMesh(const std::filesystem::path& path)
{
    // Sub-mesh "body" holds every bone's block but the head's; "head" follows it.
    std::vector<SkinnedVertex> vertices;
    std::vector<uint32_t> indices;
    for (size_t bone = 0; bone < kBones.size(); ++bone)
        if (int(bone) != kHeadBone)
            addBox(vertices, indices, kBones[bone].boxMin, kBones[bone].boxMax, uint16_t(bone));
    const uint32_t bodyIndexCount = uint32_t(indices.size());
    const uint32_t headBaseVertex = uint32_t(vertices.size());
    std::vector<SkinnedVertex> headVertices;
    std::vector<uint32_t> headIndices;
    addBox(headVertices, headIndices, kBones[kHeadBone].boxMin, kBones[kHeadBone].boxMax, kHeadBone);
    vertices.insert(vertices.end(), headVertices.begin(), headVertices.end());
    indices.insert(indices.end(), headIndices.begin(), headIndices.end()); // relative to the base vertex

    ByteBuffer buffer;
    ByteBufferWriter writer(Engine::kLittleEndian);
    writer.writeBytes(buffer, "camesh", 6);
    writer.writeU8(buffer, 0);
    writer.writeU32(buffer, uint32_t(vertices.size()));
    for (const auto& v : vertices)
        for (int i = 0; i < 3; ++i)
            writer.writeF32(buffer, v.position[i]);
    for (const auto& v : vertices)
        for (int i = 0; i < 3; ++i)
            writer.writeF32(buffer, v.normal[i]);
    for (const auto& v : vertices)
        for (int i = 0; i < 2; ++i)
            writer.writeF32(buffer, v.texCoord[i]);
    writer.writeU32(buffer, uint32_t(indices.size() / 3));
    for (uint32_t index : indices)
        writer.writeU32(buffer, index);
    writer.writeU8(buffer, 2);
    writer.writeString(buffer, "body");
    writer.writeU32(buffer, 0);
    writer.writeU32(buffer, bodyIndexCount);
    writer.writeU32(buffer, 0);
    writer.writeString(buffer, "head");
    writer.writeU32(buffer, bodyIndexCount);
    writer.writeU32(buffer, uint32_t(headIndices.size()));
    writer.writeU32(buffer, headBaseVertex);
    // Every vertex follows its own bone fully: the blocks move rigidly.
    for (const auto& v : vertices) {
        writer.writeU16(buffer, v.bone);
        for (int i = 0; i < 3; ++i)
            writer.writeU16(buffer, 0);
        writer.writeF32(buffer, 1.0f);
        for (int i = 0; i < 3; ++i)
            writer.writeF32(buffer, 0.0f);
    }
    // Each bone carries its inverse bind pose: model space to the bone's space.
    writer.writeU8(buffer, uint8_t(kBones.size()));
    for (const BoneSpec& bone : kBones) {
        writer.writeString(buffer, bone.name);
        writeMatrix(writer, buffer, glm::translate(glm::mat4(1.0f), -bone.joint));
    }
    return save(buffer, writer, path);
}

bool writeSkeleton(const std::filesystem::path& path)
{
    ByteBuffer buffer;
    ByteBufferWriter writer(Engine::kLittleEndian);
    writer.writeBytes(buffer, "cskeleton", 9);
    writer.writeU8(buffer, 0);
    writer.writeU8(buffer, uint8_t(kBones.size()));
    for (size_t bone = 0; bone < kBones.size(); ++bone) {
        writer.writeString(buffer, kBones[bone].name);
        writer.writeU8(buffer, uint8_t(kBones[bone].parent + 1));
        writeMatrix(writer, buffer, glm::translate(glm::mat4(1.0f), localOffset(bone)));
    }
    return save(buffer, writer, path);
}

// Rotation of each bone about the figure's side axis (x) at phase p (0 … 1 over one cycle), in
// degrees; positive swings a limb forward. Legs swing in opposition, arms against the legs.
float swingDegrees(size_t bone, float p)
{
    const float s = std::sin(p * 2.0f * glm::pi<float>());
    const std::string name = kBones[bone].name;
    const float side = name.find(".L") != std::string::npos ? 1.0f : -1.0f;
    if (name == "spine")
        return 12.0f;
    if (name.rfind("upperLeg", 0) == 0)
        return 40.0f * s * side;
    if (name.rfind("lowerLeg", 0) == 0)
        return -35.0f - 35.0f * std::max(0.0f, -s * side); // knee bends most while the leg is behind
    if (name.rfind("upperArm", 0) == 0)
        return -35.0f * s * side;
    if (name.rfind("lowerArm", 0) == 0)
        return 70.0f + 15.0f * s * side;
    return 0.0f;
}

bool writeAnimation(const std::filesystem::path& path)
{
    constexpr float kDuration = 0.7f;
    constexpr float kFramesPerSecond = 30.0f;
    constexpr int kKeys = 15; // the last key repeats the first, so the cycle loops seamlessly

    ByteBuffer buffer;
    ByteBufferWriter writer(Engine::kLittleEndian);
    writer.writeBytes(buffer, "canimation", 10);
    writer.writeU8(buffer, 0);
    writer.writeString(buffer, "running");
    writer.writeF32(buffer, kDuration);
    writer.writeF32(buffer, kFramesPerSecond);
    writer.writeU8(buffer, uint8_t(kBones.size()));
    for (size_t bone = 0; bone < kBones.size(); ++bone) {
        writer.writeString(buffer, kBones[bone].name);
        writer.writeU16(buffer, kKeys);
        // The last key takes the first key's pose exactly, at the end time.
        const auto phaseOf = [](int key) { return float(key % (kKeys - 1)) / float(kKeys - 1); };
        const auto timeOf = [](int key) { return float(key) / float(kKeys - 1) * kDuration; };
        for (int key = 0; key < kKeys; ++key) {
            glm::vec3 position = localOffset(bone);
            if (bone == 0) // the hips bob twice per cycle, once per stride
                position.z += 0.04f * std::abs(std::sin(phaseOf(key) * 2.0f * glm::pi<float>()));
            writer.writeF32(buffer, position.x);
            writer.writeF32(buffer, position.y);
            writer.writeF32(buffer, position.z);
            writer.writeF32(buffer, timeOf(key));
        }
        for (int key = 0; key < kKeys; ++key) {
            for (int i = 0; i < 3; ++i)
                writer.writeF32(buffer, 1.0f);
            writer.writeF32(buffer, timeOf(key));
        }
        for (int key = 0; key < kKeys; ++key) {
            const glm::quat rotation =
                glm::angleAxis(glm::radians(swingDegrees(bone, phaseOf(key))), glm::vec3(1.0f, 0.0f, 0.0f));
            writer.writeF32(buffer, rotation.w);
            writer.writeF32(buffer, rotation.x);
            writer.writeF32(buffer, rotation.y);
            writer.writeF32(buffer, rotation.z);
            writer.writeF32(buffer, timeOf(key));
        }
    }
    return save(buffer, writer, path);
}

} // namespace

int main(int argc, char** argv)
{
    const std::filesystem::path root = argc > 1 ? argv[1] : "data";
    bool ok = writeMesh(root / "models" / "animation.camesh");
    ok = writeSkeleton(root / "skeletons" / "animation.cskel") && ok;
    ok = writeAnimation(root / "animations" / "animation_running.canim") && ok;
    return ok ? 0 : 1;
}
