#pragma once

// The user's home folder as the desktop sees it. A process-wide override (set
// by demonstration scenes and tests) takes the place of the account's home.

#include <filesystem>
#include <optional>

namespace services {

// Replaces the home folder for the whole process; nullopt removes the
// override. Call on the interface thread before the home is first asked for.
void set_home_override(std::optional<std::filesystem::path> home);
std::optional<std::filesystem::path> home_override();

// The account's own home: $HOME when it is an absolute path, otherwise the
// password database entry of the effective user; nullopt when neither is known.
std::optional<std::filesystem::path> platform_home();

// The override when set, otherwise platform_home().
std::optional<std::filesystem::path> user_home();

// $XDG_CONFIG_HOME when it is set to an absolute path, otherwise `home`/.config;
// nullopt without either. Relative values are ignored, as the base-directory
// rules require.
std::optional<std::filesystem::path> xdg_config_home(std::optional<std::filesystem::path> const& home);

// $XDG_DATA_HOME when absolute, otherwise `home`/.local/share; nullopt without either.
std::optional<std::filesystem::path> xdg_data_home(std::optional<std::filesystem::path> const& home);

}
