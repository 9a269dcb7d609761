#include "engine/gfx/skeleton.h"

#include "engine/bytebuffer/bytebufferwriter.h"

#include <gtest/gtest.h>

#include <vector>

using Engine::ByteBuffer;
using Engine::ByteBufferWriter;
using Engine::GFX::Skeleton;

namespace {

struct TestBone {
    const char* name;
    uint8_t parentByte;
};

ByteBuffer skeletonBytes(const std::vector<TestBone>& bones, uint8_t countOverride = 0)
{
    ByteBuffer buffer;
    ByteBufferWriter writer(Engine::kLittleEndian);
    writer.writeBytes(buffer, "cskeleton", 9);
    writer.writeU8(buffer, 0);
    writer.writeU8(buffer, countOverride ? countOverride : uint8_t(bones.size()));
    for (const TestBone& bone : bones) {
        writer.writeString(buffer, bone.name);
        writer.writeU8(buffer, bone.parentByte);
        for (int i = 0; i < 16; ++i)
            writer.writeF32(buffer, float(i));
    }
    return buffer;
}

} // namespace

TEST(Skeleton, ParentsChildrenNamesAndPose)
{
    Skeleton skeleton;
    // A parent may follow its child; parent byte 3 names bone 2.
    ASSERT_TRUE(skeleton.loadFromBuffer(skeletonBytes({{"arm", 3}, {"hand", 1}, {"root", 0}, {"arm", 3}}), "mem"));
    ASSERT_EQ(skeleton.bones.size(), 4u);
    EXPECT_FALSE(skeleton.bones[2].hasParent);
    EXPECT_TRUE(skeleton.bones[0].hasParent);
    EXPECT_EQ(skeleton.bones[0].parentIndex, 2u);
    EXPECT_EQ(skeleton.bones[2].children, (std::vector<uint32_t>{0, 3}));
    EXPECT_EQ(skeleton.bones[0].children, (std::vector<uint32_t>{1}));
    EXPECT_EQ(skeleton.nameToIndex.at("arm"), 0u);
    EXPECT_EQ(skeleton.pose.size(), 4u);
    EXPECT_EQ(skeleton.pose[3], glm::mat4(1.0f));
    // Column-major: the first four floats are column 0.
    EXPECT_EQ(skeleton.bones[1].localMatrix[0][3], 3.0f);
    EXPECT_EQ(skeleton.bones[1].localMatrix[3][0], 12.0f);
}

TEST(Skeleton, BadParentsCountsAndShortFilesAreRefused)
{
    Skeleton skeleton;
    EXPECT_FALSE(skeleton.loadFromBuffer(skeletonBytes({{"a", 0}, {"b", 9}}), "range"));
    EXPECT_TRUE(skeleton.bones.empty());
    EXPECT_FALSE(skeleton.loadFromBuffer(skeletonBytes({{"a", 1}}), "self"));
    EXPECT_FALSE(skeleton.loadFromBuffer(skeletonBytes({{"a", 2}, {"b", 1}}), "cycle"));
    EXPECT_FALSE(skeleton.loadFromBuffer(skeletonBytes({{"a", 0}}, 200), "count"));
    EXPECT_TRUE(skeleton.pose.empty());

    ByteBuffer truncated = skeletonBytes({{"a", 0}, {"b", 1}});
    truncated.setLength(truncated.getLength() - 1);
    EXPECT_FALSE(skeleton.loadFromBuffer(truncated, "short"));
    EXPECT_FALSE(skeleton.loadFromBuffer(ByteBuffer(0), "empty"));
    EXPECT_FALSE(skeleton.loadFromFile("./data/skeletons/no_such.cskel"));

    // An empty skeleton is a valid file.
    EXPECT_TRUE(skeleton.loadFromBuffer(skeletonBytes({}), "none"));
}
