#pragma once

// The breadcrumb segments of a location: where the trail starts (a workspace
// root, home or the file system root) and one segment per folder below it.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace files::path_bar {

struct Segment {
    std::string label;
    std::filesystem::path path;
    bool operator==(Segment const&) const = default;
};

// The glyph in front of the trail, chosen by what the first segment is.
enum class LeadingIcon : std::uint8_t {
    Workspace,
    Drive,
    Home,
};

struct Breadcrumbs {
    std::vector<Segment> segments;
    LeadingIcon icon { LeadingIcon::Drive };
};

// First match wins: inside a workspace root (the first in list order), the
// trail starts at the root, labelled with its folder name or "Workspace";
// else inside a known home, at "Home"; else at "/". Then one segment per
// ordinary component ("." and ".." are skipped), labelled with its name
// (invalid UTF-8 replaced) and standing for the path up to it.
Breadcrumbs breadcrumbs_for(std::filesystem::path const& location, std::vector<std::filesystem::path> const& roots,
    std::optional<std::filesystem::path> const& home);

}
