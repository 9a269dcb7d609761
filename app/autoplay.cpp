// Entry point of tetherix-autoplay: runs the real game in its window from a script of timed input
// instead of a person's, and saves screenshots on the way. Usage: tetherix-autoplay SCRIPT
#include "engine/autoplay/autoplaydriver.h"
#include "game/gamecontroller/gamecontroller.h"

#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "Usage: %s SCRIPT\nRuns the game from the repository root, played by the script.\n",
                     argc > 0 ? argv[0] : "tetherix-autoplay");
        return 2;
    }
    return Engine::Autoplay::runAutoplay(argv[1], [](Engine::EngineCore& engine) {
        return std::make_unique<Game::GameController>(engine);
    });
}
