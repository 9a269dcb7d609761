#include "engine/autoplay/autoplaydriver.h"

#include "engine/autoplay/autoplaysource.h"
#include "engine/autoplay/privatexserver.h"
#include "engine/autoplay/script.h"
#include "engine/core/log.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace Engine::Autoplay {
namespace {

bool hasDisplay()
{
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && display[0] != '\0';
}

std::string describe(const std::filesystem::path& file, const ScriptError& error)
{
    const std::string where = error.line > 0 ? ":" + std::to_string(error.line) : std::string();
    return file.string() + where + ": " + error.message;
}

} // namespace

int runAutoplay(const std::filesystem::path& scriptFile, const GameFactory& makeGame, bool screenshotsOnly)
{
    ScriptError error;
    std::optional<Script> script = Script::load(scriptFile, error);
    if (!script) {
        logLine("Autoplay: " + describe(scriptFile, error));
        return 1;
    }

    PrivateXServer xServer;
    if (!hasDisplay()) {
        std::string reason;
        if (!xServer.start(reason)) {
            logLine("Autoplay: no display and no private X server: " + reason);
            return 1;
        }
    }

    AutoplaySource source(std::move(*script));
    source.drawOnlyScreenshots(screenshotsOnly);
    int status = 0;
    {
        EngineCore engine(&source);
        const std::unique_ptr<GamePrototype> game = makeGame(engine);
        engine.game = game.get();
        status = engine.run();
    }
    if (status != 0)
        return status;
    switch (source.outcome()) {
    case AutoplaySource::Outcome::Finished:
        return 0;
    case AutoplaySource::Outcome::Playing:
        if (source.windowCloseSeen()) {
            logf("Autoplay: the window was closed after script line %d\n", source.line());
            return 1;
        }
        logf("Autoplay: the game ended the run after script line %d\n", source.line());
        return 0;
    case AutoplaySource::Outcome::Failed:
    case AutoplaySource::Outcome::Interrupted:
        break;
    }
    return 1;
}

} // namespace Engine::Autoplay
