// Entry point: creates the engine and the game as locals, links them and runs the engine.
#include "engine/core/enginecore.h"
#include "game/gamecontroller/gamecontroller.h"

int main(int, char**)
{
    Engine::EngineCore engine;
    Game::GameController game(engine);
    engine.game = &game;
    return engine.run();
}
