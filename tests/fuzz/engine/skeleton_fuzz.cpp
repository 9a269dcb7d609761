// The skeleton reader on arbitrary bytes: an accepted skeleton is a forest (every parent exists,
// no bone is its own ancestor), its children lists mirror the parent links, and it has one pose
// matrix per bone; a refused one is empty.
#include "engine/gfx/skeleton.h"
#include "fuzzcheck.h"
#include "quiet.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Engine::ByteBuffer bytes = Engine::ByteBuffer::fromBytes(data, size);
    Engine::GFX::Skeleton skeleton;
    const bool ok = skeleton.loadFromBuffer(bytes, "fuzz.cskel");
    const auto& bones = skeleton.bones;
    if (!ok) {
        FUZZ_CHECK(bones.empty() && skeleton.pose.empty() && skeleton.nameToIndex.empty());
        return 0;
    }
    FUZZ_CHECK(skeleton.pose.size() == bones.size());
    size_t childLinks = 0;
    size_t parentLinks = 0;
    for (uint32_t i = 0; i < bones.size(); ++i) {
        // Walking up from any bone reaches a root within bones.size() steps.
        uint32_t current = i;
        size_t steps = 0;
        while (bones[current].hasParent) {
            FUZZ_CHECK(bones[current].parentIndex < bones.size());
            current = bones[current].parentIndex;
            FUZZ_CHECK(++steps <= bones.size());
        }
        parentLinks += bones[i].hasParent ? 1 : 0;
        for (const uint32_t child : bones[i].children) {
            FUZZ_CHECK(child < bones.size());
            FUZZ_CHECK(bones[child].hasParent && bones[child].parentIndex == i);
            ++childLinks;
        }
        const auto named = skeleton.nameToIndex.find(bones[i].name);
        FUZZ_CHECK(named != skeleton.nameToIndex.end() && named->second <= i);
    }
    FUZZ_CHECK(childLinks == parentLinks);
    return 0;
}
