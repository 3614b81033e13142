#pragma once

// Decoders of the collaboration record types from JSON. The reader forms
// decode one value at the reader's position, as part of a larger document;
// the text forms decode a whole document. Each gives nothing when a field is
// missing, mistyped, repeated or out of range, or when the decoded record
// does not validate.

#include "services/collab/collab_types.h"
#include "services/collab/json_reader.h"

#include <optional>
#include <string_view>

namespace collab {

std::optional<FilePropertiesV1> decode_file_properties(json::Reader& reader);
std::optional<FileVersionV1> decode_file_version(json::Reader& reader);
std::optional<FileConflictV1> decode_file_conflict(json::Reader& reader);

std::optional<FilePropertiesV1> decode_file_properties(std::string_view text);
std::optional<FileVersionV1> decode_file_version(std::string_view text);
std::optional<FileConflictV1> decode_file_conflict(std::string_view text);

}
