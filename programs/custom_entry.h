// A programmed key as the settings store keeps it: the caption, one comma, the command.
#pragma once

#include <string>
#include <string_view>

namespace tavrol {

inline constexpr const char* kSettingsApp = "Tavrol32";
inline constexpr const char* kSettingsSection = "custom";
inline constexpr const char* kUnprogrammed = "Unprog,0";
inline constexpr std::size_t kMostCommandCharacters = 512;

struct CustomEntry {
    std::string caption;
    std::string command;
    bool programmed = false;
};

// The first comma ends the caption; the command is at most 512 characters after it, and "0"
// marks a key that holds no program. A value without a comma is all caption, with no program.
CustomEntry parseCustomEntry(std::string_view value);

std::string withoutCommas(std::string text);

// What the user is told when a programmed key could not be saved, and `problem` why.
std::string keyNotSavedMessage(const std::string& problem);

} // namespace tavrol
