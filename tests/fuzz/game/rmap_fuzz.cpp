// The map reader on arbitrary bytes. A map is either refused whole (with a reason and no blocks)
// or every block is sensible; writing an accepted map and reading it back gives the same blocks.
#include "game/gamemap/mapfile.h"
#include "fuzzcheck.h"
#include "quiet.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

bool finite(const glm::vec3& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

void checkSensible(const Game::QubeRecord& qube)
{
    FUZZ_CHECK(finite(qube.position));
    FUZZ_CHECK(finite(qube.scale));
    FUZZ_CHECK(qube.scale.x > 0.0f && qube.scale.y > 0.0f && qube.scale.z > 0.0f);
    const glm::quat& r = qube.rotation;
    FUZZ_CHECK(std::isfinite(r.w) && std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.z));
    FUZZ_CHECK(std::fabs(glm::length(r) - 1.0f) < 1e-4f);
}

float distance(const glm::quat& a, const glm::quat& b)
{
    const glm::quat d = a - b;
    return std::fabs(d.w) + std::fabs(d.x) + std::fabs(d.y) + std::fabs(d.z);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Engine::ByteBuffer bytes = Engine::ByteBuffer::fromBytes(data, size);
    const Game::MapReadResult result = Game::MapFile::read(bytes);
    FUZZ_CHECK(result.ok() == result.problem.empty());
    if (!result.ok()) {
        FUZZ_CHECK(result.qubes.empty());
        return 0;
    }
    FUZZ_CHECK(result.qubes.size() <= Game::MapFile::maxQubes());
    FUZZ_CHECK(Game::MapFile::kHeaderSize + result.qubes.size() * Game::MapFile::kRecordSize <= size);
    for (const Game::QubeRecord& qube : result.qubes)
        checkSensible(qube);

    Engine::ByteBuffer written(1);
    FUZZ_CHECK(Game::MapFile::encode(result.qubes, written).ok());
    const Game::MapReadResult again = Game::MapFile::read(written);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.qubes.size() == result.qubes.size());
    for (size_t i = 0; i < result.qubes.size(); ++i) {
        FUZZ_CHECK(again.qubes[i].position == result.qubes[i].position);
        FUZZ_CHECK(again.qubes[i].scale == result.qubes[i].scale);
        // q and -q are the same orientation, and the number coding may store one as the other.
        FUZZ_CHECK(std::min(distance(again.qubes[i].rotation, result.qubes[i].rotation),
                            distance(again.qubes[i].rotation, -result.qubes[i].rotation)) < 1e-5f);
    }
    return 0;
}
