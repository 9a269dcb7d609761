// The course reader on arbitrary text. A course is either refused whole (with a reason) or a
// sensible course; writing an accepted course and reading it back gives the same text again.
#include "game/course/coursefile.h"
#include "fuzzcheck.h"
#include "quiet.h"

#include <cmath>
#include <cstdint>
#include <string_view>

namespace {

bool finite(const glm::vec3& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

void checkSensible(const Game::Gate& gate)
{
    const Game::OrientedBox& box = gate.box;
    FUZZ_CHECK(finite(box.center) && finite(box.halfExtents));
    FUZZ_CHECK(box.halfExtents.x > 0.0f && box.halfExtents.y > 0.0f && box.halfExtents.z > 0.0f);
    FUZZ_CHECK(std::fabs(glm::length(box.rotation) - 1.0f) < 1e-4f);
}

void checkCourse(const Game::Course& course)
{
    FUZZ_CHECK(course.gates().size() <= Game::Course::kMaxGates);
    size_t ends = 0;
    for (const Game::Gate& gate : course.gates()) {
        checkSensible(gate);
        ends += gate.kind != Game::GateKind::Checkpoint;
    }
    FUZZ_CHECK(ends == size_t(course.start() != nullptr) + size_t(course.finish() != nullptr));
    for (int n = 1; n <= int(course.checkpointCount()); ++n)
        FUZZ_CHECK(course.checkpoint(n) != nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Game::CourseReadResult result = Game::CourseFile::read(text);
    if (!result.ok())
        return 0;
    checkCourse(result.document.course);
    FUZZ_CHECK(result.document.mapName.size() <= Game::CourseFile::kMaxNameBytes);

    const std::string written = Game::CourseFile::encode(result.document);
    FUZZ_CHECK(!written.empty());
    const Game::CourseReadResult again = Game::CourseFile::read(written);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.document.course.gates().size() == result.document.course.gates().size());
    FUZZ_CHECK(Game::CourseFile::encode(again.document) == written);
    return 0;
}
