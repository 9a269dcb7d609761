#include "engine/gfx/skeleton.h"

#include "engine/bytebuffer/bytebufferreader.h"
#include "engine/core/log.h"
#include "engine/gfx/assetfile.h"

namespace Engine::GFX {
namespace {

constexpr uint64_t kMagicLength = 9;
constexpr uint64_t kReservedLength = 1;
// The largest skeleton file: 255 bones, each with a name of up to 255 bytes (and its length
// byte), a parent byte and a 4 x 4 float matrix.
constexpr uint64_t kMaxFileBytes = kMagicLength + kReservedLength + 1 + 255 * (1 + 255 + 1 + 16 * 4);

glm::mat4 readMatrix(ByteBufferReader& reader, const ByteBuffer& buffer)
{
    glm::mat4 matrix(1.0f);
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            matrix[column][row] = reader.readF32(buffer);
    return matrix;
}

// True when following parents from every bone ends at a root within the bone count.
bool parentsFormATree(const std::vector<SkeletonBone>& bones)
{
    for (const SkeletonBone& start : bones) {
        const SkeletonBone* bone = &start;
        size_t steps = 0;
        while (bone->hasParent) {
            if (++steps > bones.size())
                return false;
            bone = &bones[bone->parentIndex];
        }
    }
    return true;
}

} // namespace

void Skeleton::clear()
{
    nameToIndex.clear();
    bones.clear();
    pose.clear();
}

bool Skeleton::loadFromFile(const std::string& path)
{
    clear();
    ByteBuffer buffer;
    if (!readAssetFile(path, kMaxFileBytes, "skeleton", buffer))
        return false;
    return loadFromBuffer(buffer, path);
}

bool Skeleton::loadFromBuffer(const ByteBuffer& buffer, const std::string& sourceName)
{
    clear();
    ByteBufferReader reader(kLittleEndian);
    reader.skip(buffer, kMagicLength + kReservedLength);
    const uint32_t boneCount = reader.readU8(buffer);
    for (uint32_t i = 0; i < boneCount && reader.ok(); ++i) {
        SkeletonBone bone;
        bone.name = reader.readString(buffer);
        const uint32_t parentByte = reader.readU8(buffer);
        bone.localMatrix = readMatrix(reader, buffer);
        if (parentByte > boneCount || parentByte == i + 1) {
            logf("Skeleton %s refused: bone %u (\"%s\") names parent %u of %u bones\n", sourceName.c_str(), i,
                 bone.name.c_str(), parentByte, boneCount);
            clear();
            return false;
        }
        bone.hasParent = parentByte != 0;
        bone.parentIndex = bone.hasParent ? parentByte - 1 : 0;
        bones.push_back(std::move(bone));
    }
    if (!reader.ok()) {
        logf("Skeleton %s refused: the file ends inside its %u bones\n", sourceName.c_str(), boneCount);
        clear();
        return false;
    }
    if (!parentsFormATree(bones)) {
        logf("Skeleton %s refused: its parent links form a cycle\n", sourceName.c_str());
        clear();
        return false;
    }
    for (uint32_t i = 0; i < bones.size(); ++i) {
        nameToIndex.emplace(bones[i].name, i);
        pose.emplace_back(1.0f);
        if (bones[i].hasParent)
            bones[bones[i].parentIndex].children.push_back(i);
    }
    return true;
}

} // namespace Engine::GFX
