#pragma once
// The in-game file browser: a modal window of UI elements in which the user walks through
// folders and picks a file to open or names a file to save. It is one entity with a
// UIfileBrowserComponent, a TransformComponent (its rectangle) and a background, plus the element
// entities it owns. UIfileBrowserSystem lists a new browser's folder and takes the elements down
// with it; UIfileBrowserRefreshMessageSystem lists folders and builds the page on show. The
// functions below are the click actions of its elements and what its caller reads and does.
#include "engine/ecs/entitymanager.h"
#include "game/filebrowser/folderlisting.h"
#include "game/filebrowser/uifilebrowsercomponent.h"

#include <glm/vec2.hpp>

#include <filesystem>
#include <optional>
#include <string>

namespace Engine {
class EngineCore;
}
namespace Game {
class RenderResources;
}

namespace UI {

// Text of the pop-up for a folder that cannot be listed.
inline constexpr const char* kUnableToOpenFolderText = "ERROR:\nUnable to open folder.";

// Registers the browser's component and message types and adds its two systems; `engine` (its
// keyboard snapshot) must outlive them.
void addFileBrowserSystems(ECS::EntityManager& world, const Engine::EngineCore& engine);

namespace FileBrowser {
// Entries a page holds at most, however tall the window: the browser's entity count has a bound.
inline constexpr uint32_t kMaxPageSize = 40;
// Entities of a browser at most: itself and the caller's blocker, the path line's two elements,
// CANCEL, OPEN or SAVE, the "Filename:" label and field, a full page and its three paging elements.
inline constexpr uint32_t kMaxElements = 2 + 6 + kMaxPageSize + 3;
} // namespace FileBrowser

// Builds the browser on `entity` (created by the caller) with its bottom-left corner at
// `position` and `size` pixels large: the path line with its back button, the list area, the
// CANCEL and the OPEN or SAVE button (disabled at first) and, for saving, the "Filename:" field.
// The folder is listed once the browser is in the world. `resources` must outlive the browser.
// The caller makes sure that FileBrowser::kMaxElements entity ids are free, blocker included.
void createFileBrowser(ECS::EntityId entity, ECS::EntityManager& world, glm::vec2 position, glm::vec2 size,
                       const Game::RenderResources& resources, FileBrowserSettings settings);

namespace FileBrowser {

// --- Actions of the browser's elements ----------------------------------------------------------

// Lists the folder above the one on show (the root stays the root).
void goToParent(ECS::EntityManager& world, ECS::EntityId browser);
// Two clicks on the same entry at most this far apart make a double click.
inline constexpr uint32_t kDoubleClickMs = 400;

// A click on the entry in `row` of the page on show, showing `name`: enters the folder or chooses
// the file. The second click of a double click opens the file in open mode (as OPEN does); on a
// folder, the first click has entered it and the second, landing in the new listing, does nothing.
void clickEntry(ECS::EntityManager& world, ECS::EntityId browser, int32_t row, const std::string& name,
                bool isFolder);
// Lists the sub-folder `name` of the folder on show.
void enterFolder(ECS::EntityManager& world, ECS::EntityId browser, const std::string& name);
// Shows `folder` after any listing already on its way (such as the new browser's first), as
// entering a folder does.
void openFolder(ECS::EntityManager& world, ECS::EntityId browser, const std::filesystem::path& folder);
// Makes the file `name` the chosen one: OPEN or SAVE is enabled, the entry turns green in open
// mode and the name goes into the file name field in save mode.
void chooseFile(ECS::EntityManager& world, ECS::EntityId browser, ECS::EntityId entry, const std::string& name);
// Show the previous or next page, if there is one; the chosen file is forgotten.
void previousPage(ECS::EntityManager& world, ECS::EntityId browser);
void nextPage(ECS::EntityManager& world, ECS::EntityId browser);
// CANCEL: takes the browser down, then runs its onCancel.
void cancel(ECS::EntityManager& world, ECS::EntityId browser);

// --- For the browser's caller and its systems ---------------------------------------------------

// Takes the browser down with every element it owns and its blocker.
void close(ECS::EntityManager& world, ECS::EntityId browser);
// The path of the file chosen in `browser` (its folder and the chosen name); none when there is
// no such browser or no file is chosen.
std::optional<std::filesystem::path> chosenFile(ECS::EntityManager& world, ECS::EntityId browser);
// Destroys every element of the browser that exists (entries, paging, fixed elements, blocker).
void destroyElements(ECS::EntityManager& world, Component::UIfileBrowserComponent& browser);
// The text of the file name field ("" in open mode).
std::string nameFieldText(ECS::EntityManager& world, ECS::EntityId browser);
// Enables or disables the OPEN / SAVE button.
void setConfirmEnabled(ECS::EntityManager& world, ECS::EntityId browser, bool enabled);
// Takes `listing` as the content of `folder`: the browser moves there, shows its first page and
// forgets the chosen file (in open mode OPEN is disabled again).
void showFolder(ECS::EntityManager& world, ECS::EntityId browser, const std::filesystem::path& folder,
                FolderListing listing);
// Builds the entries of the page on show and, when the listing needs more than one page, the
// page label and the previous and next buttons, in place of those shown before.
void rebuildPage(ECS::EntityManager& world, ECS::EntityId browser);

// Lays the browser out again at `position`, `size` pixels (the window changed size): its fixed
// elements and the page on show are made anew there, keeping the folder, the typed file name,
// the chosen file and whether OPEN / SAVE is enabled; the page shown is the one holding the first
// entry shown before. The blocker under it is the caller's.
void relayout(ECS::EntityManager& world, ECS::EntityId browser, glm::vec2 position, glm::vec2 size,
              const Game::RenderResources& resources);

} // namespace FileBrowser
} // namespace UI
