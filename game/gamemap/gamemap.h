#pragma once
// The map: a set of blocks ("qubes"), each an entity of the world with a transform, a static box
// collider and a rigid body, drawn together through one combined mesh. GameMap keeps the block
// ids, creates and destroys blocks, builds the mesh and reads and writes .rmap files.
#include "engine/ecs/entitymanager.h"
#include "engine/gfx/meshdata.h"
#include "game/gamemap/faceidallocator.h"
#include "game/gamemap/mapfile.h"
#include "game/gamemap/model3dmap.h"
#include "game/transform/transformcomponent.h"

#include <glm/glm.hpp>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace Game {

// A map file read into block transforms (current and previous state equal, matrix identity).
struct MapLoadResult {
    MapReadStatus status = MapReadStatus::Ok;
    // Empty when the file is a valid map; otherwise one line saying what is wrong.
    std::string problem;
    // The blocks in file order; empty unless the file is a valid map.
    std::vector<Component::TransformComponent> qubes;

    bool ok() const { return status == MapReadStatus::Ok; }
};

// The standard library's rand() as the C standard describes it: results 0 to 32767, the same
// sequence on every run, continuing from call to call.
class MapRandom {
public:
    static constexpr int kMax = 32767;
    int next()
    {
        state = state * 1103515245u + 12345u;
        return int((state / 65536u) % 32768u);
    }

private:
    uint32_t state = 1;
};

class GameMap {
public:
    // Texts of the pop-up that tells the user how saving went.
    static constexpr const char* kSavedText = "Map Saved";
    static constexpr const char* kSaveFailedText = "ERROR:\nUnable to write file.";

    // Entity ids of all blocks, ascending.
    std::set<ECS::EntityId> qubeIDs;
    // The combined mesh of all blocks; absent while the map is empty or not built yet.
    std::unique_ptr<Model3Dmap> mesh;
    // The mesh must be rebuilt; the game controller checks it once per update.
    bool rebuildPending = false;
    // Source of the random maps (generateRandomMap).
    MapRandom random;

    // Creates a block whose transform is decomposed from `m` (previous state = current) and
    // queues its transform, box collider and static rigid body. Answers the new id, or
    // ECS::InvalidEntity with a console line when no entity id is free or `m` has a zero scale.
    // Does not set rebuildPending; callers do.
    ECS::EntityId addQube(ECS::EntityManager& world, const glm::mat4& m);
    // The same with the block's position, scale and rotation taken as they are (no matrix in
    // between, so a loaded block keeps exactly the values of its file).
    ECS::EntityId addQube(ECS::EntityManager& world, const Component::TransformComponent& transform);
    // Destroys the block; the id must be one of qubeIDs (a programming error otherwise).
    void removeQube(ECS::EntityManager& world, ECS::EntityId qubeID);
    // Destroys every block.
    void clear(ECS::EntityManager& world);

    // How many blocks can be created right now: entity ids are scarce (below ECS::EntityIdLimit)
    // and those of destroyed entities come free only at the next refresh.
    static uint32_t freeQubeSlots(const ECS::EntityManager& world);

    // The blocks in ascending id order as a file stores them (current state), as they stand
    // after the coming refresh: a block added or given a new transform in this update is
    // included. A block without a transform is left out and, if `missing` is given and still
    // ECS::InvalidEntity, named there.
    std::vector<QubeRecord> qubeRecords(const ECS::EntityManager& world, ECS::EntityId* missing = nullptr) const;

    // Writes the map to `path`: the console shows "FILEPATH" and the path, then the file is
    // replaced atomically. Never loses the old file; see MapFile::writeFile for the results.
    // Every block goes into the file, or none: a block without a transform refuses the save
    // (MissingQube) and the old file stays as it was.
    // saveMessageText() gives the text the user is shown.
    MapWriteResult save(ECS::EntityManager& world, const std::filesystem::path& path) const;
    static const char* saveMessageText(const MapWriteResult& result)
    {
        return result.ok() ? kSavedText : kSaveFailedText;
    }

    // Reads the map file at `path` (or the bytes of one) into block transforms. A damaged file
    // yields no blocks and a problem line; the map in the world is not touched either way.
    static MapLoadResult load(const std::filesystem::path& path);
    static MapLoadResult load(const Engine::ByteBuffer& bytes);

    // The CPU side of the combined mesh: 36 vertices per block with a TransformComponent, in
    // ascending id order, and one face-ID colour per face from `allocator` (six vertices each).
    struct MeshArrays {
        Engine::GFX::Mesh::MeshData mesh;
        std::vector<glm::vec3> faceIDs;
    };
    MeshArrays buildMeshArrays(ECS::EntityManager& world, FaceIdAllocator& allocator) const;
    // The same into `arrays`, replacing their content but keeping their capacity.
    void fillMeshArrays(ECS::EntityManager& world, FaceIdAllocator& allocator, MeshArrays& arrays) const;

    // Replaces the combined mesh with one built from the current blocks and uploads it; an empty
    // map ends without a mesh. Needs the GL context.
    void rebuildMesh(ECS::EntityManager& world, FaceIdAllocator& allocator);
    // Once per update, after the refresh: when rebuildPending is set, clears it and rebuilds.
    // Answers whether it rebuilt, so any number of changes in one update cost one rebuild.
    bool rebuildMeshIfPending(ECS::EntityManager& world, FaceIdAllocator& allocator);

private:
    // Kept between rebuilds so that rebuilding a map of the same size allocates no new arrays.
    MeshArrays meshScratch;

    ECS::EntityId createQube(ECS::EntityManager& world, const Component::TransformComponent& transform);
};

// Adds 150 random axis-aligned blocks to the map (sizes 1 to 10, centres in [-30, 30] x
// [-30, 30] x [0, 30]). Does not clear the map and does not set rebuildPending. When the blocks
// would not all fit the entity ids, adds none and logs a line. Answers the number added.
uint32_t generateRandomMap(ECS::EntityManager& world, GameMap& map);

} // namespace Game
