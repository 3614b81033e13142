#pragma once

// The folders the explorer reads its own files from, and the user's Trash.
// Every lookup degrades to nullopt; none reports an error.

#include <filesystem>
#include <optional>

namespace files::favorites {

// The home override of the desktop when set, else the account's home.
std::optional<std::filesystem::path> home_folder();

// The configuration base directory ($XDG_CONFIG_HOME, else ~/.config) joined
// with "kesu-files". It follows the account's home, not a home override, so
// a substitute home never takes over the user's real settings.
std::optional<std::filesystem::path> config_folder();

// The folder holding the user's trashed items: the data base directory
// ($XDG_DATA_HOME, else ~/.local/share) joined with "Trash/files".
std::optional<std::filesystem::path> trash_files_folder();

}
