#pragma once

// Start-up decisions of the explorer that do not need a window: the actor id
// under which this process records its changes, and reading a received-share
// link from standard input.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace files::app {

// Looks up an environment variable; nothing when unset.
using EnvironmentLookup = std::function<std::optional<std::string>(char const* name)>;
EnvironmentLookup process_environment();

// QUICK_APP_ID unchanged if set and non-empty; else "files-" + KESU_USER_ID if
// set and non-empty; else "files-" + the first 12 hex digits of the current
// actor. Values that are not valid UTF-8 count as unset.
std::string choose_actor_id(EnvironmentLookup const& environment, std::vector<std::uint8_t> const& current_actor);

inline constexpr std::size_t max_share_link_bytes = 16384;

// The link text, or the catalogue id of the notice that explains why there is
// none ("files-received-link-read-failed", "-too-large", "-invalid-text", "-empty").
struct ShareLinkRefusal {
    std::string message_id;
    bool operator==(ShareLinkRefusal const&) const = default;
};
using ShareLinkRead = std::variant<std::string, ShareLinkRefusal>;

// Reads `fd` to its end but at most one byte past the bound, retrying
// interrupted reads, then applies the bound, the UTF-8 check and the trimming
// of trailing CR and LF.
ShareLinkRead read_share_link(int fd);

// The share mode switch: any argument exactly "--open-share-stdin".
bool share_mode_requested(std::vector<std::string> const& arguments);

// Makes a path to open absolute against the working directory, lexically.
// Fails with "cannot make an empty path absolute" for an empty path.
std::optional<std::string> absolute_path_to_open(std::string const& path, std::string* failure);

}
