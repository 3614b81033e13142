#pragma once

// The user-directory service: where the user keeps documents, downloads,
// pictures, music and videos, read from the user-dirs configuration file
// (`user-dirs.dirs` in the configuration home) the desktop's session writes.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace services {

// The content folders, in the order the service offers them.
enum class UserDirKind : std::uint8_t {
    Documents,
    Downloads,
    Pictures,
    Music,
    Videos,
};

inline constexpr std::array<UserDirKind, 5> all_user_dir_kinds {
    UserDirKind::Documents,
    UserDirKind::Downloads,
    UserDirKind::Pictures,
    UserDirKind::Music,
    UserDirKind::Videos,
};

struct UserDir {
    UserDirKind kind;
    std::filesystem::path path;

    bool operator==(UserDir const&) const = default;
};

// The largest configuration file read; a larger one is ignored as damaged.
inline constexpr std::size_t max_user_dirs_file_size = 64 * 1024;

class UserDirs {
public:
    // Nothing known: no home and no content folders.
    UserDirs() = default;

    // The folders for `home` as `text` (the content of a user-dirs file)
    // names them. Lines look like XDG_DOCUMENTS_DIR="$HOME/Documents" or
    // XDG_MUSIC_DIR="/srv/music"; inside the quotes a backslash takes the next
    // character literally. Malformed lines are skipped, a later line for the
    // same folder wins, a folder the text does not name gets its standard
    // name below home, and a folder set to home itself is disabled.
    static UserDirs parse(std::string_view text, std::filesystem::path home);

    // As parse, reading `config_home`/user-dirs.dirs; a missing, unreadable
    // or oversized file counts as empty.
    static UserDirs load(std::filesystem::path home, std::optional<std::filesystem::path> const& config_home);

    // The current user's folders. With a home override the configuration is
    // read from the overriding home's own .config, so a substitute home never
    // mixes with the account's real folders.
    static UserDirs for_current_user();

    std::optional<std::filesystem::path> const& home() const { return m_home; }

    // The configured folder of a kind, whether or not it exists.
    std::optional<std::filesystem::path> const& folder(UserDirKind kind) const;

    // The configured folders that exist as folders now, in service order.
    std::vector<UserDir> content_places() const;

    // The kind whose configured folder equals `path` component by component
    // (a trailing separator makes no difference); the first in service order
    // when several kinds share a folder.
    std::optional<UserDirKind> classify(std::filesystem::path const& path) const;

private:
    std::optional<std::filesystem::path> m_home;
    std::array<std::optional<std::filesystem::path>, all_user_dir_kinds.size()> m_folders;
};

}
