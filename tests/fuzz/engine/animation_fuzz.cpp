// The animation reader on arbitrary bytes: an accepted animation holds, for every channel, as
// many keys and times of each kind as its key count says; a refused one is empty.
#include "engine/gfx/animation.h"
#include "fuzzcheck.h"
#include "quiet.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Engine::ByteBuffer bytes = Engine::ByteBuffer::fromBytes(data, size);
    Engine::GFX::Animation animation;
    if (!animation.loadFromBuffer(bytes, "fuzz.canim")) {
        FUZZ_CHECK(animation.channels.empty() && animation.name.empty());
        return 0;
    }
    for (const Engine::GFX::AnimationChannel& channel : animation.channels) {
        FUZZ_CHECK(channel.positionKeys.size() == channel.keyCount);
        FUZZ_CHECK(channel.positionTimes.size() == channel.keyCount);
        FUZZ_CHECK(channel.scaleKeys.size() == channel.keyCount);
        FUZZ_CHECK(channel.scaleTimes.size() == channel.keyCount);
        FUZZ_CHECK(channel.rotationKeys.size() == channel.keyCount);
        FUZZ_CHECK(channel.rotationTimes.size() == channel.keyCount);
    }
    // Every channel needs its name and key count at least.
    FUZZ_CHECK(animation.channels.size() * 3 <= size);
    return 0;
}
