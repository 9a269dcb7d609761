#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes out of scope. Tests that touch files work only inside one.
#include <filesystem>
#include <string>
#include <string_view>

namespace TestSupport {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return root; }

    // Writes `content` byte for byte to `name` inside the folder (creating parent folders)
    // and returns the file's path.
    std::filesystem::path write(const std::filesystem::path& name, std::string_view content) const;

private:
    std::filesystem::path root;
};

// The whole file, byte for byte; empty when it cannot be read.
std::string fileBytes(const std::filesystem::path& path);

} // namespace TestSupport
