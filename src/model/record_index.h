#pragma once

// The index of collaborative records that a workspace root publishes in its
// attributes, in three versions: v1 whole in one attribute; v2 and v3 as a
// head plus pages. Readers give nothing for a missing, oversize, malformed or
// failing value. Whether a page is accepted in sequence is the loader's
// concern; these readers only decode.

#include "model/workspace_records.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace files::model {

inline constexpr std::size_t max_record_index_v1_size = 61440;
inline constexpr std::size_t max_record_index_head_size = 49152;
inline constexpr std::size_t max_record_index_page_size = 49152;
inline constexpr std::size_t max_record_index_v1_records = 256;
inline constexpr std::uint32_t record_index_page_entries = 32;

struct RecordIndexEntry {
    RecordId record_id;
    // Relative to the root, beginning with "/"; see resolve_record_path.
    std::string path;
    bool is_dir { false };
    bool operator==(RecordIndexEntry const&) const = default;
};

struct RecordIndexV1 {
    bool truncated { false };
    std::vector<RecordIndexEntry> records;
    bool operator==(RecordIndexV1 const&) const = default;
};

struct RecordIndexV2Head {
    std::string revision; // 64 hexadecimal digits
    std::uint64_t records { 0 };
    std::uint32_t page_entries { record_index_page_entries };
    bool operator==(RecordIndexV2Head const&) const = default;
};

struct RecordIndexV2Page {
    std::uint16_t schema_version { 2 };
    std::string revision;
    std::uint64_t offset { 0 };
    std::optional<std::uint64_t> next_offset;
    std::vector<RecordIndexEntry> records;
    bool operator==(RecordIndexV2Page const&) const = default;
};

struct RecordIndexV3Head {
    std::string revision; // 64 hexadecimal digits
    collab::Uuid initial_cursor;
    std::uint32_t page_entries { record_index_page_entries };
    bool operator==(RecordIndexV3Head const&) const = default;
};

struct RecordIndexV3Page {
    std::uint16_t schema_version { 3 };
    std::string revision;
    std::optional<collab::Uuid> next_cursor;
    std::vector<RecordIndexEntry> records;
    bool operator==(RecordIndexV3Page const&) const = default;
};

// The root joined with a record path. The path must begin with "/" and every
// component after it must be an ordinary name (not empty, ".", or "..").
std::optional<std::filesystem::path> resolve_record_path(std::filesystem::path const& root, std::string_view path);

// v1: schema 1, at most 256 records, record ids strictly ascending by their
// bytes, every path resolvable; otherwise rejected whole.
std::optional<RecordIndexV1> decode_record_index_v1(std::string_view value);
// Heads: schema 2 or 3, a revision of exactly 64 hexadecimal digits (either
// case), 32 entries per page; v3 also an initial cursor that is a UUID.
std::optional<RecordIndexV2Head> decode_record_index_v2_head(std::string_view value);
std::optional<RecordIndexV3Head> decode_record_index_v3_head(std::string_view value);
// Pages: the fields typed as declared, each entry with a resolvable path.
std::optional<RecordIndexV2Page> decode_record_index_v2_page(std::string_view value);
std::optional<RecordIndexV3Page> decode_record_index_v3_page(std::string_view value);

std::optional<RecordIndexV1> read_record_index_v1(std::string const& root);
std::optional<RecordIndexV2Head> read_record_index_v2_head(std::string const& root);
std::optional<RecordIndexV3Head> read_record_index_v3_head(std::string const& root);
// The page at entry `offset` (0, 32, 64, ...) of revision `revision`.
std::optional<RecordIndexV2Page> read_record_index_v2_page(
    std::string const& root, std::string_view revision, std::uint64_t offset);
// The page at `cursor` of revision `revision`.
std::optional<RecordIndexV3Page> read_record_index_v3_page(
    std::string const& root, std::string_view revision, collab::Uuid const& cursor);

// Attribute names of the pages.
std::string record_index_v2_page_name(std::string_view revision, std::uint64_t offset);
std::string record_index_v3_page_name(std::string_view revision, collab::Uuid const& cursor);

// The index a root offers: v3 when its head decodes; otherwise, when the root
// has a v2 attribute at all, the v2 head (none when it does not decode, and
// v1 is then not consulted); otherwise v1 (none when it does not decode).
using SelectedRecordIndex = std::variant<std::monostate, RecordIndexV3Head, RecordIndexV2Head, RecordIndexV1>;
SelectedRecordIndex select_record_index(std::string const& root);

}
