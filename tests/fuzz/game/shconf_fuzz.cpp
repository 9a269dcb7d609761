// The shader collection's reading of its configuration on arbitrary text: every program the game
// asks for gets both source file names or neither, and never a name outside the shader folder.
#include "game/resources/shadercollection.h"
#include "fuzzcheck.h"
#include "quiet.h"

#include <cstdint>
#include <string>

namespace {

void checkFileName(const std::string& name)
{
    FUZZ_CHECK(!name.empty());
    FUZZ_CHECK(name.front() != '/');
    FUZZ_CHECK(name.find('\\') == std::string::npos);
    FUZZ_CHECK(name != ".." && name.rfind("../", 0) != 0 && name.find("/../") == std::string::npos);
    FUZZ_CHECK(name.size() < 3 || name.compare(name.size() - 3, 3, "/..") != 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Game::ShaderCollection collection("./data/shader/", text, "fuzz.shconf");
    for (const char* program : Game::ShaderCollection::kProgramNames) {
        const Game::ShaderCollection::ProgramFiles files = collection.programFiles(program);
        FUZZ_CHECK(files.vertex.empty() == files.fragment.empty());
        if (files.vertex.empty())
            continue;
        checkFileName(files.vertex);
        checkFileName(files.fragment);
    }
    FUZZ_CHECK(collection.filesRead() == 0);
    return 0;
}
