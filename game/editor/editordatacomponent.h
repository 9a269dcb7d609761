#pragma once
// The editor's whole state, kept on the editor entity: undo history, tool and modes, the handle
// drag in progress, the gizmo, the selection, the blocks being placed and the blocks waiting to be
// selected. The top bar drives `tool`, `pivot` and `orientation` directly.
#include "engine/ecs/component.h"
#include "game/course/course.h"
#include "game/core/typeids.h"
#include "game/editor/blockserials.h"
#include "game/editor/editorhistory.h"
#include "game/editor/editorselectiondata.h"

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

#include <glm/vec2.hpp>

#include <array>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <optional>
#include <set>

namespace Game::EditorTool {
constexpr std::uint32_t translate = 0;
constexpr std::uint32_t rotate = 1;
constexpr std::uint32_t scale = 2;
} // namespace Game::EditorTool

namespace Game::EditorMode {
constexpr std::uint32_t idle = 0;
constexpr std::uint32_t dragging = 1;
constexpr std::uint32_t placing = 2;
constexpr std::uint32_t boxSelecting = 3; // a left drag from empty space draws a selection box
} // namespace Game::EditorMode

namespace Game::EditorOrientation {
constexpr std::uint32_t world = 0;
constexpr std::uint32_t normal = 1;
} // namespace Game::EditorOrientation

namespace Game::EditorPivot {
constexpr std::uint32_t local = 0;  // each block about its own centre
constexpr std::uint32_t global = 1; // about the gizmo's centre
} // namespace Game::EditorPivot

namespace Game::EditorHandle {
constexpr std::int32_t none = 0;
constexpr std::int32_t x = 1;
constexpr std::int32_t y = 2;
constexpr std::int32_t z = 3;
constexpr std::int32_t centre = 4;
} // namespace Game::EditorHandle

namespace Component {

struct EditorDataComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::EditorData;

    // Colours of one gizmo handle.
    struct HandleColour {
        glm::vec3 normal;
        glm::vec3 hover;
        glm::vec3 current;
    };

    Game::EditorHistory history;
    bool ignoreRelease = false; // the next left release is not a click
    std::uint32_t tool = Game::EditorTool::translate;
    bool cameraDrag = false; // the right or middle button steers the camera
    std::uint32_t mode = Game::EditorMode::idle;
    std::uint32_t orientation = Game::EditorOrientation::world;
    std::uint32_t pivot = Game::EditorPivot::global;
    glm::mat4 dragStartMatrix{1.0f}; // the gizmo at the press
    std::int32_t axis = Game::EditorHandle::none;
    float startDistance = 0.0f;              // d0
    glm::mat4 gizmoMatrix{1.0f};
    glm::vec3 gizmoPosition{0.0f};
    glm::quat gizmoRotation{1.0f, 0.0f, 0.0f, 0.0f};
    glm::vec3 gizmoScale{1.0f};
    bool gizmoShown = false; // at least one block is selected
    glm::vec3 startOffset{0.0f};             // O
    std::array<HandleColour, 4> handleColours{{
        {{1.0f, 0.0f, 0.0f}, {1.0f, 0.4f, 0.4f}, {1.0f, 0.0f, 0.0f}},
        {{76.0f / 255.0f, 1.0f, 0.0f}, {160.0f / 255.0f, 1.0f, 119.0f / 255.0f}, {76.0f / 255.0f, 1.0f, 0.0f}},
        {{0.0f, 148.0f / 255.0f, 1.0f}, {79.0f / 255.0f, 181.0f / 255.0f, 1.0f}, {0.0f, 148.0f / 255.0f, 1.0f}},
        {{1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 135.0f / 255.0f}, {1.0f, 1.0f, 1.0f}},
    }};
    glm::vec3 rotationStart{0.0f}; // S
    Game::EditorSelectionData selections;
    std::set<ECS::EntityId> placing; // preview blocks (mode placing)
    // The kind of gate being placed; none while placing blocks.
    std::optional<Game::GateKind> placingGate;
    // Blocks to select at the start of the next tick, by serial.
    std::deque<Game::BlockSerial> pendingSelection;
    // Serial numbers of the blocks that the history and the pending queue name.
    Game::BlockSerials serials;
    // Drags move in steps (G toggles it).
    bool snapping = false;
    // A left press on empty space that may become a selection box, and where it was (window
    // pixels, y up).
    bool boxArmed = false;
    glm::ivec2 boxStart{0};
    // The file the map was last saved to or loaded from; empty for a new map.
    std::filesystem::path mapFile;
};

} // namespace Component
