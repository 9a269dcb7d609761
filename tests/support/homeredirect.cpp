#include "tests/support/homeredirect.h"

#include <cstdlib>

namespace TestSupport {
namespace {

std::optional<std::string> variable(const char* name)
{
    if (const char* value = std::getenv(name))
        return value;
    return std::nullopt;
}

void restore(const char* name, const std::optional<std::string>& saved)
{
    if (saved)
        setenv(name, saved->c_str(), 1);
    else
        unsetenv(name);
}

} // namespace

HomeRedirect::HomeRedirect()
    : home_(root_.path() / "home")
    , savedHome_(variable("HOME"))
    , savedConfigHome_(variable("XDG_CONFIG_HOME"))
    , savedDataHome_(variable("XDG_DATA_HOME"))
{
    std::filesystem::create_directories(home_);
    setenv("HOME", home_.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
}

HomeRedirect::~HomeRedirect()
{
    restore("HOME", savedHome_);
    restore("XDG_CONFIG_HOME", savedConfigHome_);
    restore("XDG_DATA_HOME", savedDataHome_);
}

} // namespace TestSupport
