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
