#include "game/filebrowser/filebrowser.h"

#include "game/filebrowser/browserstyle.h"
#include "engine/fileutil/fileutil.h"
#include "game/filebrowser/uifilebrowserrefreshmessagesystem.h"
#include "game/filebrowser/uifilebrowsersystem.h"
#include "game/resources/renderresources.h"
#include "game/transform/transformcomponent.h"
#include "game/ui/uielements.h"
#include "game/ui/uipalette.h"
#include "game/ui/uitextplacement.h"

#include <SDL.h>

#include <algorithm>
#include <utility>

namespace UI {

using Component::TransformComponent;
using Component::UIBackgroundComponent;
using Component::UIclickableComponent;
using Component::UIfileBrowserComponent;
using Component::UItextComponent;
using FileBrowser::addLeftText;
using FileBrowser::browserOf;
using FileBrowser::destroyAndForget;
using FileBrowser::entryStyle;
using FileBrowser::iconStyle;
using FileBrowser::kButtonSize;
using FileBrowser::kIconButtonSize;
using FileBrowser::layOutList;

namespace {

// Geometry of the browser, in pixels.
constexpr float kPathRowFromTop = 48.0f;    // the path line's bottom edge below the top
constexpr float kNameFieldPadding = 12.0f;

constexpr glm::vec4 kDisabledColor{0.2f, 0.2f, 0.2f, 0.5f};
constexpr glm::vec4 kDisabledTextColor{0.35f, 0.35f, 0.35f, 0.5f};

// Gives an entry the normal or the chosen colours.
void paintEntry(ECS::EntityManager& world, const UIfileBrowserComponent& b, ECS::EntityId entry, bool chosen)
{
    if (!world.hasComponent<UIclickableComponent>(entry) || !world.hasComponent<UIBackgroundComponent>(entry))
        return;
    const ButtonStyle style = entryStyle(b, chosen);
    world.getComponent<UIBackgroundComponent>(entry).color = style.color;
    UIclickableComponent& clickable = world.getComponent<UIclickableComponent>(entry);
    clickable.hoverColor = style.hoverColor;
    clickable.pressedColor = style.pressedColor;
}

// How the OPEN / SAVE button looks when enabled (green) and disabled (grey).
struct ConfirmLook {
    ButtonStyle style;
    glm::vec4 textColor;
};

ConfirmLook confirmLook(const UIfileBrowserComponent& b, bool enabled)
{
    if (enabled)
        return {entryStyle(b, true), b.textColor};
    return {{b.backgroundTexture, kDisabledColor, kDisabledColor, kDisabledColor, b.layer}, kDisabledTextColor};
}

// The OPEN / SAVE button's click: the browser's onConfirm while enabled, nothing while disabled.
std::function<void()> confirmAction(ECS::EntityManager& world, ECS::EntityId browser, bool enabled)
{
    if (!enabled)
        return nullptr;
    ECS::EntityManager* w = &world;
    return [w, browser] {
        const UIfileBrowserComponent* b = browserOf(*w, browser);
        if (!b || !b->onConfirm)
            return;
        const std::function<void()> confirm = b->onConfirm; // the action may close the browser
        confirm();
    };
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

// The path line along the top of a browser at `position`, `size`: the back button and the folder.
void createPathRow(ECS::EntityManager& world, ECS::EntityId browser, UIfileBrowserComponent& b,
                   const Game::RenderResources& resources, glm::vec2 position, glm::vec2 size)
{
    ECS::EntityManager* const wp = &world;
    const float y = position.y + size.y - kPathRowFromTop;
    b.pathBackButton = createButton(world, b.layer, {position.x + b.margin.x, y}, kIconButtonSize, iconStyle(b),
                                    ButtonFace::iconOnly(resources.pathBackTexture.get()),
                                    [wp, browser] { FileBrowser::goToParent(*wp, browser); });
    const glm::vec2 pathSize{size.x - 80.0f, 32.0f};
    b.pathText = createBackground(world, b.layer, {position.x + 64.0f, y}, pathSize, b.backgroundTexture,
                                  b.entryColor);
    addLeftText(world, b.pathText, b,
                fitText(*b.font, b.folder.u8string(), pathSize.x - 2.0f * b.entryTextOffset, true),
                static_cast<float>(b.entryTextOffset), b.textColor);
}

// OPEN or SAVE, and CANCEL, at the bottom right.
void createButtonRow(ECS::EntityManager& world, ECS::EntityId browser, UIfileBrowserComponent& b, glm::vec2 position,
                     glm::vec2 size, bool confirmEnabled)
{
    ECS::EntityManager* const wp = &world;
    const float right = position.x + size.x;
    const float y = position.y + b.margin.y;
    const ConfirmLook look = confirmLook(b, confirmEnabled);
    const char* confirmText = b.mode == FileBrowserSettings::kSave ? "SAVE" : "OPEN";
    b.confirmButton =
        createButton(world, b.layer, {right - 144.0f, y}, kButtonSize, look.style,
                     {b.font, confirmText, look.textColor}, confirmAction(world, browser, confirmEnabled));
    b.cancelButton =
        createButton(world, b.layer, {right - 288.0f, y}, kButtonSize, entryStyle(b, false),
                     {b.font, "CANCEL", b.textColor}, [wp, browser] { FileBrowser::cancel(*wp, browser); });
}

// The file name field's click: typing into it, with SAVE following the field: enabled while it
// holds a name, as it is typed and after Return or Escape (which puts the text back).
std::function<void()> editNameField(ECS::EntityManager& world, ECS::EntityId browser)
{
    ECS::EntityManager* const wp = &world;
    return [wp, browser] {
        const UIfileBrowserComponent* found = browserOf(*wp, browser);
        if (!found)
            return;
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
    };
}

// The "Filename:" label and field of a saving browser, the field holding `fileName`.
void createNameField(ECS::EntityManager& world, ECS::EntityId browser, UIfileBrowserComponent& b, glm::vec2 position,
                     glm::vec2 size, const std::string& fileName)
{
    const float y = position.y + 64.0f;
    b.nameLabel = createTextElement(world, b.layer, {position.x, y}, kButtonSize, b.backgroundTexture,
                                    Palette::transparent, *b.font, b.textColor, "Filename:", AlignCentreX,
                                    glm::vec2(0.0f));
    b.nameField = createButton(world, b.layer, {position.x + 128.0f, y}, {size.x - 144.0f, 32.0f},
                               entryStyle(b, false), {}, editNameField(world, browser));
    if (b.nameField == ECS::InvalidEntity)
        return;
    UItextComponent text(static_cast<uint32_t>(b.layer), fileName, *b.font, b.textColor, AlignLeft,
                         glm::vec2(kNameFieldPadding, 0.0f));
    text.clipToBox = true;
    text.clipPadding = glm::vec2(kNameFieldPadding, 0.0f);
    world.addComponent(b.nameField, std::move(text));
}

// The fixed elements of a browser at `position`, `size` pixels, into `b`.
void createFixedElements(ECS::EntityManager& world, ECS::EntityId browser, UIfileBrowserComponent& b,
                         const Game::RenderResources& resources, glm::vec2 position, glm::vec2 size,
                         const std::string& fileName, bool confirmEnabled)
{
    createPathRow(world, browser, b, resources, position, size);
    createButtonRow(world, browser, b, position, size, confirmEnabled);
    if (b.mode == FileBrowserSettings::kSave)
        createNameField(world, browser, b, position, size, fileName);
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
    b.fileLabel = std::move(settings.fileLabel);
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

void clickEntry(ECS::EntityManager& world, ECS::EntityId browser, int32_t row, const std::string& name,
                bool isFolder)
{
    UIfileBrowserComponent* b = browserOf(world, browser);
    if (!b || row < 0 || static_cast<size_t>(row) >= b->entries.size())
        return;
    const ECS::EntityId entry = b->entries[static_cast<size_t>(row)];
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

void openFolder(ECS::EntityManager& world, ECS::EntityId browser, const std::filesystem::path& folder)
{
    if (browserOf(world, browser))
        postRefresh(world, browser, &folder);
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
    for (ECS::EntityId* element : b.fixedElements())
        destroyAndForget(world, *element);
    destroyAndForget(world, b.blocker);
    for (ECS::EntityId* element : b.pagingElements())
        destroyAndForget(world, *element);
}

std::optional<std::filesystem::path> chosenFile(ECS::EntityManager& world, ECS::EntityId browser)
{
    if (!world.hasComponent<UIfileBrowserComponent>(browser))
        return std::nullopt;
    const UIfileBrowserComponent& b = world.getComponent<UIfileBrowserComponent>(browser);
    if (b.selectedName.empty())
        return std::nullopt;
    return b.folder / std::filesystem::u8path(b.selectedName);
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
    const ConfirmLook look = confirmLook(*b, enabled);
    world.getComponent<UIBackgroundComponent>(button).color = look.style.color;
    UIclickableComponent& clickable = world.getComponent<UIclickableComponent>(button);
    clickable.hoverColor = look.style.hoverColor;
    clickable.pressedColor = look.style.pressedColor;
    clickable.callback = confirmAction(world, browser, enabled);
    if (world.hasComponent<UItextComponent>(button))
        world.getComponent<UItextComponent>(button).color = look.textColor;
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
    for (ECS::EntityId* element : b.fixedElements())
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
