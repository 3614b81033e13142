#pragma once

// The archive commands of the explorer as plain operations on paths: choose
// the destination names, run the extraction or compression, and describe the
// outcome as a catalogue message id with its arguments. The executor resolves
// the message and re-reads the folder.

#include "fileops/transfer_message.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

namespace files::fileops {

// The folder name an archive extracts to: its file name without trailing
// ".gz", then ".tar", then ".zip" (each removed repeatedly, case-sensitively);
// "Archive" for a name that is not valid UTF-8 or that nothing would be left of.
[[nodiscard]] std::string extraction_base_name(std::filesystem::path const& archive_path);

// parent / base, else parent / "base n" for the first n = 2, 3, ... at which
// nothing exists (a dangling link counts as something).
[[nodiscard]] std::filesystem::path extraction_destination(
    std::filesystem::path const& parent, std::string const& base);

// The stem of a single selected item when it is valid UTF-8, else "Archive".
[[nodiscard]] std::string compression_base_name(std::vector<std::filesystem::path> const& selection);

// folder / "base.zip", else folder / "base n.zip" for the first free n = 2, 3, ...
[[nodiscard]] std::filesystem::path compression_target(std::filesystem::path const& folder, std::string const& base);

// Extracts every supported archive of `selection` beside itself (into
// `current_folder` when the path has no parent). Gives files-archive-select,
// files-archive-extracted (count) or files-archive-extracted-partial (count,
// failures).
[[nodiscard]] Message extract_selected_archives(
    std::vector<std::filesystem::path> const& selection, std::filesystem::path const& current_folder);

// Extracts one archive into its parent folder. Gives files-archive-extracted
// (count) or files-archive-extract-failed (error).
[[nodiscard]] Message extract_browsed_archive(std::filesystem::path const& archive_path);

// Compresses the selection into a new ZIP in `current_folder`. Gives
// files-archive-select-compress, files-archive-created (name) or
// files-archive-create-failed (error).
[[nodiscard]] Message compress_selection(
    std::vector<std::filesystem::path> const& selection, std::filesystem::path const& current_folder);

}
