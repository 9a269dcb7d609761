#pragma once
// An autoplay script: timed keyboard, mouse and text input for the game, with screenshots. One
// command per line; blank lines and lines starting with '#' are skipped:
//   keydown NAME / keyup NAME     SDL scancode name, e.g. W, Space, Escape, Left Shift
//   mouse X Y                     pointer to window pixels, from the top-left corner (0 to 32767)
//   mouseby DX DY                 pointer moved by DX, DY pixels (-32767 to 32767)
//   mousedown B / mouseup B       B is left, right or middle
//   wheel up / wheel down         one notch
//   text TEXT                     typed text, the rest of the line
//   wait N                        N game updates of 10 ms
//   screenshot FILE.png           the composed frame, after the updates so far
//   quit                          ends the run
#include "engine/autoplay/scriptcommand.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Engine::Autoplay {

// Where and why a script was refused. Line 0 stands for the file as a whole.
struct ScriptError {
    int line = 0;
    std::string message;
};

class Script {
public:
    // Parses script text. On the first bad line, returns nothing and fills `error`.
    static std::optional<Script> parse(std::string_view text, ScriptError& error);
    // Reads and parses the file, then checks that the folder of every screenshot exists (paths
    // count from the working directory), so that a run does not fail late over a typing error.
    static std::optional<Script> load(const std::filesystem::path& file, ScriptError& error);

    const std::vector<ScriptCommand>& commands() const { return commands_; }

private:
    std::vector<ScriptCommand> commands_;
};

} // namespace Engine::Autoplay
