#pragma once
// Text files read whole or as lines, and the per-user folder where the map editor keeps maps.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace Engine {

// Name of the user map folder inside the user's Documents folder.
inline constexpr const char* kUserMapFolderName = "Tetherix";

// The white space that trim removes by default: space, tab, line feed, vertical tab, form feed
// and carriage return.
inline constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

// `text` without the `characters` at either end; empty when it holds nothing else.
std::string_view trim(std::string_view text, std::string_view characters = kWhiteSpace);

// Takes the next line off the front of `text`: `line` without its terminator, `ending` the
// terminator ("\n", "\r\n", a lone "\r" at the very end, or "" for a last line without one).
// False when `text` is empty. Nothing is copied, so text of any size is read in one pass.
bool takeLine(std::string_view& text, std::string_view& line, std::string_view& ending);

// Splits text into lines without their terminators. A line feed ends a line and one carriage
// return before it is dropped, so CRLF text splits like LF text; an empty line gives an empty
// string; a last line without a terminator still counts; empty text gives no lines.
std::vector<std::string> splitLines(std::string_view text);

// Splits `text` at `separator`, dropping empty pieces (runs of separators act as one).
// The pieces view into `text`.
std::vector<std::string_view> splitDroppingEmpty(std::string_view text, char separator);

// The lines of the text file at `path` (as splitLines). A file that cannot be opened or read
// logs "MISSING FILE: " and the path, and gives no lines.
std::vector<std::string> readLines(const std::filesystem::path& path);

// Logs the console line for a file the program needs but cannot open: "MISSING FILE: " and the path.
void logMissingFile(const std::filesystem::path& path);

// The lines of the text file at `path`, each followed by "\n"; "" for an empty file and,
// without a message, for a file that cannot be opened or read.
std::string readTextFile(const std::filesystem::path& path);

// The whole content of the regular file at `path`, byte for byte; false when it cannot be read.
bool readFileBytes(const std::filesystem::path& path, std::string& out);

// The folder where the user's programs keep their settings: $XDG_CONFIG_HOME when it is an
// absolute path, else $HOME/.config (%APPDATA% on Windows); empty when neither can be told.
std::filesystem::path userConfigHome();

// Finds where the user's Documents folder is, or belongs when it does not exist yet, and stores
// it with "Tetherix" appended in `path`. On Linux the folder is XDG_DOCUMENTS_DIR from the XDG
// user-dirs file, else $HOME/Documents. False, with `path` unchanged, when that cannot be told.
bool getUserMapFolder(std::filesystem::path& path);

// Finds the user map folder and stores it in its argument; false when there is none to use.
// prepareUserMapFolder is the game's; tests hand in their own.
using MapFolderFinder = std::function<bool(std::filesystem::path& folder)>;

// The file or folder a path names, as far as the file system can tell: symbolic links and ".."
// resolved; where it cannot tell, the path lexically normalised.
std::filesystem::path resolvedPath(const std::filesystem::path& path);

// Finds the user map folder as getUserMapFolder does and creates it, with the Documents folder
// around it, if it is missing. False, with a console line and `path` unchanged, when it cannot
// be found or created: the game runs on and only saving maps is impossible.
bool prepareUserMapFolder(std::filesystem::path& path);

} // namespace Engine
