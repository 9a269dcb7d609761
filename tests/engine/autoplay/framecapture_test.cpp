#include "engine/autoplay/framecapture.h"

#include "tests/support/gltest.h"
#include "tests/support/tempdir.h"

#include <GL/glew.h>
#include <SDL_image.h>

#include <cstring>
#include <tuple>

using Engine::Autoplay::saveFramePng;

namespace {

void clearRect(int x, int y, int width, int height, float r, float g, float b)
{
    glScissor(x, y, width, height);
    glClearColor(r, g, b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

SDL_Color pixelAt(SDL_Surface* surface, int x, int y)
{
    Uint32 value = 0;
    const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    std::memcpy(&value, row + x * surface->format->BytesPerPixel, surface->format->BytesPerPixel);
    SDL_Color color{};
    SDL_GetRGBA(value, surface->format, &color.r, &color.g, &color.b, &color.a);
    return color;
}

} // namespace

using FrameCaptureTest = TestSupport::GLTest;

TEST_F(FrameCaptureTest, SavesTheBackBufferTopRowFirstAndRestoresReadState)
{
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glEnable(GL_SCISSOR_TEST);
    clearRect(0, 0, TestSupport::kGLWindowWidth, TestSupport::kGLWindowHeight, 0, 0, 1); // blue
    clearRect(0, TestSupport::kGLWindowHeight - 10, 20, 10, 1, 0, 0);                  // red, top left
    glDisable(GL_SCISSOR_TEST);
    glPixelStorei(GL_PACK_ALIGNMENT, 8);

    const TestSupport::TempDir dir;
    const auto file = dir.path() / "frame.png";
    std::string error;
    ASSERT_TRUE(saveFramePng(window, file, error)) << error;
    GLint alignment = 0;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 8);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    SDL_Surface* image = IMG_Load(file.c_str());
    ASSERT_NE(image, nullptr) << IMG_GetError();
    EXPECT_EQ(image->w, TestSupport::kGLWindowWidth);
    EXPECT_EQ(image->h, TestSupport::kGLWindowHeight);
    const SDL_Color topLeft = pixelAt(image, 5, 5);
    const SDL_Color bottomLeft = pixelAt(image, 5, image->h - 5);
    SDL_FreeSurface(image);
    EXPECT_EQ(std::make_tuple(topLeft.r, topLeft.g, topLeft.b, topLeft.a), std::make_tuple(255, 0, 0, 255));
    EXPECT_EQ(std::make_tuple(bottomLeft.r, bottomLeft.g, bottomLeft.b), std::make_tuple(0, 0, 255));

    EXPECT_FALSE(saveFramePng(window, dir.path() / "no/such/folder.png", error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(saveFramePng(nullptr, file, error));
    EXPECT_EQ(error, "there is no window to read");
}
