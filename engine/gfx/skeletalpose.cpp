#include "engine/gfx/skeletalpose.h"

namespace Engine::GFX {

SkeletalPose::SkeletalPose(const Skeleton& skeleton, const Animation& animation,
                           const std::vector<Mesh::SkeletalBone>& meshBones)
    : animation(animation), loopLength(animation.loopLength())
{
    const size_t boneCount = skeleton.bones.size();
    parentOf.assign(boneCount, kUnbound);
    channelOf.assign(boneCount, kUnbound);
    globals.assign(boneCount, glm::mat4(1.0f));
    for (size_t b = 0; b < boneCount; ++b) {
        const SkeletonBone& bone = skeleton.bones[b];
        if (bone.hasParent && bone.parentIndex < boneCount && bone.parentIndex != b)
            parentOf[b] = bone.parentIndex;
        restMatrices.push_back(bone.localMatrix);
        rest.push_back(BoneTransform::fromMatrix(bone.localMatrix));
    }
    // A bone with two channels follows the first; a channel without keys animates nothing.
    for (uint32_t c = uint32_t(animation.channels.size()); c-- > 0;) {
        const AnimationChannel& channel = animation.channels[c];
        if (channel.positionKeys.empty() && channel.rotationKeys.empty() && channel.scaleKeys.empty())
            continue;
        const auto found = skeleton.nameToIndex.find(channel.boneName);
        if (found != skeleton.nameToIndex.end() && found->second < boneCount)
            channelOf[found->second] = c;
    }
    for (const Mesh::SkeletalBone& bone : meshBones) {
        const auto found = skeleton.nameToIndex.find(bone.name);
        const bool bound = found != skeleton.nameToIndex.end() && found->second < boneCount;
        skeletonBoneOf.push_back(bound ? found->second : kUnbound);
        inverseBindPoses.push_back(bone.matrix);
    }
    skinning.assign(meshBones.size(), glm::mat4(1.0f));
    orderParentsFirst(skeleton);
    evaluate(0.0f);
}

void SkeletalPose::orderParentsFirst(const Skeleton& skeleton)
{
    const size_t boneCount = skeleton.bones.size();
    std::vector<bool> placed(boneCount, false);
    order.reserve(boneCount);
    // Each pass places the bones whose parent is placed; a pass that places none leaves only
    // bones in a parent cycle, which then count as roots.
    for (bool progress = true; order.size() < boneCount;) {
        const bool breakCycles = !progress;
        progress = false;
        for (uint32_t b = 0; b < boneCount; ++b) {
            if (placed[b])
                continue;
            const uint32_t parent = parentOf[b];
            if (parent != kUnbound && !placed[parent] && !breakCycles)
                continue;
            if (parent != kUnbound && !placed[parent])
                parentOf[b] = kUnbound;
            placed[b] = true;
            order.push_back(b);
            progress = true;
            if (breakCycles)
                break;
        }
    }
}

void SkeletalPose::evaluate(float seconds)
{
    for (const uint32_t b : order) {
        const uint32_t channel = channelOf[b];
        const glm::mat4 local = channel == kUnbound
                                    ? restMatrices[b]
                                    : sampleChannel(animation.channels[channel], seconds, loopLength, rest[b]).matrix();
        globals[b] = parentOf[b] == kUnbound ? local : globals[parentOf[b]] * local;
    }
    for (size_t m = 0; m < skinning.size(); ++m) {
        const uint32_t bone = skeletonBoneOf[m];
        skinning[m] = bone == kUnbound ? glm::mat4(1.0f) : globals[bone] * inverseBindPoses[m];
    }
}

} // namespace Engine::GFX
