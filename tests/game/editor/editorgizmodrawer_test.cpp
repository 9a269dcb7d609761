#include "game/editor/editorgizmodrawer.h"

#include "engine/gfx/fbo.h"
#include "tests/support/gltest.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>

#include <map>
#include <memory>
#include <set>
#include <vector>

using TestSupport::kGLWindowHeight;
using TestSupport::kGLWindowWidth;

namespace {

std::unique_ptr<Game::RenderResources> resources;

class EditorGizmoDrawerTest : public TestSupport::GLTest {
protected:
    static void SetUpTestSuite()
    {
        GLTest::SetUpTestSuite();
        testing::internal::CaptureStdout();
        resources = std::make_unique<Game::RenderResources>(kGLWindowWidth, kGLWindowHeight);
        testing::internal::GetCapturedStdout();
    }
    static void TearDownTestSuite() { resources.reset(); }

    // Draws the handle ids of `data` seen from (4, -6, 3) and answers every id in the image
    // with one pixel of each.
    std::map<std::uint32_t, glm::ivec2> drawnIds(Game::EditorGizmoDrawer& drawer, const Component::EditorDataComponent& data)
    {
        context.viewMatrix = glm::lookAt(glm::vec3(4, -6, 3), glm::vec3(0.0f), glm::vec3(0, 0, 1));
        context.projectionMatrix =
            glm::perspectiveFov(glm::radians(60.0f), float(kGLWindowWidth), float(kGLWindowHeight), 0.1f, 100.0f);
        resources->pickingTarget->bind();
        glViewport(0, 0, kGLWindowWidth, kGLWindowHeight);
        glEnable(GL_DEPTH_TEST);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawer.drawIds(data);
        std::vector<unsigned char> pixels(size_t(kGLWindowWidth) * kGLWindowHeight * 4);
        glReadPixels(0, 0, kGLWindowWidth, kGLWindowHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        Engine::GFX::FBO::bindDefault();
        std::map<std::uint32_t, glm::ivec2> ids;
        for (int y = 0; y < kGLWindowHeight; ++y)
            for (int x = 0; x < kGLWindowWidth; ++x)
                ids.emplace(pixels[(size_t(y) * kGLWindowWidth + x) * 4], glm::ivec2(x, y));
        return ids;
    }

    Engine::GFX::RenderContext context;
};

} // namespace

TEST_F(EditorGizmoDrawerTest, PickingImageHoldsEachHandleOfTheToolAndPickReadsIt)
{
    ASSERT_TRUE(resources->editorAxisMesh);
    Game::EditorGizmoDrawer drawer(context, *resources);
    Component::EditorDataComponent data;
    data.gizmoShown = true;

    const auto translate = drawnIds(drawer, data);
    EXPECT_EQ(translate.size(), 5u); // nothing, x, y, z, centre
    for (const auto& [id, pixel] : translate)
        EXPECT_EQ(drawer.pickHandle(pixel.x, pixel.y), id);

    data.tool = Game::EditorTool::rotate;
    const auto rotate = drawnIds(drawer, data);
    EXPECT_EQ(rotate.count(1), 1u);
    EXPECT_EQ(rotate.count(Game::EditorHandle::centre), 0u);

    data.gizmoShown = false;
    EXPECT_EQ(drawnIds(drawer, data).size(), 1u);
}
