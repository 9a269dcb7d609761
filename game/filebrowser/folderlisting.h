#pragma once
// Reading a folder for the file browser: its sub-folders and its files, each sorted by name.
// Never throws: a folder that cannot be read gives a failed listing with a reason.
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace UI {

struct FolderListing {
    bool ok = false;
    std::string problem; // why the folder could not be listed; empty when ok
    std::vector<std::string> folders; // names (UTF-8)
    std::vector<std::string> files;   // names (UTF-8)
};

// Lists `folder`. Names beginning with a dot are left out, as file pickers hide them (the atomic
// writer's temporary files are such names). Entries that are folders, or links to folders, go
// into `folders`; everything else into `files`, but only when `extensions` (lower case, without
// the dot) is empty or holds the file's lower-cased extension. A link whose target is missing
// counts as a file; any other entry whose status cannot be read (a link to itself, a cycle of
// links) is left out with a console line. Both lists are sorted by name as file pickers sort
// them (namesInOrder). The listing fails only when the folder cannot be opened or read to the end.
FolderListing listFolder(const std::filesystem::path& folder, const std::set<std::string>& extensions = {});

// The extension of the file name `name`, lower-cased and without the dot ("" for none).
std::string lowerCaseExtension(std::string_view name);

// True when `a` sorts before `b` in a listing: the case of ASCII letters is ignored and runs of
// digits compare by their value ("level2" before "level10"); names equal in that sense are
// ordered byte by byte.
bool namesInOrder(const std::string& a, const std::string& b);

} // namespace UI
