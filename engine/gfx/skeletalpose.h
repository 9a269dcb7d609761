#pragma once
// Plays an animation on a skeleton for a skinned mesh: each frame, every bone's local transform
// is sampled from its channel (or kept from the skeleton where the animation has none), the
// bones are chained parent before child into model-space matrices, and each mesh bone's
// skinning matrix is its skeleton bone's matrix times the mesh's inverse bind pose. Bones are
// matched by name once, when the pose is made; evaluating allocates nothing.
#include "engine/gfx/animation.h"
#include "engine/gfx/skeletalmesh.h"
#include "engine/gfx/skeleton.h"

#include <glm/mat4x4.hpp>

#include <cstdint>
#include <vector>

namespace Engine::GFX {

class SkeletalPose {
public:
    // Binds `animation`'s channels and `meshBones` to the bones of `skeleton` by name; names
    // that match nothing are left out (a mesh bone without a skeleton bone stays in its bind
    // pose). The three are copied, so they need not outlive the pose.
    SkeletalPose(const Skeleton& skeleton, const Animation& animation, const std::vector<Mesh::SkeletalBone>& meshBones);

    // Poses the skeleton `seconds` into the animation (looping, Animation::loopLength).
    void evaluate(float seconds);

    // Per skeleton bone: its model-space matrix in the last evaluated pose.
    const std::vector<glm::mat4>& boneMatrices() const { return globals; }
    // Per mesh bone: the matrix that moves a vertex bound to it from the bind pose into the
    // last evaluated pose.
    const std::vector<glm::mat4>& skinningMatrices() const { return skinning; }

private:
    static constexpr uint32_t kUnbound = ~uint32_t(0);

    // Fills `order` with every bone after its parent; a bone in a parent cycle becomes a root.
    void orderParentsFirst(const Skeleton& skeleton);

    Animation animation;
    float loopLength = 0.0f;
    std::vector<uint32_t> parentOf;       // per skeleton bone; kUnbound for a root
    std::vector<BoneTransform> rest;      // per skeleton bone: its local matrix's parts
    std::vector<glm::mat4> restMatrices;  // per skeleton bone: its local matrix
    std::vector<uint32_t> channelOf;      // per skeleton bone; kUnbound: not animated
    std::vector<uint32_t> order;          // skeleton bones, every parent before its children
    std::vector<uint32_t> skeletonBoneOf; // per mesh bone; kUnbound: not in the skeleton
    std::vector<glm::mat4> inverseBindPoses;
    std::vector<glm::mat4> globals;
    std::vector<glm::mat4> skinning;
};

} // namespace Engine::GFX
