#include "game/gamecontroller/glerrors.h"

#include "tests/support/gameharness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace Game;

namespace {

// Everything written to a temporary FILE, as text.
struct CapturedFile {
    std::FILE* file = std::tmpfile();
    ~CapturedFile() { std::fclose(file); }
    std::string text()
    {
        std::fflush(file);
        std::rewind(file);
        std::string out;
        for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
            out.push_back(char(c));
        return out;
    }
};

} // namespace

TEST(GlErrorDrainTest, WritesOneLinePerErrorWithNameFileAndLine)
{
    std::vector<GLenum> errors = {GL_INVALID_ENUM, GL_INVALID_FRAMEBUFFER_OPERATION, 0x0507};
    size_t next = 0;
    CapturedFile out;
    const GlErrorDrain drain =
        drainGlErrors([&] { return next < errors.size() ? errors[next++] : GLenum(GL_NO_ERROR); }, out.file,
                      "game/gamecontroller/gamecontroller.cpp", 423);
    EXPECT_EQ(out.text(), "GL_INVALID_ENUM - game/gamecontroller/gamecontroller.cpp:423\n"
                          "GL_INVALID_FRAMEBUFFER_OPERATION - game/gamecontroller/gamecontroller.cpp:423\n"
                          "GL_ - game/gamecontroller/gamecontroller.cpp:423\n");
    EXPECT_EQ(drain.reported, 3);
    EXPECT_EQ(drain.dropped, 0);
}

TEST(GlErrorDrainTest, ALostContextDoesNotHoldTheUpdateForever)
{
    // A lost context answers every query with an error.
    int reads = 0;
    CapturedFile out;
    const GlErrorDrain drain = drainGlErrors(
        [&] {
            ++reads;
            return GLenum(GL_OUT_OF_MEMORY);
        },
        out.file, "x.cpp", 1);
    EXPECT_EQ(reads, kMaxDrainedGlErrors);
    EXPECT_TRUE(drain.gaveUp);
    EXPECT_EQ(drain.reported, kMaxReportedGlErrors);
    EXPECT_EQ(drain.dropped, kMaxDrainedGlErrors - kMaxReportedGlErrors);
    const std::string text = out.text();
    EXPECT_NE(text.find("GL: " + std::to_string(drain.dropped) + " more errors dropped, stopped reading - x.cpp:1\n"),
              std::string::npos)
        << text;
}

TEST(GlErrorDrainTest, NamesTheSourceFromItsProjectFolder)
{
    EXPECT_EQ(projectRelativePath("/work/wt/a-game/game/gamecontroller/gamecontroller.cpp"),
              "game/gamecontroller/gamecontroller.cpp");
    EXPECT_EQ(projectRelativePath("../game/gamecontroller/gamecontroller.cpp"), "game/gamecontroller/gamecontroller.cpp");
    EXPECT_EQ(projectRelativePath("gamecontroller.cpp"), "gamecontroller.cpp");
}

using GlErrorReportTest = TestSupport::GameHarness;

TEST_F(GlErrorReportTest, AnUpdateReportsTheErrorsOfItsFrame)
{
    glEnable(0xFFFF); // not a capability
    testing::internal::CaptureStderr();
    runUpdates(1);
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(report.rfind("GL_INVALID_ENUM - game/gamecontroller/gamecontroller.cpp:", 0), 0u) << report;
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
