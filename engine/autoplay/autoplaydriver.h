#pragma once
// The whole autoplay run: load the script, find or start a display, run the game in its window
// fed by the script, and turn the way the run ended into the process status.
#include "engine/core/enginecore.h"
#include "engine/core/gameprototype.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace Engine::Autoplay {

// Builds the game that the engine drives, linked to that engine.
using GameFactory = std::function<std::unique_ptr<GamePrototype>(EngineCore& engine)>;

// Returns 0 when the script ran to its end or "quit", or when the game ended the run itself; 1
// when the script cannot be used (the console names the line, and the game never starts), when no
// display can be found or started, when the engine cannot start, when a screenshot cannot be saved,
// or when the run was stopped from outside.
// With `screenshotsOnly`, only the frames that the script's screenshots save are drawn.
int runAutoplay(const std::filesystem::path& scriptFile, const GameFactory& makeGame, bool screenshotsOnly = false);

} // namespace Engine::Autoplay
