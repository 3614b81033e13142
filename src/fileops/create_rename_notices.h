#pragma once

// The explorer's create and rename commands as outcomes: what was created or
// renamed, whether the rename editor closes, and the notice to show. The
// caller re-reads the folder, selects the new entry and opens or closes the
// editor accordingly.

#include "fileops/transfer_message.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace files::fileops {

struct CreateOutcome {
    // The new item, to select and rename; nothing on failure.
    std::optional<std::filesystem::path> created;
    Message notice;
};

// New folder with the default name (files-new-folder-default-name, already
// resolved in the current language): files-created-folder, or
// files-new-folder-failed with `error`.
CreateOutcome new_folder(
    std::filesystem::path const& folder, std::string const& default_name, MessageResolver const& resolve);

// New file from template: files-created-file, or files-new-file-failed with
// `error`.
CreateOutcome new_file_from_template(
    std::filesystem::path const& template_path, std::filesystem::path const& folder, MessageResolver const& resolve);

enum class RenameEditor {
    Close,
    StayOpen,
};

struct RenameOutcome {
    RenameEditor editor;
    // The renamed item's path after a rename.
    std::optional<std::filesystem::path> renamed;
    // Nothing when the name was left unchanged.
    std::optional<Message> notice;
};

// Commit rename: an unchanged name (after trimming; a current name that is
// not UTF-8 never equals) closes the editor without a notice; success closes
// it with files-renamed; failure keeps it open with files-rename-failed.
RenameOutcome commit_rename(std::filesystem::path const& path, std::string_view typed, MessageResolver const& resolve);

}
