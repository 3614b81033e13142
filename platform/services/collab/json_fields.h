#pragma once

// Typed field readers over a json::Reader for the records the synchronising
// file system publishes. Each consumes one value and returns false when it
// has the wrong type or range, so a decoder can reject the whole record on
// the first bad field. "Optional" readers also accept null, which leaves the
// field empty; a missing member leaves it empty as well.

#include "services/collab/collab_types.h"
#include "services/collab/json_reader.h"
#include "services/collab/uuid.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace collab::json {

bool read_string(Reader& reader, std::string& out);
bool read_optional_string(Reader& reader, std::optional<std::string>& out);
bool read_optional_u64(Reader& reader, std::optional<std::uint64_t>& out);
// The hyphenated UUID text in either case.
bool read_uuid(Reader& reader, Uuid& out);
bool read_optional_uuid(Reader& reader, std::optional<Uuid>& out);
// An array of exactly 32 integers 0..255.
bool read_digest(Reader& reader, Digest32& out);
bool read_optional_digest(Reader& reader, std::optional<Digest32>& out);
// An array of at most `max_count` UUID texts; counted as it is read, so a
// longer array is refused at its first extra element.
bool read_uuid_list(Reader& reader, std::size_t max_count, std::vector<Uuid>& out);

template<typename T> bool read_optional_unsigned(Reader& reader, std::optional<T>& out)
{
    if (reader.peek() == ValueKind::Null) {
        out.reset();
        return reader.read_null();
    }
    T value {};
    if (!reader.read_unsigned(value))
        return false;
    out = value;
    return true;
}

// A string that must be one of `names`, case-sensitive.
template<typename Enum, std::size_t N>
bool read_enum(Reader& reader, std::pair<std::string_view, Enum> const (&names)[N], Enum& out)
{
    std::string_view text;
    if (!reader.read_string(text))
        return false;
    for (auto const& [name, value] : names) {
        if (text == name) {
            out = value;
            return true;
        }
    }
    return reader.fail();
}

// Reads the elements of an array with `read_element` (taking the reader,
// giving an optional element), at most `max_count` of them.
template<typename T, typename ReadElement>
bool read_list(Reader& reader, std::size_t max_count, std::vector<T>& out, ReadElement&& read_element)
{
    out.clear();
    if (!reader.begin_array())
        return false;
    while (reader.next_element()) {
        if (out.size() == max_count)
            return reader.fail();
        auto element = read_element(reader);
        if (!element)
            return reader.fail();
        out.push_back(std::move(*element));
    }
    return reader.ok();
}

// Reads a whole document with `decode` (taking the reader, giving an
// optional record): the record counts only when the text is at most `bound`
// bytes, which is checked before anything is parsed, and nothing but
// whitespace follows the value.
template<typename Decode>
auto decode_document(std::string_view text, std::size_t bound, Decode&& decode)
    -> decltype(decode(std::declval<Reader&>()))
{
    if (text.size() > bound)
        return std::nullopt;
    Reader reader(text);
    auto decoded = decode(reader);
    if (!decoded || !reader.finish())
        return std::nullopt;
    return decoded;
}

}
