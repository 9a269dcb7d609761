#pragma once
// The in-game file browser's data: the settings its caller fills before building it, and the
// component on the browser entity that holds its folder, its listing, the page on show and the
// ids of the elements it owns. Names are kept as UTF-8 (paths convert through u8string/u8path),
// and paths keep the platform's own separator.
#include "engine/ecs/component.h"
#include "game/core/typeids.h"
#include "game/ui/uicomponents.h"

#include <glm/vec2.hpp>
#include <glm/vec4.hpp>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace Engine::GFX {
class Font;
class Texture2D;
} // namespace Engine::GFX

namespace UI {

// How the list shows a file: `name` in place of the file's name (empty: the file's name), then
// `note` after it, such as a best time (empty: nothing).
struct FileLabel {
    std::string name;
    std::string note;
};

// What the browser is for and what its buttons do, filled by the caller before the browser is built.
struct FileBrowserSettings {
    static constexpr uint32_t kOpen = 0; // "OPEN" button, no file name field
    static constexpr uint32_t kSave = 1; // "SAVE" button and a "Filename:" field

    uint32_t mode = kOpen;
    std::function<void()> onConfirm; // the OPEN / SAVE button
    std::function<void()> onCancel;  // the CANCEL button, after the browser is taken down
    // The file name field's typing filter and its Escape and Return actions.
    ::Component::UItextInputComponent::Filter nameFilter;
    std::function<void()> onNameCancel;
    std::function<void()> onNameConfirm;
    // Accepted extensions without the dot, split at `extensionSeparator`; empty lists every file.
    std::string extensions;
    char extensionSeparator = ';';
    std::filesystem::path startFolder;
    std::string fileName; // first text of the file name field (UTF-8)
    // The caller's blocker under the browser; destroyed with it.
    ECS::EntityId blocker = ECS::InvalidEntity;
    // Milliseconds of the game's clock, for telling double clicks; empty: SDL's tick counter.
    std::function<uint32_t()> clock;
    // What the list shows for a file (UTF-8), such as a course's name and best time; empty: the
    // file's name alone.
    std::function<FileLabel(const std::filesystem::path& file)> fileLabel;
};

} // namespace UI

namespace Component {

struct UIfileBrowserComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::UIfileBrowser;

    std::filesystem::path folder; // the folder listed
    std::string selectedName;     // the file chosen by clicking its entry (UTF-8), or empty

    std::function<void()> onConfirm;
    std::function<void()> onCancel;
    ::Component::UItextInputComponent::Filter nameFilter;
    std::function<void()> onNameCancel;
    std::function<void()> onNameConfirm;

    // Fixed elements and the caller's blocker; ECS::InvalidEntity where the mode has none.
    ECS::EntityId confirmButton = ECS::InvalidEntity;
    ECS::EntityId cancelButton = ECS::InvalidEntity;
    ECS::EntityId pathText = ECS::InvalidEntity;
    ECS::EntityId pathBackButton = ECS::InvalidEntity;
    ECS::EntityId nameLabel = ECS::InvalidEntity;
    ECS::EntityId nameField = ECS::InvalidEntity;
    ECS::EntityId blocker = ECS::InvalidEntity;
    // Paging elements, present only while the listing needs more than one page.
    ECS::EntityId pageNext = ECS::InvalidEntity;
    ECS::EntityId pagePrevious = ECS::InvalidEntity;
    ECS::EntityId pageLabel = ECS::InvalidEntity;

    // The fixed elements, made and laid out together (the blocker is the caller's).
    std::array<ECS::EntityId*, 6> fixedElements()
    {
        return {&confirmButton, &cancelButton, &pathText, &pathBackButton, &nameLabel, &nameField};
    }
    std::array<ECS::EntityId*, 3> pagingElements() { return {&pageNext, &pagePrevious, &pageLabel}; }

    uint32_t mode = UI::FileBrowserSettings::kOpen;
    int32_t layer = 6; // every element of the browser
    glm::vec2 margin{16.0f, 16.0f};
    int32_t entryTextOffset = 16;
    int32_t entryHeight = 32;
    int32_t entryGap = 16;
    uint32_t firstIndex = 0; // index of the first entry on the page
    uint32_t entryCount = 0; // folders plus files listed
    uint32_t pageSize = 1;   // entries per page, never 0
    int32_t listTop = 0;     // bottom edge of the first entry
    int32_t listBottom = 0;  // bottom edge of the page's list area
    bool listed = false;     // a listing of `folder` has succeeded once

    const Engine::GFX::Font* font = nullptr;
    const Engine::GFX::Texture2D* backgroundTexture = nullptr;
    const Engine::GFX::Texture2D* folderIcon = nullptr;
    const Engine::GFX::Texture2D* pagePreviousIcon = nullptr;
    const Engine::GFX::Texture2D* pageNextIcon = nullptr;
    std::set<std::string> extensionSet; // lower case, without the dot

    glm::vec4 entryColor{0.35f, 0.35f, 0.35f, 0.5f};
    glm::vec4 textColor{1.0f, 1.0f, 1.0f, 1.0f};
    glm::vec4 hoverColor{0.5f, 0.5f, 0.5f, 0.6f};
    glm::vec4 pressedColor{0.2f, 0.2f, 0.2f, 0.5f};
    glm::vec4 chosenColor{0.0f, 1.0f, 0.0f, 0.5f};
    glm::vec4 chosenHoverColor{0.0f, 1.0f, 0.0f, 0.7f};
    glm::vec4 chosenPressedColor{0.0f, 0.6f, 0.0f, 0.5f};

    // The last click on an entry, for telling a double click: its row on the page (-1: none to
    // pair with), when it came, the name clicked and whether the click entered a folder.
    std::function<uint32_t()> clock;
    std::function<UI::FileLabel(const std::filesystem::path& file)> fileLabel;
    int32_t lastClickRow = -1;
    uint32_t lastClickMs = 0;
    std::string lastClickName;
    bool lastClickEnteredFolder = false;

    std::vector<ECS::EntityId> entries; // the entry elements of the page on show
    // The listing of `folder`: names (UTF-8), folders and files each sorted by name.
    std::vector<std::string> folders;
    std::vector<std::string> files;
};

} // namespace Component

namespace Message {

// Lists a browser's folder again and rebuilds the page on show. With `hasPath` the browser
// moves to the folder `path` (UTF-8) first; a folder that cannot be listed leaves it where it was.
// Sent as {entityID, path, hasPath}; the ECS stamps `entitySerial`, so a message for a browser
// that has closed meanwhile is dropped.
struct UIfileBrowserRefreshMessage {
    static constexpr ECS::MessageType _mType = ECS::MessageId::UIfileBrowserRefresh;

    uint32_t entityID = 0;
    std::string path;
    bool hasPath = false;
    uint32_t entitySerial = 0;
};

} // namespace Message
