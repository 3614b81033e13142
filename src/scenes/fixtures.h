#pragma once

// The demonstration folders that scenes build in the temporary folder: each
// is removed with its contents and created again before use, so every render
// of a scene starts from the same bytes and modification times.

#include "base/result.h"
#include "scenes/scene_table.h"

#include <filesystem>
#include <optional>

namespace files::scenes {

inline constexpr char const* sync_fixture_name = "kesu-files-sync-demo";
inline constexpr char const* thumbnails_fixture_name = "kesu-files-thumbnails-demo";
inline constexpr char const* embedded_thumbnails_fixture_name = "kesu-files-thumbnails-fs-demo";
inline constexpr char const* archive_fixture_name = "kesu-files-archive-demo.zip";

struct BuiltFixture {
    // Where the scene opens: the folder, or the archive file itself.
    std::filesystem::path location;
    // The scene makes the location the only workspace root.
    bool is_workspace_root { false };
};

// Builds the fixture in `temp`; nothing for SceneFixture::None. Only a failure
// to create the archive file fails; other failing steps (a folder, a file, an
// attribute) are skipped and the scene shows whatever exists.
[[nodiscard]] base::Result<std::optional<BuiltFixture>> build_fixture(
    SceneFixture fixture, std::filesystem::path const& temp);

}
