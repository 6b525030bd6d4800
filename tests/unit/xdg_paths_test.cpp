// Where the user's files go, for every way the environment may name them.
#include "platform/xdg_paths.h"

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <pwd.h>
#include <string>
#include <unistd.h>

namespace tavrol::xdg {
namespace {

// Sets (or, with nothing, unsets) an environment variable for one test and puts it back after.
class ScopedVariable {
public:
    ScopedVariable(const char* name, std::optional<std::string> value)
        : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~ScopedVariable()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

struct PathRow {
    const char* behaviour;
    const char* variable;
    std::function<std::string()> read;
    std::optional<std::string> value;
    std::string expected; // under HOME=/home/referee
};

TEST(XdgPaths, followTheVariableOnlyWhenItIsAnAbsolutePath)
{
    const ScopedVariable home("HOME", "/home/referee");
    const PathRow rows[] = {
        { "configSet", "XDG_CONFIG_HOME", configHome, "/srv/conf", "/srv/conf" },
        { "configUnset", "XDG_CONFIG_HOME", configHome, std::nullopt, "/home/referee/.config" },
        { "configEmpty", "XDG_CONFIG_HOME", configHome, "", "/home/referee/.config" },
        { "configRelative", "XDG_CONFIG_HOME", configHome, "conf", "/home/referee/.config" },
        { "stateSet", "XDG_STATE_HOME", stateHome, "/srv/state", "/srv/state" },
        { "stateUnset", "XDG_STATE_HOME", stateHome, std::nullopt, "/home/referee/.local/state" },
        { "stateRelative", "XDG_STATE_HOME", stateHome, "./state", "/home/referee/.local/state" },
    };
    for (const PathRow& row : rows) {
        const ScopedVariable variable(row.variable, row.value);
        EXPECT_EQ(row.read(), row.expected) << row.behaviour;
    }
}

TEST(XdgPaths, homeWithoutHomeIsThePasswordEntry)
{
    const passwd* entry = getpwuid(getuid());
    ASSERT_NE(entry, nullptr);
    for (const std::optional<std::string>& value :
        { std::optional<std::string> {}, std::optional<std::string> { "" } }) {
        const ScopedVariable home("HOME", value);
        EXPECT_EQ(xdg::home(), entry->pw_dir);
    }
}

} // namespace
} // namespace tavrol::xdg
