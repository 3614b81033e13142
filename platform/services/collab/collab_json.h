#pragma once

// Decoders of the collaboration record types from parsed JSON. Each gives
// nothing when a field is missing, mistyped or out of range, or when the
// decoded record does not validate.

#include "services/collab/collab_types.h"

#include <nlohmann/json_fwd.hpp>
#include <optional>

namespace collab {

std::optional<FilePropertiesV1> decode_file_properties(nlohmann::json const& value);
std::optional<FileVersionV1> decode_file_version(nlohmann::json const& value);
std::optional<FileConflictV1> decode_file_conflict(nlohmann::json const& value);

}
