#include "platform/xdg_paths.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace tavrol::xdg {
namespace {

// A relative path in an XDG variable is invalid and ignored, as the base directory rules say.
std::string fromEnvironment(const char* variable, const char* fallbackUnderHome)
{
    const char* value = std::getenv(variable);
    if (value && value[0] == '/')
        return value;
    return home() + fallbackUnderHome;
}

} // namespace

std::string home()
{
    if (const char* value = std::getenv("HOME"); value && value[0] != '\0')
        return value;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

std::string configHome()
{
    return fromEnvironment("XDG_CONFIG_HOME", "/.config");
}

std::string stateHome()
{
    return fromEnvironment("XDG_STATE_HOME", "/.local/state");
}

} // namespace tavrol::xdg
