#include "engine/gfx/gltexturefactory.h"

#include "engine/gfx/imageloader.h"
#include "engine/gfx/sampler.h"
#include "tests/engine/gfx/gltesthelpers.h"
#include "tests/support/gltest.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

using namespace Engine::GFX;

namespace {

const char* kSampleFragment = R"(#version 330 core
in vec2 vTexCoord;
uniform sampler2D uTexture;
out vec4 fragColour;
void main() { fragColour = texture(uTexture, vTexCoord); }
)";

// Corner colours of the 3 x 2 test picture as it appears on screen (top row first in the file).
const uint8_t kTopLeft[4] = {255, 0, 0, 255};
const uint8_t kTopRight[4] = {0, 255, 0, 255};
const uint8_t kBottomLeft[4] = {0, 0, 255, 255};
const uint8_t kBottomRight[4] = {255, 255, 0, 128};

class TextureTest : public TestSupport::GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        folder = std::filesystem::temp_directory_path() / ("tx_texture_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // Writes a 3 x 2 PNG through SDL2_image; its middle column is grey.
    std::string writePicture()
    {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 32, SDL_PIXELFORMAT_RGBA32);
        auto* bytes = static_cast<uint8_t*>(surface->pixels);
        const uint8_t grey[4] = {128, 128, 128, 255};
        const uint8_t* rows[2][3] = {{kTopLeft, grey, kTopRight}, {kBottomLeft, grey, kBottomRight}};
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                std::copy(rows[y][x], rows[y][x] + 4, bytes + y * surface->pitch + x * 4);
        const std::string path = (folder / "picture.png").string();
        EXPECT_EQ(IMG_SavePNG(surface, path.c_str()), 0) << IMG_GetError();
        SDL_FreeSurface(surface);
        return path;
    }

    // Draws `texture` over a 6 x 4 target and returns the pixel at (x, y) from the bottom left.
    std::array<uint8_t, 4> sample(const Texture2D& texture, int x, int y)
    {
        std::string log;
        const GLuint program =
            GfxTest::buildProgram(GfxTest::defaultLayoutVertexShader(), kSampleFragment, GfxTest::defaultLayoutAttributes(), log);
        EXPECT_NE(program, 0u) << log;
        const auto quad = GfxTest::clipQuad();
        GfxTest::OffscreenTarget target(6, 4);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        glUseProgram(program);
        glActiveTexture(GL_TEXTURE0);
        texture.bind();
        quad->draw();
        const auto pixel = GfxTest::readPixel(x, y);
        Texture2D::unbind();
        glUseProgram(0);
        glDeleteProgram(program);
        return pixel;
    }

    std::filesystem::path folder;
};

void expectPixel(const std::array<uint8_t, 4>& actual, const uint8_t expected[4], const char* where)
{
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(actual[c], expected[c]) << where << " channel " << c;
}

} // namespace

TEST_F(TextureTest, PngUploadsUprightAndSamplesBack)
{
    const std::string path = writePicture();
    const auto image = loadImage(path);
    ASSERT_TRUE(image);
    // Row 0 in memory is the picture's bottom row.
    EXPECT_EQ(image->pixels[2], kBottomLeft[2]);

    const auto texture = loadTexture(path);
    ASSERT_NE(texture, nullptr);
    expectPixel(sample(*texture, 0, 3), kTopLeft, "top left");
    expectPixel(sample(*texture, 5, 3), kTopRight, "top right");
    expectPixel(sample(*texture, 0, 0), kBottomLeft, "bottom left");
    expectPixel(sample(*texture, 5, 0), kBottomRight, "bottom right (alpha kept)");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureTest, MissingBrokenOrEmptyImageGivesAMagentaCheckerAndNamesTheFile)
{
    const std::string missing = (folder / "nowhere.png").string();
    const std::string broken = (folder / "broken.png").string();
    {
        std::FILE* file = std::fopen(broken.c_str(), "wb");
        std::fputs("\x89PNG not really", file);
        std::fclose(file);
    }
    // A TGA header of 0 x 0 pixels decodes into an empty picture.
    const std::string empty = (folder / "empty.tga").string();
    {
        const unsigned char header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 32, 8};
        std::FILE* file = std::fopen(empty.c_str(), "wb");
        std::fwrite(header, 1, sizeof header, file);
        std::fclose(file);
    }
    for (const std::string& path : {missing, broken, empty}) {
        testing::internal::CaptureStdout();
        const auto texture = loadTexture(path);
        const std::string out = testing::internal::GetCapturedStdout();
        ASSERT_NE(texture, nullptr);
        EXPECT_NE(out.find(path), std::string::npos) << out;
        EXPECT_GT(out.size(), path.size() + 25) << "the line carries the reason: " << out;
        EXPECT_EQ(texture->width, 64u);
        // Over the 6 x 4 target the checker shows both of its colours and nothing else.
        int magenta = 0;
        int black = 0;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x) {
                const auto p = sample(*texture, x, y);
                magenta += p == std::array<uint8_t, 4>{255, 0, 255, 255};
                black += p == std::array<uint8_t, 4>{0, 0, 0, 255};
            }
        EXPECT_GT(magenta, 0);
        EXPECT_GT(black, 0);
        EXPECT_EQ(magenta + black, 24);
    }
    // With mipmaps asked for, the checker gets them instead.
    testing::internal::CaptureStdout();
    const auto mipmapped = loadTexture(empty, TextureSettings{true, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, 0, false});
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(mipmapped->isMipmapped());
    EXPECT_EQ(mipmapped->width, 64u);
}

TEST_F(TextureTest, MipmapsAveragedOnTheCpuAreAtLeastAsTrueAsTheDriversOwn)
{
    const auto image = loadImage("data/textures/hexagon.png");
    ASSERT_TRUE(image);
    const auto byDriver = createTexture(*image);
    byDriver->generateMipmaps();
    const auto byCpu = createTexture(*image, TextureSettings{true, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, 0, false});
    EXPECT_TRUE(byCpu->isMipmapped());

    const auto level = [](const Texture2D& texture, GLint index, GLint& width, GLint& height) {
        texture.bind();
        glGetTexLevelParameteriv(GL_TEXTURE_2D, index, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, index, GL_TEXTURE_HEIGHT, &height);
        std::vector<uint8_t> pixels(size_t(width) * size_t(height) * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, index, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        Texture2D::unbind();
        return pixels;
    };
    // The farthest a level's byte lies from the true mean of the block of the picture it covers.
    const auto worstError = [&image](const std::vector<uint8_t>& pixels, GLint width, GLint height, GLint index) {
        const uint32_t block = 1u << index;
        double worst = 0.0;
        for (uint32_t y = 0; y < uint32_t(height); ++y)
            for (uint32_t x = 0; x < uint32_t(width); ++x)
                for (uint32_t c = 0; c < 4; ++c) {
                    double sum = 0.0;
                    for (uint32_t by = 0; by < block; ++by)
                        for (uint32_t bx = 0; bx < block; ++bx)
                            sum += image->pixels[((y * block + by) * image->width + x * block + bx) * 4 + c];
                    const double error = pixels[(y * uint32_t(width) + x) * 4 + c] - sum / (block * block);
                    worst = std::max(worst, std::abs(error));
                }
        return worst;
    };
    // 512 x 512 down to 1 x 1: nine levels below the picture, each the driver's size. Each level
    // rounds once more than the one above it, so a level may drift from the true mean by a step
    // or two; never farther than the driver's own levels drift (Mesa's round up, level by level).
    for (GLint index = 1; index <= 9; ++index) {
        GLint width = 0;
        GLint height = 0;
        const std::vector<uint8_t> expected = level(*byDriver, index, width, height);
        GLint cpuWidth = 0;
        GLint cpuHeight = 0;
        const std::vector<uint8_t> actual = level(*byCpu, index, cpuWidth, cpuHeight);
        ASSERT_EQ(cpuWidth, 512 >> index);
        ASSERT_EQ(cpuWidth, width);
        ASSERT_EQ(cpuHeight, height);
        const double cpuError = worstError(actual, cpuWidth, cpuHeight, index);
        EXPECT_LE(cpuError, std::max(2.0, worstError(expected, width, height, index))) << "level " << index;
    }

    // An odd-sized picture gets a complete chain too: an incomplete one would sample black.
    const auto picture = loadImage(writePicture());
    ASSERT_TRUE(picture);
    const auto odd = createTexture(*picture, TextureSettings{true, GL_LINEAR_MIPMAP_LINEAR, GL_NEAREST, 0, false});
    expectPixel(sample(*odd, 0, 3), kTopLeft, "top left of the mipmapped 3 x 2 picture");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // Pictures of fewer channels keep their channels in every level (missing ones read 0, alpha 255).
    const struct {
        uint32_t format;
        std::vector<uint8_t> pixel;
        std::vector<uint8_t> rgba;
    } fewer[] = {{Image::kRed, {50}, {50, 0, 0, 255}},
                 {Image::kRG, {50, 60}, {50, 60, 0, 255}},
                 {Image::kRGB, {50, 60, 70}, {50, 60, 70, 255}}};
    for (const auto& picture : fewer) {
        std::vector<uint8_t> pixels;
        for (int i = 0; i < 4; ++i)
            pixels.insert(pixels.end(), picture.pixel.begin(), picture.pixel.end());
        const auto small = createTexture(Image(picture.format, pixels, 2, 2), TextureSettings{true, 0, 0, 0, false});
        GLint width = 0;
        GLint height = 0;
        EXPECT_EQ(level(*small, 1, width, height), picture.rgba) << "format " << picture.format;
        EXPECT_EQ(width, 1);
    }
}

TEST(Anisotropy, OffOnSoftwareRenderersAndTheDriversMaximumElsewhere)
{
    for (const char* software : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "zink (lavapipe)"})
        EXPECT_EQ(chooseAnisotropy(16.0f, software), 0.0f) << software;
    for (const char* hardware : {"AMD Radeon RX 6800 XT (radeonsi, navi21, LLVM 15.0.6, DRM 3.49)",
                                 "Mesa Intel(R) UHD Graphics 620 (KBL GT2)"})
        EXPECT_EQ(chooseAnisotropy(16.0f, hardware), 16.0f) << hardware;
    EXPECT_EQ(chooseAnisotropy(0.0f, "NVIDIA GeForce RTX 3060/PCIe/SSE2"), 0.0f) << "no extension, no filtering";
}

TEST(MinFilter, SoftwareRenderersTakeOneMipmapLevelWhereTwoAreBlended)
{
    for (const char* software : {"llvmpipe (LLVM 15.0.6, 256 bits)", "Software Rasterizer", "SwiftShader Device"}) {
        EXPECT_EQ(chooseMinFilter(GL_LINEAR_MIPMAP_LINEAR, software), GL_LINEAR_MIPMAP_NEAREST) << software;
        EXPECT_EQ(chooseMinFilter(GL_NEAREST_MIPMAP_LINEAR, software), GL_NEAREST_MIPMAP_NEAREST) << software;
    }
    const char* const gpu = "Mesa Intel(R) UHD Graphics 620 (KBL GT2)";
    EXPECT_EQ(chooseMinFilter(GL_LINEAR_MIPMAP_LINEAR, gpu), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(chooseMinFilter(GL_NEAREST_MIPMAP_LINEAR, gpu), GL_NEAREST_MIPMAP_LINEAR);
    for (const int other : {GL_NEAREST, GL_LINEAR, GL_NEAREST_MIPMAP_NEAREST, GL_LINEAR_MIPMAP_NEAREST})
        EXPECT_EQ(chooseMinFilter(other, "llvmpipe (LLVM 15.0.6, 256 bits)"), other) << "one level stays one level";
}

TEST_F(TextureTest, GameTexturesLoadWithTheirOwnParameters)
{
    const auto parameter = [](const Texture2D& texture, GLenum name) {
        texture.bind();
        GLint value = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
        Texture2D::unbind();
        return value;
    };
    testing::internal::CaptureStdout();
    std::vector<std::unique_ptr<Texture2D>> textures;
    for (const GameTexture& entry : gameTextures())
        textures.push_back(loadTexture(entry.path, entry.settings));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "every shipped image loads";

    const Texture2D& sky = *textures[2];
    EXPECT_EQ(sky.width, 3072u);
    EXPECT_EQ(sky.height, 2048u);
    EXPECT_FALSE(sky.isMipmapped());
    EXPECT_EQ(parameter(sky, GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(parameter(sky, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    const Texture2D& surface = *textures[3];
    EXPECT_TRUE(surface.isMipmapped());
    EXPECT_EQ(parameter(surface, GL_TEXTURE_MIN_FILTER), minFilterFor(GL_NEAREST_MIPMAP_LINEAR));
    EXPECT_EQ(parameter(surface, GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(parameter(*textures[4], GL_TEXTURE_MIN_FILTER), minFilterFor(GL_LINEAR_MIPMAP_LINEAR)) << "hexagons";
    const Texture2D& pointer = *textures[8];
    EXPECT_FALSE(pointer.isMipmapped());
    EXPECT_EQ(parameter(pointer, GL_TEXTURE_MIN_FILTER), GL_NEAREST);
    const auto floatParameter = [](const Texture2D& texture, GLenum name) {
        texture.bind();
        GLfloat value = 0.0f;
        glGetTexParameterfv(GL_TEXTURE_2D, name, &value);
        Texture2D::unbind();
        return value;
    };
    // Anisotropic filtering where the driver gives it at a bearable cost, else a sharper mipmap
    // choice; the sky atlas gets neither (filtering must stay inside each of its faces).
    const float anisotropy = anisotropyLevel();
    if (anisotropy > 0.0f) {
        EXPECT_EQ(floatParameter(*textures[4], GL_TEXTURE_MAX_ANISOTROPY_EXT), anisotropy);
        EXPECT_EQ(floatParameter(*textures[4], GL_TEXTURE_LOD_BIAS), 0.0f);
    } else {
        EXPECT_EQ(floatParameter(*textures[4], GL_TEXTURE_LOD_BIAS), kLodBiasWithoutAnisotropy);
        if (maxAnisotropy() > 0.0f) {
            EXPECT_EQ(floatParameter(*textures[4], GL_TEXTURE_MAX_ANISOTROPY_EXT), 1.0f);
        }
    }
    EXPECT_EQ(floatParameter(sky, GL_TEXTURE_LOD_BIAS), 0.0f);
    if (maxAnisotropy() > 0.0f) {
        EXPECT_EQ(floatParameter(sky, GL_TEXTURE_MAX_ANISOTROPY_EXT), 1.0f);
    }

    const Sampler repeat = Sampler::makeRepeatSampler();
    GLfloat samplerBias = 1.0f;
    glGetSamplerParameterfv(repeat.id(), GL_TEXTURE_LOD_BIAS, &samplerBias);
    EXPECT_EQ(samplerBias, anisotropy > 0.0f ? 0.0f : kLodBiasWithoutAnisotropy);
    GLint samplerMinFilter = 0;
    glGetSamplerParameteriv(repeat.id(), GL_TEXTURE_MIN_FILTER, &samplerMinFilter);
    EXPECT_EQ(samplerMinFilter, GL_LINEAR_MIPMAP_LINEAR) << "the floor's grid lines keep both levels";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
