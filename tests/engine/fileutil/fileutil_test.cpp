#include "engine/fileutil/fileutil.h"

#include "tests/support/homeredirect.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using Engine::readLines;
using Engine::readTextFile;
using Lines = std::vector<std::string>;

TEST(FileUtilTest, ReadsLinesAndWholeText)
{
    const TestSupport::TempDir dir;
    const auto lf = dir.write("lf.txt", "a\n\nb\n");
    EXPECT_EQ(readLines(lf), (Lines{"a", "", "b"}));
    EXPECT_EQ(readTextFile(lf), "a\n\nb\n");

    const auto crlf = dir.write("crlf.txt", "a\r\n\r\nb");
    EXPECT_EQ(readLines(crlf), (Lines{"a", "", "b"}));
    EXPECT_EQ(readTextFile(crlf), "a\n\nb\n");

    const auto empty = dir.write("empty.txt", "");
    EXPECT_EQ(readLines(empty), Lines{});
    EXPECT_EQ(readTextFile(empty), "");
    EXPECT_EQ(Engine::splitLines("\n"), Lines{""});
    EXPECT_EQ(Engine::splitLines("x\r\ry"), Lines{"x\r\ry"});
}

TEST(FileUtilTest, LinesAreTakenOneByOneWithTheirEndings)
{
    std::string_view text = "[s]\r\nkey = on\n\n=5\r";
    const std::pair<std::string_view, std::string_view> expected[] = {
        {"[s]", "\r\n"}, {"key = on", "\n"}, {"", "\n"}, {"=5", "\r"}};
    std::string_view line;
    std::string_view ending;
    for (const auto& [wantedLine, wantedEnding] : expected) {
        ASSERT_TRUE(Engine::takeLine(text, line, ending));
        EXPECT_EQ(line, wantedLine);
        EXPECT_EQ(ending, wantedEnding);
    }
    EXPECT_FALSE(Engine::takeLine(text, line, ending));
}

TEST(FileUtilTest, TrimRemovesWhiteSpaceOrTheGivenCharactersAtBothEnds)
{
    EXPECT_EQ(Engine::trim(" \t\v\f a b \r\n"), "a b");
    EXPECT_EQ(Engine::trim("word"), "word");
    EXPECT_EQ(Engine::trim(" \t\r\n"), "");
    EXPECT_EQ(Engine::trim(""), "");
    EXPECT_EQ(Engine::trim("\t x \r", " \t"), "x \r");
}

TEST(FileUtilTest, MissingFilesReadAsEmpty)
{
    const TestSupport::TempDir dir;
    const auto missing = dir.path() / "missing.txt";
    testing::internal::CaptureStdout();
    EXPECT_EQ(readLines(missing), Lines{});
    EXPECT_EQ(readLines(dir.path()), Lines{});
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "MISSING FILE: " + missing.string() + "\nMISSING FILE: " + dir.path().string() + "\n");

    testing::internal::CaptureStdout();
    EXPECT_EQ(readTextFile(missing), "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

namespace {

// Each test finds the user map folder under a temporary home folder.
class UserFolderTest : public ::testing::Test {
protected:
    TestSupport::HomeRedirect redirect;
    const TestSupport::TempDir& dir = redirect.root();
    const std::filesystem::path& home = redirect.home();

    std::filesystem::path found() const
    {
        std::filesystem::path path = "unchanged";
        Engine::getUserMapFolder(path);
        return path;
    }
};

} // namespace

TEST_F(UserFolderTest, DocumentsUnderHomeByDefault)
{
    EXPECT_EQ(found(), home / "Documents" / "Tetherix") << "named before it exists";
    unsetenv("HOME");
    EXPECT_EQ(found(), "unchanged");
}

TEST_F(UserFolderTest, UserDirsFileNamesTheDocumentsFolder)
{
    std::filesystem::create_directories(home / "Papers Folder");
    std::filesystem::create_directories(home / "Documents");
    dir.write("home/.config/user-dirs.dirs", "# written by a desktop\r\n"
                                             "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\r\n"
                                             "XDG_DOCUMENTS_DIR=\"$HOME/Papers Folder\"\r\n");
    EXPECT_EQ(found(), home / "Papers Folder" / "Tetherix");

    // XDG_CONFIG_HOME moves the file; an absolute entry is taken as it stands.
    const auto elsewhere = dir.path() / "elsewhere";
    std::filesystem::create_directories(elsewhere);
    dir.write("config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"" + elsewhere.string() + "\"\n");
    setenv("XDG_CONFIG_HOME", (dir.path() / "config").c_str(), 1);
    EXPECT_EQ(found(), elsewhere / "Tetherix");

    // A relative entry is not valid and falls back to $HOME/Documents.
    dir.write("config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"Papers Folder\"\n");
    EXPECT_EQ(found(), home / "Documents" / "Tetherix");
}

TEST_F(UserFolderTest, PrepareCreatesTheFolderWithItsDocumentsFolderAndReportsFailure)
{
    // A fresh home without a Documents folder: both folders are made, and again is no failure.
    std::filesystem::path path = "unchanged";
    ASSERT_TRUE(Engine::prepareUserMapFolder(path));
    EXPECT_EQ(path, home / "Documents" / "Tetherix");
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_TRUE(Engine::prepareUserMapFolder(path));

    // A user-dirs entry naming a folder that is not there yet is made with its parents.
    dir.write("home/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/My Files/Papers\"\n");
    ASSERT_TRUE(Engine::prepareUserMapFolder(path));
    EXPECT_EQ(path, home / "My Files" / "Papers" / "Tetherix");
    EXPECT_TRUE(std::filesystem::is_directory(path));

    // A file where a folder should be cannot be replaced: the lookup fails, nothing stops.
    dir.write("home/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Blocked/Papers\"\n");
    dir.write("home/Blocked", "not a folder");
    std::filesystem::path blocked = "unchanged";
    testing::internal::CaptureStdout();
    EXPECT_FALSE(Engine::prepareUserMapFolder(blocked));
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Blocked"), std::string::npos);
    EXPECT_EQ(blocked, "unchanged");

    dir.write("home/.config/user-dirs.dirs", "");
    std::filesystem::remove(home / "Documents" / "Tetherix");
    dir.write("home/Documents/Tetherix", "not a folder");
    testing::internal::CaptureStdout();
    EXPECT_FALSE(Engine::prepareUserMapFolder(blocked));
    EXPECT_NE(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(blocked, "unchanged");

    // Without a home folder there is nowhere to look.
    unsetenv("HOME");
    testing::internal::CaptureStdout();
    EXPECT_FALSE(Engine::prepareUserMapFolder(blocked));
    EXPECT_NE(testing::internal::GetCapturedStdout(), "");
}
