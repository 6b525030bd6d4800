// Where the user's files go on a desktop that follows the XDG base directories.
#pragma once

#include <string>

namespace tavrol::xdg {

// The user's home folder: $HOME, or the password database's entry when it is unset.
std::string home();

// $XDG_CONFIG_HOME, or ~/.config when it is unset, empty or not an absolute path.
std::string configHome();

// $XDG_STATE_HOME, or ~/.local/state: what a program keeps between runs that is not a setting.
std::string stateHome();

} // namespace tavrol::xdg
