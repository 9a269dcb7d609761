// Entry point: `--version` prints the version; otherwise it creates the engine and the game as
// locals, links them and runs the engine.
#include "app/version.h"
#include "engine/core/enginecore.h"
#include "game/gamecontroller/gamecontroller.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("Tetherix %s\n", TX_VERSION);
        return 0;
    }
    Engine::EngineCore engine;
    Game::GameController game(engine);
    engine.game = &game;
    return engine.run();
}
