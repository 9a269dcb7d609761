#include "game/filebrowser/filebrowser.h"

#include "game/filebrowser/browserstyle.h"
#include "game/transform/transformcomponent.h"
#include "game/ui/uielements.h"
#include "game/ui/uipalette.h"
#include "game/ui/uitextplacement.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace UI::FileBrowser {

using Component::TransformComponent;
using Component::UIfileBrowserComponent;

namespace {

constexpr glm::vec2 kPageLabelSize{96.0f, 32.0f};
constexpr float kPagePreviousOffset = -44.0f; // from the page label's left edge
constexpr float kPageNextOffset = 108.0f;
constexpr float kFolderTextOffset = 16.0f + 38.0f;
constexpr glm::vec2 kFolderIconOffset{6.0f, 0.0f};
constexpr int32_t kListFromTop = 16 + 32 + 48;  // the first entry's bottom edge below the top
constexpr int32_t kListReserveBottom = 48 + 64; // buttons and file name field under the list

// The text of a file's entry: its label's name (else the file's name) and the label's note.
std::string labelText(const UIfileBrowserComponent& b, const std::string& fileName)
{
    if (!b.fileLabel)
        return fileName;
    const FileLabel label = b.fileLabel(b.folder / std::filesystem::u8path(fileName));
    const std::string& name = label.name.empty() ? fileName : label.name;
    return label.note.empty() ? name : name + "   " + label.note;
}

// The entry for listing index `index` in a browser `left` to `left` + `width` pixels wide.
ECS::EntityId createEntry(ECS::EntityManager& world, ECS::EntityId browser, const UIfileBrowserComponent& b,
                          uint32_t index, float left, float width)
{
    ECS::EntityManager* const wp = &world;
    const size_t folderCount = b.folders.size();
    const int32_t row = static_cast<int32_t>(index - b.firstIndex);
    const float rowHeight = float(b.entryHeight + b.entryGap);
    const glm::vec2 at{left + b.margin.x, static_cast<float>(b.listTop) - float(row) * rowHeight};
    const glm::vec2 size{width - 2.0f * b.margin.x, static_cast<float>(b.entryHeight)};
    const bool isFolder = index < folderCount;
    const std::string name = isFolder ? b.folders[index] : b.files[index - folderCount];
    // In open mode the chosen file keeps its colours when the page is built again.
    const bool chosen = !isFolder && b.mode == FileBrowserSettings::kOpen && name == b.selectedName;
    // Both clicks of a double click count, also when a slow frame delivers them together.
    ButtonStyle style = entryStyle(b, chosen);
    style.countsEveryPress = true;
    const ECS::EntityId entry = createButton(world, b.layer, at, size, style, {},
                                             [wp, browser, row, name, isFolder] {
                                                 clickEntry(*wp, browser, row, name, isFolder);
                                             });
    if (isFolder)
        addSprite(world, entry, b.folderIcon, AlignLeft, AlignCentreY, kFolderIconOffset,
                  static_cast<uint32_t>(b.layer));
    const float textOffset = isFolder ? kFolderTextOffset : float(b.entryTextOffset);
    const std::string shown = isFolder ? name : labelText(b, name);
    addLeftText(world, entry, b, fitText(*b.font, shown, size.x - textOffset - float(b.entryTextOffset), false),
                textOffset, b.textColor);
    return entry;
}

// The page label and the previous and next buttons, when the listing needs more than one page.
void createPaging(ECS::EntityManager& world, ECS::EntityId browser, UIfileBrowserComponent& b, float left,
                  float width)
{
    if (b.entryCount <= b.pageSize)
        return;
    ECS::EntityManager* const wp = &world;
    const uint32_t pages = (b.entryCount - 1) / b.pageSize + 1;
    const uint32_t page = b.firstIndex / b.pageSize + 1;
    const glm::vec2 labelAt{std::trunc(left + width / 2.0f) - kPageLabelSize.x / 2.0f,
                            static_cast<float>(b.listBottom) - kPageLabelSize.y};
    b.pageLabel = createTextElement(world, b.layer, labelAt, kPageLabelSize, b.backgroundTexture, Palette::transparent,
                                    *b.font, b.textColor, std::to_string(page) + " / " + std::to_string(pages),
                                    AlignCentreX, glm::vec2(0.0f));
    if (page >= 2)
        b.pagePrevious = createButton(world, b.layer, labelAt + glm::vec2(kPagePreviousOffset, 0.0f),
                                      kIconButtonSize, iconStyle(b), ButtonFace::iconOnly(b.pagePreviousIcon),
                                      [wp, browser] { previousPage(*wp, browser); });
    if (page < pages)
        b.pageNext = createButton(world, b.layer, labelAt + glm::vec2(kPageNextOffset, 0.0f), kIconButtonSize,
                                  iconStyle(b), ButtonFace::iconOnly(b.pageNextIcon),
                                  [wp, browser] { nextPage(*wp, browser); });
}
} // namespace

void layOutList(UIfileBrowserComponent& b, glm::vec2 position, glm::vec2 size)
{
    b.listTop = static_cast<int32_t>(position.y + size.y) - kListFromTop;
    const int32_t rowHeight = b.entryHeight + b.entryGap;
    const int32_t rows = (b.listTop - static_cast<int32_t>(position.y + kListReserveBottom)) / rowHeight;
    // A small window still shows one entry per page: paging divides by the page size.
    b.pageSize = std::min(static_cast<uint32_t>(std::max(1, rows)), kMaxPageSize);
    b.listBottom = b.listTop - rowHeight * static_cast<int32_t>(b.pageSize);
}

void rebuildPage(ECS::EntityManager& world, ECS::EntityId browser)
{
    UIfileBrowserComponent* found = browserOf(world, browser);
    if (!found || !world.hasComponent<TransformComponent>(browser))
        return;
    UIfileBrowserComponent& b = *found;
    for (const ECS::EntityId entry : b.entries)
        destroyElement(world, entry);
    b.entries.clear();
    for (ECS::EntityId* element : b.pagingElements())
        destroyAndForget(world, *element);

    // Copied: making elements may move the transform records.
    const TransformComponent& window = world.getComponent<TransformComponent>(browser);
    const float left = window.position.x;
    const float width = window.scale.x;
    b.entryCount = static_cast<uint32_t>(b.folders.size() + b.files.size());
    if (b.firstIndex >= b.entryCount)
        b.firstIndex = 0;
    const uint32_t end = std::min(b.entryCount, b.firstIndex + b.pageSize);
    for (uint32_t index = b.firstIndex; index < end; ++index) {
        const ECS::EntityId entry = createEntry(world, browser, b, index, left, width);
        if (entry == ECS::InvalidEntity)
            break;
        b.entries.push_back(entry);
    }
    createPaging(world, browser, b, left, width);
}

} // namespace UI::FileBrowser
