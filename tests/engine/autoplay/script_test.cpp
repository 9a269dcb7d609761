#include "engine/autoplay/script.h"

#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

using Engine::Autoplay::Script;
using Engine::Autoplay::ScriptCommand;
using Engine::Autoplay::ScriptError;
using Kind = ScriptCommand::Kind;

namespace {

std::vector<ScriptCommand> parsed(std::string_view text)
{
    ScriptError error;
    const std::optional<Script> script = Script::parse(text, error);
    EXPECT_TRUE(script) << "line " << error.line << ": " << error.message;
    return script ? script->commands() : std::vector<ScriptCommand>{};
}

ScriptError refused(std::string_view text)
{
    ScriptError error;
    EXPECT_FALSE(Script::parse(text, error)) << text;
    return error;
}

} // namespace

TEST(ScriptTest, ParsesEveryCommandWithItsLine)
{
    const auto commands = parsed("\xEF\xBB\xBF# menu tour\r\n"
                                 "\n"
                                 "keydown Left Shift\r\n"
                                 "  keyup\tw  \n"
                                 "mouse 640 360\n"
                                 "mouseby -40 7\n"
                                 "mousedown middle\n"
                                 "wheel down\n"
                                 "text Map \xC3\xA9t\xC3\xA9 #1\n"
                                 "wait 100\n"
                                 "screenshot shots/Menu.PNG\n"
                                 "resize 1024 600\n"
                                 "quit");
    ASSERT_EQ(commands.size(), 11u);
    EXPECT_EQ(commands[0].key, SDL_SCANCODE_LSHIFT);
    EXPECT_EQ(commands[0].line, 3);
    EXPECT_EQ(commands[1].kind, Kind::KeyUp);
    EXPECT_EQ(commands[1].key, SDL_SCANCODE_W) << "names are case-insensitive, tabs separate";
    EXPECT_EQ(std::make_pair(commands[3].x, commands[3].y), std::make_pair(-40, 7));
    EXPECT_EQ(commands[4].button, SDL_BUTTON_MIDDLE);
    EXPECT_EQ(commands[5].wheel, -1);
    EXPECT_EQ(commands[6].text, "Map \xC3\xA9t\xC3\xA9 #1") << "a # inside a line is text";
    EXPECT_EQ(commands[7].updates, 100);
    EXPECT_EQ(commands[8].text, "shots/Menu.PNG");
    EXPECT_EQ(std::make_pair(commands[9].x, commands[9].y), std::make_pair(1024, 600));
    EXPECT_EQ(commands[10].kind, Kind::Quit);
    EXPECT_EQ(commands[10].line, 13);
    EXPECT_TRUE(parsed("  # only a comment\n\n").empty());
}

TEST(ScriptTest, RefusesBadLinesNamingTheLine)
{
    struct Case {
        const char* text;
        int line;
        const char* message;
    };
    const Case cases[] = {
        {"wait 1\njump\n", 2, "unknown command \"jump\""},
        {"keydown Banana", 1, "unknown key \"Banana\""},
        {"mouse 10", 1, "mouse needs two whole numbers"},
        {"mouse -1 2", 1, "window pixels count from 0"},
        {"mousedown both", 1, "mousedown needs left, right or middle"},
        {"wheel 1", 1, "wheel needs up or down"},
        {"text \xC3(", 1, "not valid UTF-8"},
        {"\n\nwait 0", 3, "wait needs a whole number of updates, 1 or more"},
        {"screenshot menu.jpg", 1, "screenshot needs a file name ending in .png"},
        {"quit now", 1, "quit takes no arguments"},
        {"resize 0 600", 1, "resize needs the window's new width and height"},
        {"resize 40000 600", 1, "resize needs the window's new width and height in pixels, 1 to 32767"},
        {"mouseby 2147483647 0", 1, "mouseby pixels are at most 32767 either way"},
        {"mouseby 0 -32768", 1, "mouseby pixels are at most 32767"},
        {"mouse 32768 0", 1, "mouse pixels are at most 32767"},
        {"mouse 99999999999 0", 1, "mouse needs two whole numbers"},
    };
    for (const Case& c : cases) {
        const ScriptError error = refused(c.text);
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_NE(error.message.find(c.message), std::string::npos) << c.text << " gave: " << error.message;
    }
}

TEST(ScriptTest, LoadReadsTheFileAndChecksScreenshotFolders)
{
    const TestSupport::TempDir dir;
    ScriptError error;
    const auto good = dir.write("good.txt", "wait 1\nscreenshot " + (dir.path() / "a.png").string() + "\n");
    const std::optional<Script> script = Script::load(good, error);
    ASSERT_TRUE(script) << error.message;
    EXPECT_EQ(script->commands().size(), 2u);

    const auto badFolder = dir.write("bad.txt", "wait 1\n\nscreenshot " + (dir.path() / "none/a.png").string());
    EXPECT_FALSE(Script::load(badFolder, error));
    EXPECT_EQ(error.line, 3);
    EXPECT_NE(error.message.find("does not exist"), std::string::npos) << error.message;

    EXPECT_FALSE(Script::load(dir.path() / "missing.txt", error));
    EXPECT_EQ(error.line, 0);
    EXPECT_EQ(error.message, "cannot read the script file");
    EXPECT_FALSE(Script::load(dir.path(), error)) << "a folder is not a script";
}
