#pragma once

// Which trash folder takes an item, and which trash folders exist.

#include "base/result.h"

#include <filesystem>
#include <optional>
#include <vector>

#include <sys/types.h>

namespace services::trash::detail {

struct TrashFolder {
    std::filesystem::path folder;
    // The volume's top folder for a volume trash (Path= is relative to it);
    // nothing for the home trash (Path= is absolute).
    std::optional<std::filesystem::path> topdir;
};

// The trash folder for an item at `path` (absolute, already inspected), with
// files/ and info/ created. Fails when no trash on the item's volume can be
// used.
[[nodiscard]] base::Result<TrashFolder> trash_folder_for(std::filesystem::path const& path);

// The home trash (when known) and every existing volume trash of this user.
std::vector<TrashFolder> known_trash_folders();

// The volume trash folders of this user under `topdir` that exist and are
// usable: `.Trash/$uid` under a sticky, non-link `.Trash`, and `.Trash-$uid`.
std::vector<TrashFolder> existing_volume_trashes(std::filesystem::path const& topdir);

// The trash folder on the volume mounted at `topdir` for an item on `device`,
// created when missing: `.Trash/$uid` when `.Trash` is usable, else
// `.Trash-$uid` (mode 0700).
[[nodiscard]] base::Result<TrashFolder> volume_trash_for(std::filesystem::path const& topdir, dev_t device);

}
