#include "game/gamemap/gamemap.h"

#include "engine/fileutil/fileutil.h"
#include "tests/game/gamemap/maptestworld.h"
#include "tests/support/gltest.h"
#include "tests/support/tempdir.h"

#include <btBulletDynamicsCommon.h>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <cmath>

using Component::TransformComponent;
using MapTest::transformOf;

using TestSupport::fileBytes;

namespace {

bool sameOrientation(const glm::quat& a, const glm::quat& b)
{
    return std::fabs(glm::dot(a, b)) > 1.0f - 1e-5f;
}

} // namespace

TEST(GameMap, AddQubeMakesAStaticBoxBlock)
{
    MapTest::World world;
    const glm::mat4 m = glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(1, 2, 3)), glm::vec3(2, 4, 6));
    const ECS::EntityId id = world.map.addQube(world.ecs, m);
    ASSERT_NE(id, ECS::InvalidEntity);
    EXPECT_FALSE(world.map.rebuildPending);
    world.ecs.refresh();

    const TransformComponent& t = world.transform(id);
    EXPECT_EQ(t.position, glm::vec3(1, 2, 3));
    EXPECT_EQ(t.previousPosition, t.position) << "a new block does not sweep in from the origin";

    const auto& collider = world.ecs.getComponent<Component::PhysicsColliderComponent>(id);
    const auto* box = dynamic_cast<const btBoxShape*>(collider.shape.get());
    ASSERT_NE(box, nullptr);
    const btVector3 half = box->getHalfExtentsWithMargin();
    EXPECT_FLOAT_EQ(half.x(), 1.0f);
    EXPECT_FLOAT_EQ(half.y(), 2.0f);
    EXPECT_FLOAT_EQ(half.z(), 3.0f);

    const auto& body = world.ecs.getComponent<Component::PhysicsRigidBodyComponent>(id);
    EXPECT_TRUE(body.body->getCollisionFlags() & btCollisionObject::CF_STATIC_OBJECT);
    EXPECT_EQ(body.info->entityID, id);
    EXPECT_TRUE(world.physics.contains(body.body.get()));
}

TEST(GameMap, BlocksFedTheirOwnMatrixKeepTheirRotation)
{
    // Every orientation, including half turns where matrix decompositions switch formulas,
    // must come back as itself (up to sign), or loading and editing would flip blocks.
    MapTest::World world;
    std::vector<std::pair<TransformComponent, ECS::EntityId>> placed;
    const glm::vec3 axes[] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {1, -2, 3}, {-1, 1, 1}};
    const float angles[] = {0.0f, 0.3f, 1.5707964f, 2.5f, 3.1f, 3.1415927f, 4.0f, 6.2f};
    for (const glm::vec3& axis : axes) {
        for (float angle : angles) {
            const TransformComponent t
                = transformOf({angle, -axis.y, 5}, {1.5f, 2.25f, 9}, glm::angleAxis(angle, glm::normalize(axis)));
            placed.emplace_back(t, world.map.addQube(world.ecs, t.currentMatrix()));
        }
    }
    world.ecs.refresh();
    for (const auto& [original, id] : placed) {
        TransformComponent fed = original;
        ASSERT_TRUE(fed.setFromMatrix(original.currentMatrix()));
        const TransformComponent& block = world.transform(id);
        for (const TransformComponent* t : {static_cast<const TransformComponent*>(&fed), &block}) {
            EXPECT_TRUE(sameOrientation(t->rotation, original.rotation))
                << "angle " << 2.0f * std::acos(std::fabs(original.rotation.w));
            EXPECT_NEAR(glm::distance(t->position, original.position), 0.0f, 1e-5f);
            EXPECT_NEAR(glm::distance(t->scale, original.scale), 0.0f, 1e-4f);
        }
    }
}

TEST(GameMap, RemoveAndClearDestroyBlocksAndTheirBodies)
{
    MapTest::World world;
    std::vector<ECS::EntityId> ids;
    for (int i = 0; i < 4; ++i)
        ids.push_back(world.map.addQube(world.ecs, glm::translate(glm::mat4(1.0f), glm::vec3(float(i), 0, 0))));
    world.ecs.refresh();
    EXPECT_EQ(std::vector<ECS::EntityId>(world.map.qubeIDs.begin(), world.map.qubeIDs.end()), ids);

    world.map.removeQube(world.ecs, ids[1]);
    world.ecs.refresh();
    EXPECT_FALSE(world.ecs.isAlive(ids[1]));
    EXPECT_EQ(world.map.qubeIDs.size(), 3u);
    EXPECT_EQ(world.physics.dynamicsWorld().getNumCollisionObjects(), 3);

    world.map.clear(world.ecs);
    world.ecs.refresh();
    EXPECT_TRUE(world.map.qubeIDs.empty());
    EXPECT_EQ(world.physics.dynamicsWorld().getNumCollisionObjects(), 0);
    EXPECT_EQ(world.ecs.liveEntityCount(), 1u) << "only the editor entity is left";
}

TEST(GameMap, RunningOutOfEntityIdsFailsCleanly)
{
    MapTest::World world;
    while (Game::GameMap::freeQubeSlots(world.ecs) > 0)
        world.ecs.createEntity();
    EXPECT_EQ(world.map.addQube(world.ecs, glm::mat4(1.0f)), ECS::InvalidEntity);
    EXPECT_TRUE(world.map.qubeIDs.empty());
    EXPECT_EQ(Game::generateRandomMap(world.ecs, world.map), 0u);
    EXPECT_EQ(world.map.addQube(world.ecs, glm::scale(glm::mat4(1.0f), glm::vec3(0.0f))), ECS::InvalidEntity);
}

TEST(GameMap, SaveAndLoadThroughTheWorldChangeNoByte)
{
    TestSupport::TempDir dir;
    MapTest::World world;
    for (int i = 0; i < 40; ++i) {
        const float f = float(i);
        world.map.addQube(world.ecs, transformOf({f * 1.37f - 20.0f, 20.47f, f * 0.33f}, {1.0f + f * 0.11f, 3, 0.29f},
                                                  glm::angleAxis(f * 0.4f, glm::normalize(glm::vec3(1, f, -2)))));
    }
    world.ecs.refresh();
    const auto first = dir.path() / "first.rmap";
    const Game::MapWriteResult saved = world.map.save(world.ecs, first);
    ASSERT_TRUE(saved.ok()) << saved.problem;
    EXPECT_STREQ(Game::GameMap::saveMessageText(saved), "Map Saved");

    Game::MapLoadResult loaded = Game::GameMap::load(first);
    ASSERT_TRUE(loaded.ok()) << loaded.problem;
    ASSERT_EQ(loaded.qubes.size(), 40u);
    world.ecs.sendMessage(Message::LoadMapMessage{loaded.qubes});
    world.update();
    world.update();
    ASSERT_EQ(world.map.qubeIDs.size(), 40u);

    const auto second = dir.path() / "second.rmap";
    ASSERT_TRUE(world.map.save(world.ecs, second).ok());
    EXPECT_EQ(fileBytes(second), fileBytes(first));
}

TEST(GameMap, SaveRightAfterAnEditHoldsEveryBlockOrNothing)
{
    TestSupport::TempDir dir;
    MapTest::World world;
    world.map.addQube(world.ecs, transformOf({1, 0, 0}, {1, 1, 1}, {1, 0, 0, 0}));
    world.ecs.refresh();
    // Added (and set up) in this update, saved before the refresh.
    const ECS::EntityId added = world.map.addQube(world.ecs, transformOf({2, 0, 0}, {1, 1, 1}, {1, 0, 0, 0}));
    const auto path = dir.path() / "edited.rmap";
    ASSERT_TRUE(world.map.save(world.ecs, path).ok());
    Game::MapLoadResult loaded = Game::GameMap::load(path);
    ASSERT_EQ(loaded.qubes.size(), 2u);
    EXPECT_EQ(loaded.qubes[1].position.x, 2.0f);

    // A block without a transform to save refuses the save and keeps the old file.
    world.ecs.refresh();
    world.ecs.removeComponent<TransformComponent>(added);
    world.ecs.refresh();
    const std::string before = fileBytes(path);
    const Game::MapWriteResult refused = world.map.save(world.ecs, path);
    EXPECT_FALSE(refused.ok());
    EXPECT_STREQ(Game::GameMap::saveMessageText(refused), "ERROR:\nUnable to write file.");
    EXPECT_EQ(fileBytes(path), before);
}

TEST(GameMap, SaveFailuresAreReportedAndDamagedFilesLoadNothing)
{
    TestSupport::TempDir dir;
    MapTest::World world;
    world.map.addQube(world.ecs, glm::mat4(1.0f));
    world.ecs.refresh();
    dir.write("folder/inside", "x");
    EXPECT_STREQ(Game::GameMap::saveMessageText(world.map.save(world.ecs, dir.path() / "folder")),
                 "ERROR:\nUnable to write file.");
    world.transform(*world.map.qubeIDs.begin()).position.x = INFINITY;
    EXPECT_FALSE(world.map.save(world.ecs, dir.path() / "nan.rmap").ok());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "nan.rmap"));
    EXPECT_TRUE(Game::GameMap::load(dir.write("bad.rmap", "\x04rmap")).qubes.empty());
}

TEST(GameMap, CombinedMeshOfThreeBlocks)
{
    MapTest::World world;
    const ECS::EntityId a = world.map.addQube(world.ecs, transformOf({0, 0, 0}, {1, 1, 1}, {1, 0, 0, 0}));
    const ECS::EntityId b = world.map.addQube(world.ecs, transformOf({10, 0, 2}, {2, 3, 4}, {1, 0, 0, 0}));
    const ECS::EntityId c = world.map.addQube(
        world.ecs, transformOf({0, 5, 0}, {1, 1, 1}, glm::angleAxis(1.5707964f, glm::vec3(0, 0, 1))));
    world.ecs.refresh();
    ASSERT_TRUE(a < b && b < c);

    Game::FaceIdAllocator allocator;
    allocator.counter = {254, 0, 1}; // so the counter carries from red into green on the way
    allocator.returned = {{9, 9, 9}};
    const Game::GameMap::MeshArrays arrays = world.map.buildMeshArrays(world.ecs, allocator);
    ASSERT_EQ(arrays.mesh.vertexCount(), 108u);
    ASSERT_EQ(arrays.faceIDs.size(), 108u);
    // Block b's top face at z = 2 + 4 / 2; block c is turned a quarter about z, so its +x face
    // (the last) now faces +y, near y = 5.5.
    for (size_t v = 36; v < 42; ++v)
        EXPECT_FLOAT_EQ(arrays.mesh.positions[v].z, 4.0f);
    for (size_t v = 72 + 30; v < 108; ++v)
        EXPECT_NEAR(arrays.mesh.positions[v].y, 5.5f, 1e-5f);

    // One colour per face, six vertices each: the returned colour first, then the counter.
    const auto expected = [](int r, int g, int bl) { return glm::vec3(r, g, bl) / 255.0f; };
    EXPECT_EQ(arrays.faceIDs[0], expected(9, 9, 9));
    EXPECT_EQ(arrays.faceIDs[5], expected(9, 9, 9));
    EXPECT_EQ(arrays.faceIDs[6], expected(254, 0, 1));
    EXPECT_EQ(arrays.faceIDs[12], expected(255, 0, 1));
    EXPECT_EQ(arrays.faceIDs[18], expected(0, 1, 1));
    EXPECT_EQ(arrays.faceIDs[107], expected(14, 1, 1));
    // A later rebuild never repeats a colour.
    const Game::GameMap::MeshArrays again = world.map.buildMeshArrays(world.ecs, allocator);
    EXPECT_EQ(again.faceIDs[0], expected(15, 1, 1));
}

class GameMapGL : public TestSupport::GLTest {};

TEST_F(GameMapGL, RebuildUploadsOneMeshAndAnEmptyMapHasNone)
{
    MapTest::World world;
    Game::FaceIdAllocator allocator;
    world.map.addQube(world.ecs, glm::mat4(1.0f));
    world.map.addQube(world.ecs, glm::translate(glm::mat4(1.0f), glm::vec3(3, 0, 0)));
    world.ecs.refresh();
    EXPECT_FALSE(world.map.rebuildMeshIfPending(world.ecs, allocator));
    EXPECT_EQ(world.map.mesh, nullptr);

    world.map.rebuildPending = true;
    EXPECT_TRUE(world.map.rebuildMeshIfPending(world.ecs, allocator));
    EXPECT_FALSE(world.map.rebuildPending);
    ASSERT_NE(world.map.mesh, nullptr);
    EXPECT_TRUE(world.map.mesh->isUploaded());
    EXPECT_EQ(world.map.mesh->vertexCount(), 72u);

    world.map.clear(world.ecs);
    world.map.rebuildMesh(world.ecs, allocator);
    EXPECT_EQ(world.map.mesh, nullptr);
}
