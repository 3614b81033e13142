#pragma once

// The four Trash operations every desktop program shares: move items into the
// Trash, list what is there, put items back and delete them for good. Each
// item is kept in a trash folder on its own volume (the home trash under the
// XDG data home, or a volume's `.Trash/$uid` or `.Trash-$uid`), with an info
// file written before the item moves, so an interrupted operation never
// leaves an item without its record.

#include "base/result.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace services::trash {

struct TrashItem {
    // The trash folder holding the item (the one with files/ and info/).
    std::filesystem::path trash_folder;
    // The stored name: files/<name> and info/<name>.trashinfo.
    std::string name;
    // Where the item came from, as an absolute path.
    std::filesystem::path original_path;
    std::string deletion_date;

    std::filesystem::path stored_path() const { return trash_folder / "files" / name; }
    std::filesystem::path info_path() const { return trash_folder / "info" / (name + ".trashinfo"); }
    bool operator==(TrashItem const&) const = default;
};

// Called between the steps that must survive an interruption; tests use them
// to stop the process at the worst moment.
struct TrashHooks {
    std::function<void(std::filesystem::path const& info_path)> after_info_written;
    std::function<void(std::filesystem::path const& restored_path)> after_item_restored;
};

// The home trash folder ($XDG_DATA_HOME/Trash); nothing when the data home is
// unknown.
std::optional<std::filesystem::path> home_trash_folder();

// Moves each path into the trash of its volume, in order. Stops at the first
// item that cannot be trashed; that item stays where it was, and those before
// it stay in the Trash.
[[nodiscard]] base::Result<void> trash_paths(
    std::vector<std::filesystem::path> const& paths, TrashHooks const& hooks = {});

// Every item of the home trash and of the mounted volumes' trash folders that
// belong to the user. Info files without their item, and unreadable or
// unparsable ones, are skipped.
[[nodiscard]] base::Result<std::vector<TrashItem>> list_trash();

// Moves each item back to its original path, never replacing what is there,
// and removes its info file only once the item is back. Stops at the first
// failure.
[[nodiscard]] base::Result<void> restore_items(std::vector<TrashItem> const& items, TrashHooks const& hooks = {});

// Deletes each stored item and then its info file. Stops at the first failure.
[[nodiscard]] base::Result<void> purge_items(std::vector<TrashItem> const& items);

}
