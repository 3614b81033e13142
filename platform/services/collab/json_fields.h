#pragma once

// Strict field readers over parsed JSON for the records the synchronising
// file system publishes. Each returns false when the field is missing (for a
// required one) or has the wrong type or range, so a decoder can reject the
// whole record on the first bad field.

#include "services/collab/collab_types.h"
#include "services/collab/uuid.h"

#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace collab::json {

using Json = nlohmann::json;

// Parses `text` when it is at most `bound` bytes long and is exactly one JSON
// value with nothing but whitespace after it; otherwise nothing. The bound
// is checked before any parsing.
std::optional<Json> parse_bounded(std::string_view text, std::size_t bound);

// The member `key` of an object, or null when `object` is not an object or
// lacks it.
Json const* member(Json const& object, char const* key);

bool read_u64(Json const& object, char const* key, std::uint64_t& out);
bool read_optional_u64(Json const& object, char const* key, std::optional<std::uint64_t>& out);
bool read_bool(Json const& object, char const* key, bool& out);
bool read_string(Json const& object, char const* key, std::string& out);
bool read_optional_string(Json const& object, char const* key, std::optional<std::string>& out);
bool read_uuid(Json const& object, char const* key, Uuid& out);
bool read_digest(Json const& object, char const* key, Digest32& out);
bool read_optional_digest(Json const& object, char const* key, std::optional<Digest32>& out);
bool as_uuid(Json const& value, Uuid& out);
bool as_digest(Json const& value, Digest32& out);

template<typename T> bool read_unsigned(Json const& object, char const* key, T& out)
{
    std::uint64_t wide = 0;
    if (!read_u64(object, key, wide) || wide > std::numeric_limits<T>::max())
        return false;
    out = static_cast<T>(wide);
    return true;
}

template<typename T> bool read_optional_unsigned(Json const& object, char const* key, std::optional<T>& out)
{
    std::optional<std::uint64_t> wide;
    if (!read_optional_u64(object, key, wide) || (wide && *wide > std::numeric_limits<T>::max()))
        return false;
    out = wide ? std::optional<T>(static_cast<T>(*wide)) : std::nullopt;
    return true;
}

// The record's `schema_version` is present and equals `expected`.
bool has_schema_version(Json const& object, std::uint16_t expected);

}
