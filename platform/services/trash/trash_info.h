#pragma once

// The `.trashinfo` file format and the percent encoding that its `Path=` key
// and the `directorysizes` file share. Paths are handled as raw bytes, so a
// name that is not UTF-8 survives a round trip unchanged.

#include "base/result.h"

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace services::trash {

// Percent-encodes every byte outside the unreserved set with upper-case hex;
// "/" is kept.
std::string percent_encode(std::string_view bytes);

// Decodes "%XX" escapes in either case; nothing for a malformed escape or an
// encoded NUL byte.
std::optional<std::string> percent_decode(std::string_view text);

struct TrashInfo {
    // The raw bytes of the original path: absolute for the home trash,
    // relative to the volume's top folder for a volume trash.
    std::string path;
    // Local time as YYYY-MM-DDThh:mm:ss; empty when the file gave none.
    std::string deletion_date;
};

// The local time in the format of DeletionDate=.
std::string format_deletion_date(std::time_t when);

// The text of an info file.
std::string format_trash_info(TrashInfo const& info);

// Reads an info file's text: the "[Trash Info]" group must come first among
// the groups and hold a decodable, non-empty Path= key. Fails with a fixed
// English text otherwise.
[[nodiscard]] base::Result<TrashInfo> parse_trash_info(std::string_view text);

}
