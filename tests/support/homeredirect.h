#pragma once
// Points HOME into a fresh temporary folder and unsets XDG_CONFIG_HOME and XDG_DATA_HOME for the
// object's lifetime, then restores all three as they were. Code that looks for the user's
// Documents folder (and creates the map folder there), the settings or the run records then works
// inside the temporary folder, never in the real home folder.
#include "tests/support/tempdir.h"

#include <filesystem>
#include <optional>
#include <string>

namespace TestSupport {

class HomeRedirect {
public:
    HomeRedirect();
    ~HomeRedirect();
    HomeRedirect(const HomeRedirect&) = delete;
    HomeRedirect& operator=(const HomeRedirect&) = delete;

    // The folder that HOME names: "home" inside root(), empty at first.
    const std::filesystem::path& home() const { return home_; }
    // The temporary folder around home(), for files that belong outside it.
    const TempDir& root() const { return root_; }

private:
    TempDir root_;
    std::filesystem::path home_;
    std::optional<std::string> savedHome_;
    std::optional<std::string> savedConfigHome_;
    std::optional<std::string> savedDataHome_;
};

} // namespace TestSupport
