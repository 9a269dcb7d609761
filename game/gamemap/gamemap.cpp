#include "game/gamemap/gamemap.h"

#include "engine/core/assert.h"
#include "engine/core/log.h"
#include "engine/gfx/meshdata.h"
#include "game/physics/physicsbodyinfo.h"
#include "game/physics/physicscomponents.h"

#include <btBulletDynamicsCommon.h>

#include <cmath>

namespace Game {
namespace {

using Component::TransformComponent;

// The block is the unit cube around its origin, scaled, rotated and moved by its transform.
constexpr glm::vec3 kCubeMin{-0.5f};
constexpr glm::vec3 kCubeMax{0.5f};
constexpr glm::vec4 kQubeColour{1.0f};
constexpr int kFacesPerQube = 6;
constexpr int kVerticesPerFace = 6;
constexpr int kVerticesPerQube = kFacesPerQube * kVerticesPerFace;

MapLoadResult toTransforms(const MapReadResult& read)
{
    MapLoadResult result;
    result.status = read.status;
    result.problem = read.problem;
    result.qubes.reserve(read.qubes.size());
    for (const QubeRecord& qube : read.qubes) {
        TransformComponent transform;
        transform.position = qube.position;
        transform.scale = qube.scale;
        transform.rotation = qube.rotation;
        transform.copyToPrevious();
        result.qubes.push_back(transform);
    }
    return result;
}

} // namespace

uint32_t GameMap::freeQubeSlots(const ECS::EntityManager& world)
{
    const uint32_t usableIds = ECS::EntityIdLimit - 1;
    const uint32_t live = world.liveEntityCount();
    return live >= usableIds ? 0 : usableIds - live;
}

ECS::EntityId GameMap::addQube(ECS::EntityManager& world, const glm::mat4& m)
{
    TransformComponent transform;
    if (!transform.setFromMatrixImmediate(m)) {
        Engine::logLine("MAP: a block with a zero scale cannot be placed");
        return ECS::InvalidEntity;
    }
    return createQube(world, transform);
}

ECS::EntityId GameMap::addQube(ECS::EntityManager& world, const TransformComponent& transform)
{
    TransformComponent placed = transform;
    placed.copyToPrevious();
    return createQube(world, placed);
}

ECS::EntityId GameMap::createQube(ECS::EntityManager& world, const TransformComponent& transform)
{
    const ECS::EntityId id = world.createEntity();
    if (id == ECS::InvalidEntity) {
        Engine::logLine("MAP: no entity id is free for another block");
        return ECS::InvalidEntity;
    }
    world.addComponent(id, transform);

    const glm::vec3 halfExtents = glm::abs(transform.scale) * 0.5f;
    world.addComponent(id, Component::PhysicsColliderComponent(
                               new btBoxShape(btVector3(halfExtents.x, halfExtents.y, halfExtents.z))));

    Component::PhysicsRigidBodyComponent body(id, 0.0f, glm::vec3(0.0f));
    body.body->setCollisionFlags(body.body->getCollisionFlags() | btCollisionObject::CF_STATIC_OBJECT);
    body.info->group = GamePhysics::CollisionGroup::block;
    body.info->mask = GamePhysics::CollisionGroup::all;
    body.kind = Component::PhysicsRigidBodyComponent::kindMapBlock;
    world.addComponent(id, std::move(body));

    qubeIDs.insert(id);
    return id;
}

void GameMap::removeQube(ECS::EntityManager& world, ECS::EntityId qubeID)
{
    TX_ASSERT(qubeIDs.find(qubeID) != qubeIDs.end(), "removing a block that is not in the map");
    qubeIDs.erase(qubeID);
    if (world.isAlive(qubeID) && !world.isDestroyPending(qubeID))
        world.destroyEntity(qubeID);
}

void GameMap::clear(ECS::EntityManager& world)
{
    for (const ECS::EntityId id : qubeIDs) {
        if (world.isAlive(id) && !world.isDestroyPending(id))
            world.destroyEntity(id);
    }
    qubeIDs.clear();
}

std::vector<QubeRecord> GameMap::qubeRecords(const ECS::EntityManager& world, ECS::EntityId* missing) const
{
    std::vector<QubeRecord> records;
    records.reserve(qubeIDs.size());
    for (const ECS::EntityId id : qubeIDs) {
        const TransformComponent* transform = world.upcomingComponent<TransformComponent>(id);
        if (!transform) {
            if (missing && *missing == ECS::InvalidEntity)
                *missing = id;
            continue;
        }
        records.push_back(QubeRecord{transform->position, transform->scale, transform->rotation});
    }
    return records;
}

MapWriteResult GameMap::save(ECS::EntityManager& world, const std::filesystem::path& path) const
{
    Engine::logLine("FILEPATH");
    Engine::logLine(path.string());
    ECS::EntityId missing = ECS::InvalidEntity;
    const std::vector<QubeRecord> records = qubeRecords(world, &missing);
    MapWriteResult result;
    if (missing != ECS::InvalidEntity)
        result = {MapWriteStatus::MissingQube, "block entity " + std::to_string(missing) + " has no transform to save"};
    else
        result = MapFile::writeFile(path, records);
    if (!result.ok())
        Engine::logLine("MAP NOT SAVED: " + result.problem);
    return result;
}

MapLoadResult GameMap::load(const std::filesystem::path& path)
{
    MapLoadResult result = toTransforms(MapFile::readFile(path));
    if (!result.ok())
        Engine::logLine("MAP NOT LOADED: " + path.string() + ": " + result.problem);
    return result;
}

MapLoadResult GameMap::load(const Engine::ByteBuffer& bytes)
{
    return toTransforms(MapFile::read(bytes));
}

GameMap::MeshArrays GameMap::buildMeshArrays(ECS::EntityManager& world, FaceIdAllocator& allocator) const
{
    MeshArrays arrays;
    fillMeshArrays(world, allocator, arrays);
    return arrays;
}

void GameMap::fillMeshArrays(ECS::EntityManager& world, FaceIdAllocator& allocator, MeshArrays& arrays) const
{
    arrays.mesh.clear();
    arrays.faceIDs.clear();
    const size_t vertices = qubeIDs.size() * kVerticesPerQube;
    arrays.mesh.positions.reserve(vertices);
    arrays.mesh.normals.reserve(vertices);
    arrays.mesh.colours.reserve(vertices);
    arrays.mesh.texCoords.reserve(vertices);
    arrays.faceIDs.reserve(vertices);
    for (const ECS::EntityId id : qubeIDs) {
        if (!world.hasComponent<TransformComponent>(id))
            continue;
        const TransformComponent& transform = world.getComponent<TransformComponent>(id);
        // The texture repeats once per world unit whatever the block's size.
        Engine::GFX::Mesh::addTransformedBox(arrays.mesh, transform.currentMatrix(), kCubeMin, kCubeMax, kQubeColour,
                                             transform.scale);
        for (int face = 0; face < kFacesPerQube; ++face)
            arrays.faceIDs.insert(arrays.faceIDs.end(), kVerticesPerFace, allocator.nextColour());
    }
}

void GameMap::rebuildMesh(ECS::EntityManager& world, FaceIdAllocator& allocator)
{
    mesh.reset();
    if (qubeIDs.empty())
        return;
    fillMeshArrays(world, allocator, meshScratch);
    if (meshScratch.mesh.vertexCount() == 0)
        return;
    auto built = std::make_unique<Model3Dmap>();
    built->setMeshData(meshScratch.mesh);
    built->setFaceIDColours(meshScratch.faceIDs);
    built->upload();
    mesh = std::move(built);
}

bool GameMap::rebuildMeshIfPending(ECS::EntityManager& world, FaceIdAllocator& allocator)
{
    if (!rebuildPending)
        return false;
    rebuildPending = false;
    rebuildMesh(world, allocator);
    return true;
}

} // namespace Game
