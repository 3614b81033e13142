#pragma once

// MIME types guessed from a file name's extension alone.

#include <string_view>

namespace files::model {

inline constexpr std::string_view octet_stream_mime = "application/octet-stream";

// The registered type for the name's extension (matched without regard to
// case), or application/octet-stream when there is no extension or it is not
// in the table. A leading full stop does not start an extension (".profile").
std::string_view mime_for_name(std::string_view file_name);

}
