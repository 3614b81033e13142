#pragma once

// Workspace roots: the folders of the synchronising file system, and the
// folder the explorer opens when the launch names none.

#include "favorites/places.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace files::favorites {

// Names the list of roots (colon-separated). When it is set, even to an
// empty value, it replaces every default.
inline constexpr char const* workspace_roots_variable = "KESU_WORKSPACE_ROOTS";

// The fixed places the defaults look at; tests substitute their own.
struct WorkspaceLocations {
    // The system-wide workspace root, used when it exists.
    std::filesystem::path shared_root { "/var/workspace" };
    // Opened at start when no root is configured and it exists.
    std::filesystem::path workspace_folder { "/workspace" };
};

// From the variable: its existing elements in order, empty elements skipped,
// relative ones made absolute against the working directory. Without it: the
// shared root if it exists, then home/Shared if it exists and is not listed.
std::vector<std::filesystem::path> workspace_roots(
    std::optional<std::filesystem::path> const& home, WorkspaceLocations const& locations = {});

// As workspace_roots, but without the home/Shared default.
std::vector<std::filesystem::path> workspace_roots_without_home_default(WorkspaceLocations const& locations = {});

// The first root, in list order, that equals `path` or contains it.
std::optional<std::filesystem::path> root_containing(
    std::filesystem::path const& path, std::vector<std::filesystem::path> const& roots);

// The root's folder name, or the Workspace label when it has none ("/").
Label root_label(std::filesystem::path const& root);

// The first root; else, when the variable is unset, the workspace folder if
// it exists; else home; else the working directory; else "/".
std::filesystem::path start_location(std::vector<std::filesystem::path> const& roots,
    std::optional<std::filesystem::path> const& home, WorkspaceLocations const& locations = {});

}
