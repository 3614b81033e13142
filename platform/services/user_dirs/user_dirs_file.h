#pragma once

// The line grammar of the user-dirs configuration file, apart from the
// service so it can be read on its own.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace services::detail {

struct UserDirsAssignment {
    std::string key; // "DOCUMENTS" for XDG_DOCUMENTS_DIR
    // The folder, or nullopt when the line sets it to home (disabled).
    std::optional<std::filesystem::path> folder;
};

// One line; nullopt for comments, blank and malformed lines.
std::optional<UserDirsAssignment> parse_user_dirs_line(std::string_view line, std::filesystem::path const& home);

}
