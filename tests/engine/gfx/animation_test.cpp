#include "engine/gfx/animation.h"

#include "engine/bytebuffer/bytebufferwriter.h"
#include "engine/gfx/skeleton.h"

#include <gtest/gtest.h>

#include <glm/gtc/quaternion.hpp>

#include <algorithm>
#include <cmath>

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

namespace {

glm::quat turnAboutZ(float degrees) { return glm::angleAxis(glm::radians(degrees), glm::vec3(0.0f, 0.0f, 1.0f)); }

// Two keys: at time 0 no turn, position 0 and scale 1; at time 1 a quarter turn about z,
// position (4, 0, 0) and scale 3; given in `reversed` order when asked.
Engine::GFX::AnimationChannel quarterTurnChannel(bool reversed = false)
{
    Engine::GFX::AnimationChannel channel;
    channel.boneName = "bone";
    channel.keyCount = 2;
    channel.positionKeys = {glm::vec3(0.0f), glm::vec3(4.0f, 0.0f, 0.0f)};
    channel.rotationKeys = {turnAboutZ(0.0f), turnAboutZ(90.0f)};
    channel.scaleKeys = {glm::vec3(1.0f), glm::vec3(3.0f)};
    channel.positionTimes = channel.rotationTimes = channel.scaleTimes = {0.0f, 1.0f};
    if (reversed) {
        std::reverse(channel.positionKeys.begin(), channel.positionKeys.end());
        std::reverse(channel.rotationKeys.begin(), channel.rotationKeys.end());
        std::reverse(channel.scaleKeys.begin(), channel.scaleKeys.end());
        channel.positionTimes = channel.rotationTimes = channel.scaleTimes = {1.0f, 0.0f};
    }
    return channel;
}

// The angle about z that `q` turns +x through, in degrees.
float degreesAboutZ(const glm::quat& q)
{
    const glm::vec3 x = q * glm::vec3(1.0f, 0.0f, 0.0f);
    return glm::degrees(std::atan2(x.y, x.x));
}

} // namespace

TEST(AnimationPlayback, KeysAreInterpolatedAndLoopBackToTheFirst)
{
    using Engine::GFX::sampleChannel;
    const Engine::GFX::BoneTransform rest;
    for (const bool reversed : {false, true}) {
        SCOPED_TRACE(reversed ? "keys out of time order" : "keys in time order");
        const auto channel = quarterTurnChannel(reversed);
        // Looping over 2 seconds: up to the second key, then back to the first at time 2.
        const auto half = sampleChannel(channel, 0.5f, 2.0f, rest);
        EXPECT_NEAR(degreesAboutZ(half.rotation), 45.0f, 1e-3f);
        EXPECT_NEAR(half.position.x, 2.0f, 1e-5f);
        EXPECT_NEAR(half.scale.y, 2.0f, 1e-5f);
        EXPECT_NEAR(degreesAboutZ(sampleChannel(channel, 1.0f, 2.0f, rest).rotation), 90.0f, 1e-3f);
        EXPECT_NEAR(degreesAboutZ(sampleChannel(channel, 1.5f, 2.0f, rest).rotation), 45.0f, 1e-3f);
        EXPECT_NEAR(sampleChannel(channel, 1.5f, 2.0f, rest).position.x, 2.0f, 1e-5f);
        EXPECT_NEAR(degreesAboutZ(sampleChannel(channel, 4.5f, 2.0f, rest).rotation), 45.0f, 1e-3f) << "cycles repeat";
        EXPECT_NEAR(degreesAboutZ(sampleChannel(channel, -1.5f, 2.0f, rest).rotation), 45.0f, 1e-3f);
        // Without a loop the ends hold.
        EXPECT_NEAR(sampleChannel(channel, 7.0f, 0.0f, rest).position.x, 4.0f, 1e-5f);
        EXPECT_NEAR(sampleChannel(channel, -3.0f, 0.0f, rest).position.x, 0.0f, 1e-5f);
    }
    // The loop is the duration; without a usable one, the latest key's time.
    Animation animation;
    animation.channels.push_back(quarterTurnChannel());
    animation.duration = 0.7f;
    EXPECT_FLOAT_EQ(animation.loopLength(), 0.7f);
    animation.duration = std::nanf("");
    EXPECT_FLOAT_EQ(animation.loopLength(), 1.0f);
}

TEST(AnimationPlayback, OddChannelsGiveSafeValues)
{
    using Engine::GFX::sampleChannel;
    Engine::GFX::BoneTransform rest;
    rest.position = glm::vec3(0.0f, 5.0f, 0.0f);
    rest.rotation = turnAboutZ(30.0f);

    // No keys at all: the rest transform.
    const Engine::GFX::AnimationChannel empty;
    const auto held = sampleChannel(empty, 0.3f, 1.0f, rest);
    EXPECT_EQ(held.position, rest.position);
    EXPECT_NEAR(degreesAboutZ(held.rotation), 30.0f, 1e-3f);
    EXPECT_EQ(held.scale, glm::vec3(1.0f));

    // One key, and a time that is no number: that key, whatever the time.
    auto single = quarterTurnChannel();
    single.positionKeys.resize(1);
    single.positionTimes.resize(1);
    for (const float time : {-2.0f, 0.0f, 0.7f, 9.0f, std::nanf("")})
        EXPECT_EQ(sampleChannel(single, time, 1.0f, rest).position, glm::vec3(0.0f)) << time;

    // Times that are no number are skipped; a zero-length rotation key turns nothing; lists
    // shorter than their times use what they have.
    auto odd = quarterTurnChannel();
    odd.positionTimes = {std::nanf(""), 1.0f};
    odd.rotationKeys = {glm::quat(0.0f, 0.0f, 0.0f, 0.0f), glm::quat(0.0f, 0.0f, 0.0f, 0.0f)};
    odd.scaleKeys.resize(1);
    const auto sampled = sampleChannel(odd, 0.25f, 0.0f, rest);
    EXPECT_EQ(sampled.position, glm::vec3(4.0f, 0.0f, 0.0f));
    EXPECT_EQ(sampled.rotation, glm::quat(1.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_EQ(sampled.scale, glm::vec3(1.0f));
}
