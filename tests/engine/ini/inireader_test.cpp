#include "engine/ini/inireader.h"

#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

using Engine::IniData;
using Engine::parseIni;

TEST(IniReaderTest, ValuesAreTypedByTheirSpelling)
{
    const IniData data = parseIni("width = 1024\n"
                                  "name = \"A b\"\n"
                                  "empty = \"\"\n"
                                  "quoted = \"x=\n"
                                  "on = true\n"
                                  "off=false\n"
                                  "negative = -3.5\n"
                                  "plus = +5\n"
                                  "point = .5\n"
                                  "lone = -\n");
    ASSERT_TRUE(data.hasSection(""));
    const auto& section = data.getSection("");
    EXPECT_EQ(section.getFloat("width"), 1024.0f);
    EXPECT_EQ(section.getString("name"), "A b");
    EXPECT_EQ(section.getString("empty"), "");
    EXPECT_FALSE(section.hasString("quoted"));
    EXPECT_TRUE(section.getBool("on"));
    EXPECT_FALSE(section.getBool("off"));
    EXPECT_EQ(section.getFloat("negative"), -3.5f);
    EXPECT_EQ(section.getFloat("plus"), 5.0f);
    EXPECT_EQ(section.getFloat("point"), 0.5f);
    EXPECT_EQ(section.getFloat("lone"), 0.0f);
    EXPECT_FALSE(section.hasString("width"));
    EXPECT_FALSE(section.hasBool("width"));
}

TEST(IniReaderTest, UnrecognisedValuesAndLinesAreSkipped)
{
    const IniData data = parseIni("a = 1.2.3\nb = 5e3\nc = yes\nd = 3-5\ne = 3+5\nf = TRUE\n"
                                  "g = 0x10\nh = inf\ni =\n=5\n   \nword\n[unclosed\nkept = 1\n");
    const auto& section = data.getSection("");
    EXPECT_EQ(section.keys, (std::set<std::string>{"kept"}));
    EXPECT_EQ(data.sectionNames, (std::vector<std::string>{""}));
}

TEST(IniReaderTest, SplittingAtEqualsSignsKeepsTheFirstTwoPieces)
{
    const IniData data = parseIni("a==2\nb = 3 = 4\n; width = 5\n  spaced key\t=\t\"  x \"  \n");
    const auto& section = data.getSection("");
    EXPECT_EQ(section.getFloat("a"), 2.0f);
    EXPECT_EQ(section.getFloat("b"), 3.0f);
    EXPECT_EQ(section.getFloat("; width"), 5.0f);
    EXPECT_EQ(section.getString("spaced key"), "  x ");
}

TEST(IniReaderTest, SectionsCollectValuesInFirstUseOrder)
{
    const IniData data = parseIni("[video]\nfullscreen=true\n[empty]\n[audio]\nvolume = 0.5\n"
                                  "[video]\nwidth = 800\n[ spaced ]\nx = 1\n[]\ntop = 2\n");
    EXPECT_EQ(data.sectionNames, (std::vector<std::string>{"video", "audio", " spaced ", ""}));
    EXPECT_FALSE(data.hasSection("empty"));
    EXPECT_FALSE(data.hasSection("Video"));
    EXPECT_TRUE(data.getSection("video").getBool("fullscreen"));
    EXPECT_EQ(data.getSection("video").getFloat("width"), 800.0f);
    EXPECT_EQ(data.getSection("").getFloat("top"), 2.0f);
}

TEST(IniReaderTest, LaterValuesReplaceOnlyTheirOwnType)
{
    const IniData data = parseIni("key = 1\nkey = \"1\"\nkey = 2\n");
    const auto& section = data.getSection("");
    EXPECT_EQ(section.getFloat("key"), 2.0f);
    EXPECT_EQ(section.getString("key"), "1");
    EXPECT_EQ(section.keys.size(), 1u);
}

TEST(IniReaderTest, LoadsCrlfFilesLikeLfTextAndReportsMissingOnes)
{
    const TestSupport::TempDir dir;
    const IniData lf = parseIni("[s]\nname = \"v\"\nn = 4\nb = true\n");
    const IniData crlf = Engine::loadIni(dir.write("config.cfg", "[s]\r\nname = \"v\"\r\nn = 4\r\nb = true\r\n"));
    ASSERT_TRUE(crlf.hasSection("s"));
    EXPECT_EQ(crlf.getSection("s").strings, lf.getSection("s").strings);
    EXPECT_EQ(crlf.getSection("s").floats, lf.getSection("s").floats);
    EXPECT_EQ(crlf.getSection("s").bools, lf.getSection("s").bools);

    testing::internal::CaptureStdout();
    EXPECT_TRUE(Engine::loadIni(dir.path() / "absent.cfg").sections.empty());
    EXPECT_NE(testing::internal::GetCapturedStdout(), "");
}

TEST(IniReaderTest, OneLineIsReadOnItsOwn)
{
    // A value the reader cannot type is still a value line, so callers can name it.
    const Engine::IniLine unusable = Engine::parseIniLine(" key = on ");
    EXPECT_EQ(unusable.kind, Engine::IniLine::Kind::Value);
    EXPECT_EQ(unusable.name, "key");
    EXPECT_EQ(unusable.value, "on");
    EXPECT_EQ(unusable.type, Engine::IniValueType::None);
    EXPECT_EQ(Engine::parseIniLine("[s]").kind, Engine::IniLine::Kind::Section);
    const Engine::IniLine incomplete = Engine::parseIniLine(" key = ");
    EXPECT_EQ(incomplete.kind, Engine::IniLine::Kind::Incomplete);
    EXPECT_EQ(incomplete.name, "key");
    EXPECT_EQ(Engine::parseIniLine("; a comment").kind, Engine::IniLine::Kind::Other);
}

TEST(IniReaderTest, DroppedLinesAreListedWithTheirNumberAndReason)
{
    using Reason = Engine::IniDropReason;
    const IniData plain = parseIni("# r\xe9glages\nvsync = on\n=5\n[s]\n  key =  \nword\nn = 1e5\n");
    ASSERT_EQ(plain.dropped.size(), 4u);
    EXPECT_EQ(plain.dropped[0].number, 2u);
    EXPECT_EQ(plain.dropped[0].reason, Reason::NotAValue);
    EXPECT_EQ(plain.dropped[0].key, "vsync");
    EXPECT_EQ(plain.dropped[0].text, "vsync = on");
    EXPECT_EQ(plain.dropped[1].reason, Reason::Incomplete);
    EXPECT_EQ(plain.dropped[1].key, "");
    EXPECT_EQ(plain.dropped[2].number, 5u);
    EXPECT_EQ(plain.dropped[2].section, "s");
    EXPECT_EQ(plain.dropped[2].key, "key");
    EXPECT_EQ(plain.dropped[2].text, "key =");
    EXPECT_EQ(plain.dropped[3].number, 7u);
    EXPECT_EQ(plain.dropped[3].reason, Reason::NotAValue);

    // Rules: lines that are not UTF-8 go, a header among them still starts its section; a key
    // with a declared type takes no other.
    Engine::IniRules rules;
    rules.utf8Only = true;
    rules.declaredType = [](std::string_view section, std::string_view key) {
        return section.empty() && key == "flag" ? Engine::IniValueType::Bool : Engine::IniValueType::None;
    };
    const IniData strict = parseIni("a = 1\xff\nflag = 1\nflag = true\n[v\xe9]\nflag = 2\n", rules);
    ASSERT_EQ(strict.dropped.size(), 3u);
    EXPECT_EQ(strict.dropped[0].reason, Reason::NotUtf8);
    EXPECT_EQ(strict.dropped[1].reason, Reason::WrongType);
    EXPECT_EQ(strict.dropped[1].number, 2u);
    EXPECT_EQ(strict.dropped[2].reason, Reason::NotUtf8);
    EXPECT_EQ(strict.dropped[2].number, 4u);
    EXPECT_EQ(strict.getSection("").keys, (std::set<std::string>{"flag"}));
    EXPECT_TRUE(strict.getSection("").getBool("flag"));
    EXPECT_EQ(strict.getSection("v\xe9").getFloat("flag"), 2.0f);
}

TEST(IniReaderDeathTest, AskingForAbsentDataIsAProgrammingError)
{
    IniData data = parseIni("n = 1\n");
    EXPECT_DEATH(data.getSection("other"), "hasSection\\(name\\) == true");
    const auto& section = data.getSection("");
    EXPECT_DEATH(section.getString("n"), "hasString\\(key\\) == true");
    EXPECT_DEATH(section.getBool("n"), "hasBool\\(key\\) == true");
    EXPECT_DEATH(section.getFloat("x"), "hasFloat\\(key\\) == true");
}
