#pragma once

// The templates folder and the files offered by "New file from template".

#include "base/result.h"
#include "fileops/transfer_message.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace files::fileops {

// $XDG_TEMPLATES_DIR when it is valid UTF-8 and not blank (trimmed),
// otherwise the home folder's "Templates"; nothing without a home folder.
std::optional<std::filesystem::path> templates_folder();

// The regular files directly in `folder` whose names do not begin with a full
// stop, sorted by path. Folders, links and other types are left out; an
// unreadable folder gives an empty list.
std::vector<std::filesystem::path> list_templates(std::filesystem::path const& folder);

// The menu label of a template: files-new-from-template with `name` = the
// file stem, or the whole name when there is no stem.
Message template_label(std::filesystem::path const& template_path);

// Copies the template into `folder` under its own name, numbered when taken,
// with its content and permission bits; returns the new file's path.
[[nodiscard]] base::Result<std::filesystem::path> create_from_template(
    std::filesystem::path const& template_path, std::filesystem::path const& folder, MessageResolver const& resolve);

}
