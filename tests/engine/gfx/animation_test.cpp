#include "engine/gfx/animation.h"

#include "engine/bytebuffer/bytebufferwriter.h"
#include "engine/gfx/skeleton.h"

#include <gtest/gtest.h>

using Engine::ByteBuffer;
using Engine::ByteBufferWriter;
using Engine::GFX::Animation;

namespace {

// One channel "bone" with `keys` keys; key k has position (k, 0, 0) at time k / 10, scale 2 and
// rotation (w, x, y, z) = (1, 0, 0, 0).
ByteBuffer animationBytes(uint16_t keys, uint16_t declaredKeys)
{
    ByteBuffer buffer;
    ByteBufferWriter writer(Engine::kLittleEndian);
    writer.writeBytes(buffer, "canimation", 10);
    writer.writeU8(buffer, 0);
    writer.writeString(buffer, "walk");
    writer.writeF32(buffer, 1.5f);
    writer.writeF32(buffer, 24.0f);
    writer.writeU8(buffer, 1);
    writer.writeString(buffer, "bone");
    writer.writeU16(buffer, declaredKeys);
    for (uint16_t k = 0; k < keys; ++k)
        for (float value : {float(k), 0.0f, 0.0f, k / 10.0f})
            writer.writeF32(buffer, value);
    for (uint16_t k = 0; k < keys; ++k)
        for (float value : {2.0f, 2.0f, 2.0f, k / 10.0f})
            writer.writeF32(buffer, value);
    for (uint16_t k = 0; k < keys; ++k)
        for (float value : {1.0f, 0.0f, 0.0f, 0.0f, k / 10.0f})
            writer.writeF32(buffer, value);
    return buffer;
}

} // namespace

TEST(Animation, ReadsHeaderChannelsAndKeys)
{
    Animation animation;
    ASSERT_TRUE(animation.loadFromBuffer(animationBytes(3, 3), "mem"));
    EXPECT_EQ(animation.name, "walk");
    EXPECT_EQ(animation.duration, 1.5f);
    EXPECT_EQ(animation.framesPerSecond, 24.0f);
    ASSERT_EQ(animation.channels.size(), 1u);
    const auto& channel = animation.channels[0];
    EXPECT_EQ(channel.boneName, "bone");
    EXPECT_EQ(channel.keyCount, 3u);
    EXPECT_EQ(channel.positionKeys[2], glm::vec3(2.0f, 0.0f, 0.0f));
    EXPECT_FLOAT_EQ(channel.positionTimes[2], 0.2f);
    EXPECT_EQ(channel.scaleKeys[1], glm::vec3(2.0f));
    EXPECT_EQ(channel.rotationKeys[0], glm::quat(1.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_EQ(channel.rotationKeys[0] * glm::vec3(1.0f, 2.0f, 3.0f), glm::vec3(1.0f, 2.0f, 3.0f));
}

TEST(Animation, CountsBeyondTheFileAreRefused)
{
    Animation animation;
    EXPECT_FALSE(animation.loadFromBuffer(animationBytes(2, 60000), "huge"));
    EXPECT_TRUE(animation.channels.empty());
    EXPECT_TRUE(animation.name.empty());
    ByteBuffer truncated = animationBytes(2, 2);
    truncated.setLength(truncated.getLength() - 3);
    EXPECT_FALSE(animation.loadFromBuffer(truncated, "short"));
    EXPECT_FALSE(animation.loadFromBuffer(ByteBuffer(0), "empty"));
    EXPECT_FALSE(animation.loadFromFile("./data/animations/no_such.canim"));
}

// The shipped running cycle animates bones of the shipped skeleton, one channel per bone.
TEST(Animation, ShippedRunningCycleMatchesTheSkeleton)
{
    Engine::GFX::Skeleton skeleton;
    Animation animation;
    ASSERT_TRUE(skeleton.loadFromFile("./data/skeletons/animation.cskel"));
    ASSERT_TRUE(animation.loadFromFile("./data/animations/animation_running.canim"));
    EXPECT_EQ(animation.channels.size(), skeleton.bones.size());
    for (const auto& channel : animation.channels) {
        EXPECT_EQ(skeleton.nameToIndex.count(channel.boneName), 1u) << channel.boneName;
        ASSERT_GT(channel.keyCount, 1u);
        EXPECT_EQ(channel.rotationKeys.front(), channel.rotationKeys.back()) << "the cycle loops";
    }
}
