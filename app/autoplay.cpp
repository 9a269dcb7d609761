// Entry point of tetherix-autoplay: runs the real game in its window from a script of timed input
// instead of a person's, and saves screenshots on the way; or re-plays a stored best run headless
// and says whether it reproduces its time.
#include "engine/autoplay/autoplaydriver.h"
#include "game/gamecontroller/gamecontroller.h"
#include "game/gamecontroller/runverify.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr int kUsageStatus = 2;

void printUsage(std::FILE* to, const char* program)
{
    std::fprintf(to, "Usage: %s [--shots-only] SCRIPT\n"
                "       %s --verify RECORD [MAP.rmap]\n"
                "SCRIPT: runs the game from the repository root, played by the script.\n"
                "--shots-only: draws only the frames that the script's screenshots save; a run that checks\n"
                "  what the game does rather than every picture goes several times faster.\n"
                "--verify: re-plays a best run stored in RECORD (a .record file of the records folder,\n"
                "  ~/.local/share/tetherix/records/) without a window, on the map and course it was run on,\n"
                "  prints the time it reproduces and \"VERIFY: matches\" or a \"VERIFY: MISMATCH\" line.\n"
                "  Without MAP.rmap the map is looked for among the shipped courses and in the user's\n"
                "  map folder (the map whose course, with its bytes, gives the record's key).\n"
                "  Status 0 when it matches, 1 when it does not, 2 when it cannot be verified.\n",
                program, program);
}

} // namespace

int main(int argc, char** argv)
{
    const char* program = argc > 0 ? argv[0] : "tetherix-autoplay";
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        printUsage(stdout, program);
        return 0;
    }
    if (argc >= 3 && argc <= 4 && std::strcmp(argv[1], "--verify") == 0)
        return Game::RunVerify::verify(argv[2], argc == 4 ? argv[3] : "");
    const bool screenshotsOnly = argc == 3 && std::strcmp(argv[1], "--shots-only") == 0;
    const char* script = argv[argc - 1];
    if ((argc != 2 && !screenshotsOnly) || script[0] == '-') {
        printUsage(stderr, program);
        return kUsageStatus;
    }
    return Engine::Autoplay::runAutoplay(script, [](Engine::EngineCore& engine) {
        return std::make_unique<Game::GameController>(engine);
    }, screenshotsOnly);
}
