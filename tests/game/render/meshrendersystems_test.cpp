#include "game/render/defaultmeshrendersystem.h"
#include "game/render/meshcomponent.h"
#include "game/render/selectedentityrendersystem.h"

#include "game/resources/renderresources.h"
#include "game/transform/transformcomponent.h"
#include "tests/support/gameharness.h"

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

using Component::MeshComponent;
using Component::TransformComponent;

namespace {

class MeshRenderSystemsTest : public TestSupport::GameHarness {
protected:
    // A cube five units in front of the menu camera, where it shows in the window's centre.
    ECS::EntityId addCube(uint32_t group)
    {
        ECS::EntityManager& world = game().world();
        const Game::CameraData& camera = game().sceneCamera();
        const glm::vec3 at = camera.eye + 5.0f * glm::normalize(camera.center - camera.eye);
        const ECS::EntityId cube = world.createEntity();
        TransformComponent transform;
        transform.position = at;
        transform.copyToPrevious();
        world.addComponent(cube, transform);
        world.addComponent(cube, MeshComponent(group, game().resources().cube.get(),
                                               game().resources().defaultTexture.get()));
        return cube;
    }
    // Replaces the cube's mesh component with one of another group, as the editor does.
    void setGroup(ECS::EntityId cube, uint32_t group)
    {
        MeshComponent mesh = game().world().getComponent<MeshComponent>(cube);
        mesh.renderGroup = group;
        game().world().removeComponent<MeshComponent>(cube);
        game().world().addComponent(cube, mesh);
    }
    bool inDefaultPass(ECS::EntityId e) { return game().world().getSystem<Game::DefaultMeshRenderSystem>()->isListed(e); }
    bool inSelectionPass(ECS::EntityId e)
    {
        return game().world().getSystem<Game::SelectedEntityRenderSystem>()->isListed(e);
    }
    // The centre pixel of the scene colour and of the surface image after one frame.
    std::pair<Pixel, Pixel> centreAfterFrame()
    {
        frameAfter(0);
        return {readPixels(0, 640, 360, 1, 1)[0], readPixels(1, 640, 360, 1, 1)[0]};
    }
};

} // namespace

TEST_F(MeshRenderSystemsTest, EachGroupHasItsOwnPass)
{
    runUpdates(1);
    const ECS::EntityId cube = addCube(MeshComponent::defaultGroup);
    runUpdates(1);
    ASSERT_TRUE(inDefaultPass(cube));
    EXPECT_FALSE(inSelectionPass(cube));
    const Pixel surface = centreAfterFrame().second;
    EXPECT_EQ(surface, (Pixel{128, 128, 128, 255})) << "an entity marks its surface for the outlines";

    setGroup(cube, 1); // no pass draws group 1
    runUpdates(1);
    EXPECT_FALSE(inDefaultPass(cube));
    EXPECT_FALSE(inSelectionPass(cube));

    setGroup(cube, MeshComponent::selectedGroup);
    runUpdates(1);
    EXPECT_FALSE(inDefaultPass(cube));
    ASSERT_TRUE(inSelectionPass(cube));
}
