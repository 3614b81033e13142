#pragma once

// Name rules shared by the archive readers, the writer and the commands:
// UTF-8 checks, extensions and stems of file names, and entry path sanitising.

#include "base/result.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace files::fileops::archive_detail {

[[nodiscard]] bool is_valid_utf8(std::string_view text);

// `text` with every ill-formed sequence replaced by U+FFFD.
[[nodiscard]] std::string utf8_with_replacement(std::string_view text);

// The extension of a file name: the text after the last full stop, unless the
// name has no full stop or only a leading one (".profile" has none).
[[nodiscard]] std::optional<std::string_view> name_extension(std::string_view name);

// The file name without its extension and that full stop.
[[nodiscard]] std::string_view name_stem(std::string_view name);

[[nodiscard]] bool equals_ignoring_ascii_case(std::string_view a, std::string_view b);

// Splits a stored entry path into its components, dropping "." and empty
// ones. A leading slash or a ".." component fails with "archive entry escapes
// its destination"; nothing left fails with "empty archive entry".
[[nodiscard]] base::Result<std::vector<std::string>> sanitise_entry_path(std::string_view stored);

[[nodiscard]] std::string join_components(std::vector<std::string> const& components);

}
