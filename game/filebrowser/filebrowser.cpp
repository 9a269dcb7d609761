#include "game/filebrowser/filebrowser.h"

#include "engine/fileutil/fileutil.h"
#include "engine/gfx/font.h"
#include "engine/gfx/textlayout.h"
#include "game/filebrowser/uifilebrowserrefreshmessagesystem.h"
#include "game/filebrowser/uifilebrowsersystem.h"
#include "game/resources/renderresources.h"
#include "game/transform/transformcomponent.h"
#include "game/ui/uielements.h"
#include "game/ui/uipalette.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace UI {

using Component::TransformComponent;
using Component::UIBackgroundComponent;
using Component::UIclickableComponent;
using Component::UIfileBrowserComponent;
using Component::UItextComponent;

namespace {

// Geometry of the browser, in pixels.
constexpr float kPathRowFromTop = 48.0f;    // the path line's bottom edge below the top
constexpr int32_t kListFromTop = 16 + 32 + 48; // the first entry's bottom edge below the top
constexpr int32_t kListReserveBottom = 48 + 64; // buttons and file name field under the list
constexpr glm::vec2 kButtonSize{128.0f, 32.0f};
constexpr glm::vec2 kIconButtonSize{32.0f, 32.0f};
constexpr glm::vec2 kPageLabelSize{96.0f, 32.0f};
constexpr float kPagePreviousOffset = -44.0f; // from the page label's left edge
constexpr float kPageNextOffset = 108.0f;
constexpr float kFolderTextOffset = 16.0f + 38.0f;
constexpr glm::vec2 kFolderIconOffset{6.0f, 0.0f};
constexpr float kNameFieldPadding = 12.0f;

constexpr glm::vec4 kDisabledColor{0.2f, 0.2f, 0.2f, 0.5f};
constexpr glm::vec4 kDisabledTextColor{0.35f, 0.35f, 0.35f, 0.5f};

UIfileBrowserComponent* browserOf(ECS::EntityManager& world, ECS::EntityId browser)
{
    if (!world.hasComponent<UIfileBrowserComponent>(browser) || world.isDestroyPending(browser))
        return nullptr;
    return &world.getComponent<UIfileBrowserComponent>(browser);
}

void destroyAndForget(ECS::EntityManager& world, ECS::EntityId& element)
{
    destroyElement(world, element);
    element = ECS::InvalidEntity;
}

float textWidth(const Engine::GFX::Font& font, std::string_view text)
{
    return static_cast<float>(Engine::GFX::layoutText(font, Engine::GFX::utf8ToUtf16(text)).width);
}

// `text` as it fits into `maxWidth` pixels in `font`: whole when it fits, else shortened with
// "..." at the front (`keepEnd`: a deep folder's path keeps the part that tells where the user
// is) or at the back (a long file name keeps its beginning).
std::string fitText(const Engine::GFX::Font& font, const std::string& text, float maxWidth, bool keepEnd)
{
    if (textWidth(font, text) <= maxWidth)
        return text;
    std::vector<size_t> starts; // byte offsets where UTF-8 characters begin
    for (size_t at = 0; at < text.size(); ++at) {
        if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80)
            starts.push_back(at);
    }
    const auto shortened = [&](size_t cut) {
        // Characters cut away: `cut` from the front, or all but `cut` kept from the back.
        return keepEnd ? "..." + text.substr(starts[cut]) : text.substr(0, starts[starts.size() - cut]) + "...";
    };
    // The fewest characters cut that make it fit, found by halving.
    size_t low = 1;
    size_t high = starts.size();
    while (low < high) {
        const size_t cut = (low + high) / 2;
        if (textWidth(font, shortened(cut)) <= maxWidth)
            high = cut;
        else
            low = cut + 1;
    }
    return low < starts.size() ? shortened(low) : std::string("...");
}

ECS::EntityId createButton(ECS::EntityManager& world, const UIfileBrowserComponent& b, glm::vec2 position,
                           glm::vec2 size, glm::vec4 color, std::function<void()> action, glm::vec4 hover,
                           glm::vec4 pressed)
{
    const ECS::EntityId button = createBackground(world, b.layer, position, size, b.backgroundTexture, color);
    addClickable(world, button, b.layer, std::move(action), b.backgroundTexture, b.backgroundTexture, hover, pressed);
    return button;
}

void addLeftText(ECS::EntityManager& world, ECS::EntityId element, const UIfileBrowserComponent& b,
                 const std::string& text, float offset, glm::vec4 color)
{
    if (element == ECS::InvalidEntity)
        return;
    UItextComponent label(static_cast<uint32_t>(b.layer), text, *b.font, color, AlignLeft, glm::vec2(offset, 0.0f));
    label.clipToBox = true;
    label.clipPadding = glm::vec2(4.0f, 0.0f);
    world.addComponent(element, std::move(label));
}

// Gives an entry the normal or the chosen colours.
void paintEntry(ECS::EntityManager& world, const UIfileBrowserComponent& b, ECS::EntityId entry, bool chosen)
{
    if (!world.hasComponent<UIclickableComponent>(entry) || !world.hasComponent<UIBackgroundComponent>(entry))
        return;
    world.getComponent<UIBackgroundComponent>(entry).color = chosen ? b.chosenColor : b.entryColor;
    UIclickableComponent& clickable = world.getComponent<UIclickableComponent>(entry);
    clickable.hoverColor = chosen ? b.chosenHoverColor : b.hoverColor;
    clickable.pressedColor = chosen ? b.chosenPressedColor : b.pressedColor;
}

// The confirm button's look and action for `enabled`, on the components given.
void styleConfirm(glm::vec4& backgroundColor, UIclickableComponent& clickable, UItextComponent* text, bool enabled,
                  ECS::EntityManager& world, ECS::EntityId browser)
{
    const UIfileBrowserComponent defaults;
    backgroundColor = enabled ? defaults.chosenColor : kDisabledColor;
    clickable.hoverColor = enabled ? defaults.chosenHoverColor : kDisabledColor;
    clickable.pressedColor = enabled ? defaults.chosenPressedColor : kDisabledColor;
    if (text)
        text->color = enabled ? defaults.textColor : kDisabledTextColor;
    clickable.callback = nullptr;
    if (enabled) {
        ECS::EntityManager* w = &world;
        clickable.callback = [w, browser] {
            const UIfileBrowserComponent* b = browserOf(*w, browser);
            if (!b || !b->onConfirm)
                return;
            const std::function<void()> confirm = b->onConfirm; // the action may close the browser
            confirm();
        };
    }
}

void clearChoice(ECS::EntityManager& world, ECS::EntityId browser, UIfileBrowserComponent& b)
{
    b.selectedName.clear();
    for (const ECS::EntityId entry : b.entries)
        paintEntry(world, b, entry, false);
    if (b.mode == FileBrowserSettings::kOpen)
        FileBrowser::setConfirmEnabled(world, browser, false);
}

void postRefresh(ECS::EntityManager& world, ECS::EntityId browser, const std::filesystem::path* folder)
{
    Message::UIfileBrowserRefreshMessage message;
    message.entityID = browser;
    message.hasPath = folder != nullptr;
    if (folder)
        message.path = folder->u8string();
    world.sendMessage(std::move(message));
}

// The fixed elements of a browser at (x, y), w x h, into `b`.
void createFixedElements(ECS::EntityManager& world, ECS::EntityId browser, UIfileBrowserComponent& b,
                         const Game::RenderResources& resources, glm::vec2 position, glm::vec2 size,
                         const std::string& fileName, bool confirmEnabled)
{
    const float x = position.x;
    const float y = position.y;
    const float w = size.x;
    const float h = size.y;
    ECS::EntityManager* const wp = &world;

    b.pathBackButton = createButton(world, b, {x + b.margin.x, y + h - kPathRowFromTop}, kIconButtonSize,
                                    Palette::transparent, [wp, browser] { FileBrowser::goToParent(*wp, browser); },
                                    Palette::hoverTint, Palette::pressedTint);
    addSprite(world, b.pathBackButton, resources.pathBackTexture.get(), AlignCentreX, AlignCentreY, glm::vec2(0.0f),
              static_cast<uint32_t>(b.layer));

    const glm::vec2 pathSize{w - 80.0f, 32.0f};
    b.pathText = createBackground(world, b.layer, {x + 64.0f, y + h - kPathRowFromTop}, pathSize,
                                  b.backgroundTexture, b.entryColor);
    addLeftText(world, b.pathText, b,
                fitText(*b.font, b.folder.u8string(), pathSize.x - 2.0f * b.entryTextOffset, true),
                static_cast<float>(b.entryTextOffset), b.textColor);

    const bool saving = b.mode == FileBrowserSettings::kSave;
    glm::vec4 confirmColor = kDisabledColor;
    UIclickableComponent clickable(b.layer, nullptr, b.backgroundTexture, b.backgroundTexture);
    clickable.useStateColors = true;
    UItextComponent text(static_cast<uint32_t>(b.layer), saving ? "SAVE" : "OPEN", *b.font, b.textColor, AlignCentreX,
                         glm::vec2(0.0f));
    styleConfirm(confirmColor, clickable, &text, confirmEnabled, world, browser);
    b.confirmButton = createBackground(world, b.layer, {x + w - 144.0f, y + b.margin.y}, kButtonSize,
                                       b.backgroundTexture, confirmColor);
    if (b.confirmButton != ECS::InvalidEntity) {
        world.addComponent(b.confirmButton, std::move(clickable));
        world.addComponent(b.confirmButton, std::move(text));
    }

    b.cancelButton = createButton(world, b, {x + w - 288.0f, y + b.margin.y}, kButtonSize, b.entryColor,
                                  [wp, browser] { FileBrowser::cancel(*wp, browser); }, b.hoverColor, b.pressedColor);
    addText(world, b.cancelButton, static_cast<uint32_t>(b.layer), *b.font, "CANCEL", b.textColor);

    if (!saving)
        return;
    b.nameLabel =
        createTextElement(world, b.layer, {x, y + 64.0f}, kButtonSize, b.backgroundTexture, Palette::transparent,
                          *b.font, b.textColor, "Filename:", AlignCentreX, glm::vec2(0.0f));
    b.nameField = createButton(
        world, b, {x + 128.0f, y + 64.0f}, {w - 144.0f, 32.0f}, b.entryColor,
        [wp, browser] {
            const UIfileBrowserComponent* found = browserOf(*wp, browser);
            if (!found)
                return;
            // SAVE follows the field: enabled while it holds a name, as it is typed and after
            // Return or Escape (which puts the text back).
            const auto followName = [wp, browser] {
                FileBrowser::setConfirmEnabled(*wp, browser, !FileBrowser::nameFieldText(*wp, browser).empty());
            };
            const auto afterEdit = [wp, browser, followName](bool confirmed) {
                return [wp, browser, confirmed, followName] {
                    const UIfileBrowserComponent* open = browserOf(*wp, browser);
                    if (!open)
                        return;
                    const std::function<void()> action = confirmed ? open->onNameConfirm : open->onNameCancel;
                    if (action)
                        action();
                    followName();
                };
            };
            beginTextInput(*wp, found->nameField, found->nameFilter, afterEdit(false), afterEdit(true), followName);
        },
        b.hoverColor, b.pressedColor);
    if (b.nameField != ECS::InvalidEntity) {
        UItextComponent text(static_cast<uint32_t>(b.layer), fileName, *b.font, b.textColor, AlignLeft,
                             glm::vec2(kNameFieldPadding, 0.0f));
        text.clipToBox = true;
        text.clipPadding = glm::vec2(kNameFieldPadding, 0.0f);
        world.addComponent(b.nameField, std::move(text));
    }
}

// The list area of a browser at `position`, `size` pixels: where the first entry lies, how many
// entries a page holds and where the page's list ends.
void layOutList(UIfileBrowserComponent& b, glm::vec2 position, glm::vec2 size)
{
    b.listTop = static_cast<int32_t>(position.y + size.y) - kListFromTop;
    const int32_t rowHeight = b.entryHeight + b.entryGap;
    const int32_t rows = (b.listTop - static_cast<int32_t>(position.y + kListReserveBottom)) / rowHeight;
    // A small window still shows one entry per page: paging divides by the page size.
    b.pageSize = std::min(static_cast<uint32_t>(std::max(1, rows)), FileBrowser::kMaxPageSize);
    b.listBottom = b.listTop - rowHeight * static_cast<int32_t>(b.pageSize);
}

} // namespace

void addFileBrowserSystems(ECS::EntityManager& world, const Engine::EngineCore& engine)
{
    world.registerComponent<UIfileBrowserComponent>();
    world.registerMessage<Message::UIfileBrowserRefreshMessage>();
    world.addSystem(System::UIfileBrowserSystem(world, engine));
    world.addMessageSystem(System::UIfileBrowserRefreshMessageSystem(world));
}

void createFileBrowser(ECS::EntityId entity, ECS::EntityManager& world, glm::vec2 position, glm::vec2 size,
                       const Game::RenderResources& resources, FileBrowserSettings settings)
{
    if (entity == ECS::InvalidEntity)
        return;
    UIfileBrowserComponent b;
    b.folder = settings.startFolder;
    b.onConfirm = std::move(settings.onConfirm);
    b.onCancel = std::move(settings.onCancel);
    b.nameFilter = std::move(settings.nameFilter);
    b.onNameCancel = std::move(settings.onNameCancel);
    b.onNameConfirm = std::move(settings.onNameConfirm);
    b.blocker = settings.blocker;
    b.clock = std::move(settings.clock);
    b.mode = settings.mode;
    b.font = &resources.fileBrowserFont;
    b.backgroundTexture = resources.whiteTexture.get();
    b.folderIcon = resources.directoryTexture.get();
    b.pagePreviousIcon = resources.browserPagePreviousTexture.get();
    b.pageNextIcon = resources.browserPageNextTexture.get();
    for (const std::string_view piece : Engine::splitDroppingEmpty(settings.extensions, settings.extensionSeparator)) {
        std::string lower(piece);
        if (!lower.empty() && lower.front() == '.')
            lower.erase(0, 1);
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
        b.extensionSet.insert(lower);
    }

    TransformComponent rectangle;
    rectangle.position = glm::vec3(position, 0.0f);
    rectangle.scale = glm::vec3(size, 1.0f);
    rectangle.copyToPrevious();
    world.addComponent(entity, std::move(rectangle));
    world.addComponent(entity, UIBackgroundComponent(b.backgroundTexture, b.layer - 1, Palette::panel));
    layOutList(b, position, size);

    const bool saving = settings.mode == FileBrowserSettings::kSave;
    createFixedElements(world, entity, b, resources, position, size, settings.fileName,
                        saving && !settings.fileName.empty());
    world.addComponent(entity, std::move(b));
}

namespace FileBrowser {

void goToParent(ECS::EntityManager& world, ECS::EntityId browser)
{
    const UIfileBrowserComponent* b = browserOf(world, browser);
    if (!b)
        return;
    std::filesystem::path folder = b->folder;
    // "/maps/" names the same folder as "/maps".
    if (!folder.has_filename() && folder.has_relative_path())
        folder = folder.parent_path();
    const std::filesystem::path parent = folder.has_relative_path() ? folder.parent_path() : folder;
    postRefresh(world, browser, &parent);
}

void clickEntry(ECS::EntityManager& world, ECS::EntityId browser, ECS::EntityId entry, int32_t row,
                const std::string& name, bool isFolder)
{
    UIfileBrowserComponent* b = browserOf(world, browser);
    if (!b)
        return;
    const uint32_t now = b->clock ? b->clock() : SDL_GetTicks();
    const bool second = b->lastClickRow == row && now - b->lastClickMs <= kDoubleClickMs;
    const bool followsFolderEntry = second && b->lastClickEnteredFolder;
    const bool opensFile = second && !isFolder && b->lastClickName == name && b->mode == FileBrowserSettings::kOpen;
    // A double click pairs two clicks only: a third starts over.
    b->lastClickRow = second ? -1 : row;
    b->lastClickMs = now;
    b->lastClickName = name;
    b->lastClickEnteredFolder = !second && isFolder;
    if (followsFolderEntry)
        return;
    if (isFolder) {
        enterFolder(world, browser, name);
        return;
    }
    chooseFile(world, browser, entry, name);
    if (!opensFile)
        return;
    const std::function<void()> confirm = b->onConfirm; // the action may close the browser
    if (confirm)
        confirm();
}

void enterFolder(ECS::EntityManager& world, ECS::EntityId browser, const std::string& name)
{
    const UIfileBrowserComponent* b = browserOf(world, browser);
    if (!b)
        return;
    const std::filesystem::path folder = b->folder / std::filesystem::u8path(name);
    postRefresh(world, browser, &folder);
}

void chooseFile(ECS::EntityManager& world, ECS::EntityId browser, ECS::EntityId entry, const std::string& name)
{
    UIfileBrowserComponent* b = browserOf(world, browser);
    if (!b)
        return;
    for (const ECS::EntityId other : b->entries)
        paintEntry(world, *b, other, false);
    b->selectedName = name;
    if (b->mode == FileBrowserSettings::kOpen)
        paintEntry(world, *b, entry, true);
    setConfirmEnabled(world, browser, true);
    if (b->mode == FileBrowserSettings::kSave && world.hasComponent<UItextComponent>(b->nameField))
        world.getComponent<UItextComponent>(b->nameField).setText(name);
}

void previousPage(ECS::EntityManager& world, ECS::EntityId browser)
{
    UIfileBrowserComponent* b = browserOf(world, browser);
    if (!b || b->firstIndex < b->pageSize)
        return;
    b->firstIndex -= b->pageSize;
    b->lastClickRow = -1;
    clearChoice(world, browser, *b);
    postRefresh(world, browser, nullptr);
}

void nextPage(ECS::EntityManager& world, ECS::EntityId browser)
{
    UIfileBrowserComponent* b = browserOf(world, browser);
    if (!b || b->firstIndex + b->pageSize >= b->entryCount)
        return;
    b->firstIndex += b->pageSize;
    b->lastClickRow = -1;
    clearChoice(world, browser, *b);
    postRefresh(world, browser, nullptr);
}

void cancel(ECS::EntityManager& world, ECS::EntityId browser)
{
    const UIfileBrowserComponent* b = browserOf(world, browser);
    if (!b)
        return;
    const std::function<void()> onCancel = b->onCancel;
    close(world, browser);
    if (onCancel)
        onCancel();
}

void destroyElements(ECS::EntityManager& world, UIfileBrowserComponent& b)
{
    for (ECS::EntityId& entry : b.entries)
        destroyElement(world, entry);
    b.entries.clear();
    for (ECS::EntityId* element : {&b.confirmButton, &b.cancelButton, &b.pathText, &b.pathBackButton, &b.nameLabel,
                                   &b.nameField, &b.blocker, &b.pageNext, &b.pagePrevious, &b.pageLabel})
        destroyAndForget(world, *element);
}

void close(ECS::EntityManager& world, ECS::EntityId browser)
{
    UIfileBrowserComponent* b = browserOf(world, browser);
    if (!b)
        return;
    destroyElements(world, *b);
    world.destroyEntity(browser);
}

std::string nameFieldText(ECS::EntityManager& world, ECS::EntityId browser)
{
    const UIfileBrowserComponent* b = browserOf(world, browser);
    if (!b || !world.hasComponent<UItextComponent>(b->nameField))
        return std::string();
    return world.getComponent<UItextComponent>(b->nameField).text;
}

void setConfirmEnabled(ECS::EntityManager& world, ECS::EntityId browser, bool enabled)
{
    const UIfileBrowserComponent* b = browserOf(world, browser);
    if (!b)
        return;
    const ECS::EntityId button = b->confirmButton;
    if (!world.hasComponent<UIBackgroundComponent>(button) || !world.hasComponent<UIclickableComponent>(button))
        return;
    UItextComponent* text = world.hasComponent<UItextComponent>(button) ? &world.getComponent<UItextComponent>(button)
                                                                          : nullptr;
    styleConfirm(world.getComponent<UIBackgroundComponent>(button).color,
                 world.getComponent<UIclickableComponent>(button), text, enabled, world, browser);
}

void showFolder(ECS::EntityManager& world, ECS::EntityId browser, const std::filesystem::path& folder,
                FolderListing listing)
{
    UIfileBrowserComponent* b = browserOf(world, browser);
    if (!b)
        return;
    b->folder = folder;
    b->folders = std::move(listing.folders);
    b->files = std::move(listing.files);
    b->listed = true;
    b->firstIndex = 0;
    clearChoice(world, browser, *b);
    if (world.hasComponent<UItextComponent>(b->pathText) && world.hasComponent<TransformComponent>(b->pathText)) {
        const float width = world.getComponent<TransformComponent>(b->pathText).scale.x;
        world.getComponent<UItextComponent>(b->pathText)
            .setText(fitText(*b->font, folder.u8string(), width - 2.0f * static_cast<float>(b->entryTextOffset), true));
    }
    rebuildPage(world, browser);
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
    destroyAndForget(world, b.pageNext);
    destroyAndForget(world, b.pagePrevious);
    destroyAndForget(world, b.pageLabel);

    const TransformComponent& window = world.getComponent<TransformComponent>(browser);
    const float bx = window.position.x;
    const float bw = window.scale.x;
    ECS::EntityManager* const wp = &world;
    const size_t folderCount = b.folders.size();
    b.entryCount = static_cast<uint32_t>(folderCount + b.files.size());
    if (b.firstIndex >= b.entryCount)
        b.firstIndex = 0;

    const uint32_t end = std::min(b.entryCount, b.firstIndex + b.pageSize);
    for (uint32_t index = b.firstIndex; index < end; ++index) {
        const int32_t row = static_cast<int32_t>(index - b.firstIndex);
        const glm::vec2 at{bx + b.margin.x, static_cast<float>(b.listTop) - float(row) * float(b.entryHeight + b.entryGap)};
        const glm::vec2 size{bw - 2.0f * b.margin.x, static_cast<float>(b.entryHeight)};
        const bool isFolder = index < folderCount;
        const std::string name = isFolder ? b.folders[index] : b.files[index - folderCount];
        // In open mode the chosen file keeps its colours when the page is built again.
        const bool chosen = !isFolder && b.mode == FileBrowserSettings::kOpen && name == b.selectedName;
        const ECS::EntityId entry = createBackground(world, b.layer, at, size, b.backgroundTexture,
                                                     chosen ? b.chosenColor : b.entryColor);
        if (entry == ECS::InvalidEntity)
            break;
        std::function<void()> action = [wp, browser, entry, row, name, isFolder] {
            clickEntry(*wp, browser, entry, row, name, isFolder);
        };
        addClickable(world, entry, b.layer, std::move(action), b.backgroundTexture, b.backgroundTexture,
                     chosen ? b.chosenHoverColor : b.hoverColor, chosen ? b.chosenPressedColor : b.pressedColor);
        if (isFolder)
            addSprite(world, entry, b.folderIcon, AlignLeft, AlignCentreY, kFolderIconOffset,
                      static_cast<uint32_t>(b.layer));
        const float textOffset = isFolder ? kFolderTextOffset : float(b.entryTextOffset);
        addLeftText(world, entry, b, fitText(*b.font, name, size.x - textOffset - float(b.entryTextOffset), false),
                    textOffset, b.textColor);
        b.entries.push_back(entry);
    }

    if (b.entryCount <= b.pageSize)
        return;
    const uint32_t pages = (b.entryCount - 1) / b.pageSize + 1;
    const uint32_t page = b.firstIndex / b.pageSize + 1;
    const glm::vec2 labelAt{std::trunc(bx + bw / 2.0f) - kPageLabelSize.x / 2.0f,
                            static_cast<float>(b.listBottom) - kPageLabelSize.y};
    b.pageLabel = createTextElement(world, b.layer, labelAt, kPageLabelSize, b.backgroundTexture, Palette::transparent,
                                    *b.font, b.textColor, std::to_string(page) + " / " + std::to_string(pages),
                                    AlignCentreX, glm::vec2(0.0f));
    if (page >= 2) {
        b.pagePrevious = createButton(
            world, b, labelAt + glm::vec2(kPagePreviousOffset, 0.0f), kIconButtonSize, Palette::transparent,
            [wp, browser] { previousPage(*wp, browser); }, Palette::hoverTint, Palette::pressedTint);
        addSprite(world, b.pagePrevious, b.pagePreviousIcon, AlignCentreX, AlignCentreY, glm::vec2(0.0f),
                  static_cast<uint32_t>(b.layer));
    }
    if (page < pages) {
        b.pageNext = createButton(
            world, b, labelAt + glm::vec2(kPageNextOffset, 0.0f), kIconButtonSize, Palette::transparent,
            [wp, browser] { nextPage(*wp, browser); }, Palette::hoverTint, Palette::pressedTint);
        addSprite(world, b.pageNext, b.pageNextIcon, AlignCentreX, AlignCentreY, glm::vec2(0.0f),
                  static_cast<uint32_t>(b.layer));
    }
}

void relayout(ECS::EntityManager& world, ECS::EntityId browser, glm::vec2 position, glm::vec2 size,
              const Game::RenderResources& resources)
{
    UIfileBrowserComponent* found = browserOf(world, browser);
    if (!found || !world.hasComponent<TransformComponent>(browser))
        return;
    UIfileBrowserComponent& b = *found;
    const std::string fileName = nameFieldText(world, browser);
    const bool confirmEnabled = world.hasComponent<UIclickableComponent>(b.confirmButton) &&
                                world.getComponent<UIclickableComponent>(b.confirmButton).callback != nullptr;
    for (ECS::EntityId* element : {&b.confirmButton, &b.cancelButton, &b.pathText, &b.pathBackButton, &b.nameLabel,
                                   &b.nameField})
        destroyAndForget(world, *element);

    TransformComponent& rectangle = world.getComponent<TransformComponent>(browser);
    rectangle.position = glm::vec3(position, 0.0f);
    rectangle.scale = glm::vec3(size, 1.0f);
    rectangle.copyToPrevious();
    layOutList(b, position, size);
    // The page that holds the first entry shown so far.
    b.firstIndex -= b.firstIndex % b.pageSize;
    createFixedElements(world, browser, b, resources, position, size, fileName, confirmEnabled);
    rebuildPage(world, browser);
}

} // namespace FileBrowser
} // namespace UI
