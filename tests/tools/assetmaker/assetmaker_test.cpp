#include "engine/gfx/imageloader.h"
#include "engine/gfx/meshfile.h"

#include "tests/support/tempdir.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace Engine::GFX;

using TestSupport::fileBytes;

namespace {

const char* const kGizmoNames[] = {"x_axis_transform", "y_axis_transform", "z_axis_transform",
                                   "x_axis_rotate",    "y_axis_rotate",    "z_axis_rotate",
                                   "x_axis_scale",     "y_axis_scale",     "z_axis_scale",
                                   "center",           "center_sphere"};

// Bounds of the vertices one sub-mesh draws.
void subMeshBounds(const Mesh::MeshFileData& mesh, const Mesh::MeshFileSubMesh& sub, glm::vec3& low, glm::vec3& high)
{
    low = glm::vec3(1e9f);
    high = glm::vec3(-1e9f);
    for (uint32_t i = sub.firstIndex; i < sub.firstIndex + sub.indexCount; ++i) {
        const glm::vec3 p = mesh.positions[mesh.indices[i] + sub.baseVertex];
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
}

class AssetMakerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* bin = std::getenv("TX_BIN_DIR");
        ASSERT_NE(bin, nullptr) << "TX_BIN_DIR names the build's bin folder";
        tool = std::filesystem::path(bin) / "assetmaker";
        folder = std::filesystem::temp_directory_path() / ("tx_assetmaker_" + std::to_string(::getpid()));
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::filesystem::path tool;
    std::filesystem::path folder;
};

} // namespace

TEST_F(AssetMakerTest, GizmoMeshLoadsBackWithElevenGrabbableHandles)
{
    const std::string command = tool.string() + " --mesh-only " + folder.string() + " > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const auto written = folder / "models/axisEditorMesh.cmesh";
    const auto mesh = Mesh::readMeshFile(written);
    ASSERT_TRUE(mesh);
    EXPECT_FALSE(mesh->skinned);
    ASSERT_EQ(mesh->subMeshes.size(), 11u);
    for (size_t i = 0; i < 11; ++i) {
        EXPECT_EQ(mesh->subMeshes[i].name, kGizmoNames[i]);
        EXPECT_GT(mesh->subMeshes[i].indexCount, 0u);
    }

    // Each axis handle reaches well out along its own axis and stays slim across the others;
    // each ring lies across its axis; the centre pieces sit around the origin.
    for (int axis = 0; axis < 3; ++axis) {
        glm::vec3 low;
        glm::vec3 high;
        for (int tool = 0; tool < 3; ++tool) {
            subMeshBounds(*mesh, mesh->subMeshes[tool * 3 + axis], low, high);
            const int other = (axis + 1) % 3;
            if (tool == 1) {
                EXPECT_LT(high[axis] - low[axis], 0.3f) << kGizmoNames[tool * 3 + axis];
                EXPECT_GT(high[other] - low[other], 4.0f) << kGizmoNames[tool * 3 + axis];
            } else {
                EXPECT_GT(high[axis], 2.5f) << kGizmoNames[tool * 3 + axis];
                EXPECT_GT(low[axis], 0.2f) << "clear of the centre: " << kGizmoNames[tool * 3 + axis];
                EXPECT_LT(high[other] - low[other], 0.5f) << kGizmoNames[tool * 3 + axis];
            }
        }
    }
    glm::vec3 low;
    glm::vec3 high;
    subMeshBounds(*mesh, mesh->subMeshes[10], low, high);
    EXPECT_NEAR(high.x, -low.x, 1e-4f);
    EXPECT_GT(high.x, 0.2f);

    // The shipped file is exactly what the tool writes.
    EXPECT_EQ(fileBytes(written), fileBytes("data/models/axisEditorMesh.cmesh"));
}

TEST_F(AssetMakerTest, ShippedImagesAreWhatTheToolPaintsAtTheSizesTheGameDrawsThem)
{
    const std::string command = tool.string() + " " + folder.string() + " > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    struct Expected {
        const char* path;
        uint32_t width;
        uint32_t height;
    };
    const Expected images[] = {
        {"data/textures/grid.png", 256, 256},
        {"data/textures/editor/selection.png", 128, 128},
        {"data/textures/skybox.png", 3072, 2048},
        {"data/textures/default.png", 256, 256},
        {"data/textures/hexagon.png", 512, 512},
        {"data/textures/crosshair.png", 12, 12},
        {"data/textures/ui/testBox.png", 64, 64},
        {"data/textures/ui/whitetexture.png", 4, 4},
        {"data/textures/ui/mouse.png", 24, 24},
        {"data/textures/ui/editor/tool_translate.png", 96, 48},
        {"data/textures/ui/editor/tool_scale.png", 96, 48},
        {"data/textures/ui/editor/tool_rotate.png", 96, 48},
        {"data/textures/ui/path_back.png", 32, 32},
        {"data/textures/ui/directory.png", 32, 32},
        {"data/textures/ui/browser_page_previous.png", 32, 32},
        {"data/textures/ui/browser_page_next.png", 32, 32},
        {"data/textures/icon.png", 256, 256},
    };
    for (const Expected& expected : images) {
        const auto image = loadImage(expected.path);
        ASSERT_TRUE(image) << expected.path;
        EXPECT_EQ(image->width, expected.width) << expected.path;
        EXPECT_EQ(image->height, expected.height) << expected.path;
        const std::string path = expected.path;
        const auto written = loadImage((folder / path.substr(std::string("data/").size())).string());
        ASSERT_TRUE(written) << expected.path;
        EXPECT_TRUE(written->pixels == image->pixels) << expected.path << " decodes to the tool's picture";
    }
    // The pointer's tip is its top-left pixel region (the last rows in memory): opaque there.
    const auto mouse = loadImage("data/textures/ui/mouse.png");
    const size_t tip = (static_cast<size_t>(mouse->height - 3) * mouse->width + 2) * 4;
    EXPECT_GT(mouse->pixels[tip + 3], 200);
    // The white texture is white.
    const auto white = loadImage("data/textures/ui/whitetexture.png");
    for (uint8_t byte : white->pixels)
        EXPECT_EQ(byte, 255);
}
