// The run record reader on arbitrary bytes. A record is either refused whole (with a reason)
// or sensible, and writing an accepted record gives back exactly the bytes it was read from (a
// version 1 record is written as version 2, which reads back as the same record).
#include "game/course/runinput.h"
#include "game/course/runrecord.h"
#include "fuzzcheck.h"
#include "quiet.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Game::RunRecordReadResult result = Game::RunRecordFile::decode(bytes);
    if (!result.ok())
        return 0;
    const Game::RunRecord& record = result.record;
    FUZZ_CHECK(record.times.total >= 1 && record.times.total <= record.inputSteps);
    FUZZ_CHECK(record.inputSteps <= Game::RunRecordFile::kMaxSteps);
    for (const Game::GhostSample& sample : record.ghost)
        FUZZ_CHECK(std::isfinite(sample.position.x) && std::isfinite(sample.yaw));
    size_t position = 0;
    Game::StepInput step;
    for (uint32_t i = 0; i < record.inputSteps; ++i)
        FUZZ_CHECK(Game::RunInput::next(record.input, position, step));
    FUZZ_CHECK(position == record.input.size());
    const std::string written = Game::RunRecordFile::encode(record);
    if (bytes[5] != 1) {
        FUZZ_CHECK(written == bytes);
        return 0;
    }
    const Game::RunRecordReadResult again = Game::RunRecordFile::decode(written);
    FUZZ_CHECK(again.ok() && again.record.input == record.input && again.record.times.total == record.times.total);
    return 0;
}
