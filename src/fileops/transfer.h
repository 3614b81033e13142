#pragma once

// Copies and moves one item into a destination folder without ever
// overwriting: the item gets the first free name among its own and the
// numbered "stem n.extension" names. A copy is built in a private staging
// folder and published by one rename, so a partial tree is never visible
// under its final name. A move is one rename when the file system allows it;
// otherwise the source is copied, then removed, and put back from the copy if
// anything fails after it was removed.

#include "base/result.h"
#include "fileops/transfer_message.h"

#include <filesystem>
#include <string_view>

namespace files::fileops {

enum class TransferMode {
    Copy,
    Move,
};

inline constexpr std::string_view into_itself_text = "cannot copy or move a folder into itself";
inline constexpr std::string_view already_in_folder_text = "the item is already in this folder";
inline constexpr std::string_view staging_retained_text = "; private staging retained at ";
inline constexpr std::string_view restoration_failed_text = "; source restoration failed: ";
inline constexpr std::string_view staged_data_retained_text = "; staged data retained at ";
inline constexpr std::string_view quarantine_retained_text = "; partial source quarantine retained at ";

// Transfers `source` into `destination_folder` and returns the new item's
// path. The failure text is the one the user reads: a fixed English text, a
// message resolved through `resolve`, or the OS error text, with any private
// folder left behind named in it.
[[nodiscard]] base::Result<std::filesystem::path> transfer_item(std::filesystem::path const& source,
    std::filesystem::path const& destination_folder, TransferMode mode, MessageResolver const& resolve);

[[nodiscard]] base::Result<std::filesystem::path> copy_item(std::filesystem::path const& source,
    std::filesystem::path const& destination_folder, MessageResolver const& resolve);

[[nodiscard]] base::Result<std::filesystem::path> move_item(std::filesystem::path const& source,
    std::filesystem::path const& destination_folder, MessageResolver const& resolve);

}
