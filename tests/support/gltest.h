#pragma once
// The one fixture for tests that need OpenGL: a hidden SDL window with a 3.3 core context,
// opened once per test process and kept current until the process exits.
#include <gtest/gtest.h>

namespace TestSupport {

class GLTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
};

// Width and height of the hidden window's default framebuffer.
constexpr int kGLWindowWidth = 640;
constexpr int kGLWindowHeight = 480;

} // namespace TestSupport
