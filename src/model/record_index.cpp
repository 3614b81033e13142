#include "model/record_index.h"

#include "model/attribute_names.h"
#include "model/attributes.h"
#include "services/collab/json_fields.h"

#include <algorithm>

namespace files::model {

namespace json = collab::json;
using json::ObjectFields;
using json::Reader;

namespace {

    bool is_revision(std::string const& text)
    {
        return text.size() == 64 && std::all_of(text.begin(), text.end(), [](char c) {
            return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        });
    }

    bool is_record_path(std::string_view path)
    {
        if (path.empty() || path.front() != '/')
            return false;
        path.remove_prefix(1);
        // "/" alone names the root itself, which is not a record below it.
        if (path.empty())
            return false;
        while (true) {
            auto const end = std::min(path.find('/'), path.size());
            auto const component = path.substr(0, end);
            if (component.empty() || component == "." || component == "..")
                return false;
            if (end == path.size())
                return true;
            path.remove_prefix(end + 1);
        }
    }

    bool read_schema(Reader& reader, std::uint16_t expected)
    {
        std::uint16_t version = 0;
        return reader.read_unsigned(version) && (version == expected || reader.fail());
    }

    std::optional<RecordIndexEntry> read_entry(Reader& reader)
    {
        static constexpr std::string_view names[] = { "record_id", "path", "is_dir" };
        enum Field : std::size_t { Record, Path, IsDir };
        RecordIndexEntry entry;
        ObjectFields fields(reader, names);
        while (auto field = fields.next()) {
            bool ok = false;
            switch (static_cast<Field>(*field)) {
            case Record:
                ok = json::read_uuid(reader, entry.record_id);
                break;
            case Path:
                ok = json::read_string(reader, entry.path) && is_record_path(entry.path);
                break;
            case IsDir:
                ok = reader.read_bool(entry.is_dir);
                break;
            }
            if (!ok)
                return std::nullopt;
        }
        if (!fields.complete({ Record, Path, IsDir }))
            return std::nullopt;
        return entry;
    }

    bool read_entries(Reader& reader, std::size_t max_count, std::vector<RecordIndexEntry>& out)
    {
        return json::read_list(reader, max_count, out, read_entry);
    }

    bool strictly_ascending(std::vector<RecordIndexEntry> const& records)
    {
        return std::adjacent_find(records.begin(), records.end(), [](auto const& a, auto const& b) {
            return !(a.record_id.bytes < b.record_id.bytes);
        }) == records.end();
    }

    bool read_revision(Reader& reader, std::string& out)
    {
        return json::read_string(reader, out) && (is_revision(out) || reader.fail());
    }

    bool read_page_entries(Reader& reader, std::uint32_t& out)
    {
        return reader.read_unsigned(out) && (out == record_index_page_entries || reader.fail());
    }

    std::optional<RecordIndexV1> read_v1(Reader& reader)
    {
        static constexpr std::string_view names[] = { "schema_version", "truncated", "records" };
        enum Field : std::size_t { Schema, Truncated, Records };
        RecordIndexV1 index;
        ObjectFields fields(reader, names);
        while (auto field = fields.next()) {
            bool ok = false;
            switch (static_cast<Field>(*field)) {
            case Schema:
                ok = read_schema(reader, 1);
                break;
            case Truncated:
                ok = reader.read_bool(index.truncated);
                break;
            case Records:
                ok = read_entries(reader, max_record_index_v1_records, index.records);
                break;
            }
            if (!ok)
                return std::nullopt;
        }
        if (!fields.complete({ Schema, Truncated, Records }) || !strictly_ascending(index.records))
            return std::nullopt;
        return index;
    }

    std::optional<RecordIndexV2Head> read_v2_head(Reader& reader)
    {
        static constexpr std::string_view names[] = { "schema_version", "revision", "records", "page_entries" };
        enum Field : std::size_t { Schema, Revision, Records, PageEntries };
        RecordIndexV2Head head;
        ObjectFields fields(reader, names);
        while (auto field = fields.next()) {
            bool ok = false;
            switch (static_cast<Field>(*field)) {
            case Schema:
                ok = read_schema(reader, 2);
                break;
            case Revision:
                ok = read_revision(reader, head.revision);
                break;
            case Records:
                ok = reader.read_u64(head.records);
                break;
            case PageEntries:
                ok = read_page_entries(reader, head.page_entries);
                break;
            }
            if (!ok)
                return std::nullopt;
        }
        if (!fields.complete({ Schema, Revision, Records, PageEntries }))
            return std::nullopt;
        return head;
    }

    std::optional<RecordIndexV3Head> read_v3_head(Reader& reader)
    {
        static constexpr std::string_view names[] = { "schema_version", "revision", "initial_cursor", "page_entries" };
        enum Field : std::size_t { Schema, Revision, InitialCursor, PageEntries };
        RecordIndexV3Head head;
        ObjectFields fields(reader, names);
        while (auto field = fields.next()) {
            bool ok = false;
            switch (static_cast<Field>(*field)) {
            case Schema:
                ok = read_schema(reader, 3);
                break;
            case Revision:
                ok = read_revision(reader, head.revision);
                break;
            case InitialCursor:
                ok = json::read_uuid(reader, head.initial_cursor);
                break;
            case PageEntries:
                ok = read_page_entries(reader, head.page_entries);
                break;
            }
            if (!ok)
                return std::nullopt;
        }
        if (!fields.complete({ Schema, Revision, InitialCursor, PageEntries }))
            return std::nullopt;
        return head;
    }

    // The page's record count is checked by the loader against the head; the
    // value's size bound already limits it here.
    std::optional<RecordIndexV2Page> read_v2_page(Reader& reader)
    {
        static constexpr std::string_view names[]
            = { "schema_version", "revision", "offset", "next_offset", "records" };
        enum Field : std::size_t { Schema, Revision, Offset, NextOffset, Records };
        RecordIndexV2Page page;
        ObjectFields fields(reader, names);
        while (auto field = fields.next()) {
            bool ok = false;
            switch (static_cast<Field>(*field)) {
            case Schema:
                ok = read_schema(reader, 2);
                break;
            case Revision:
                ok = json::read_string(reader, page.revision);
                break;
            case Offset:
                ok = reader.read_u64(page.offset);
                break;
            case NextOffset:
                ok = json::read_optional_u64(reader, page.next_offset);
                break;
            case Records:
                ok = read_entries(reader, max_record_index_page_size, page.records);
                break;
            }
            if (!ok)
                return std::nullopt;
        }
        if (!fields.complete({ Schema, Revision, Offset, Records }))
            return std::nullopt;
        return page;
    }

    std::optional<RecordIndexV3Page> read_v3_page(Reader& reader)
    {
        static constexpr std::string_view names[] = { "schema_version", "revision", "next_cursor", "records" };
        enum Field : std::size_t { Schema, Revision, NextCursor, Records };
        RecordIndexV3Page page;
        ObjectFields fields(reader, names);
        while (auto field = fields.next()) {
            bool ok = false;
            switch (static_cast<Field>(*field)) {
            case Schema:
                ok = read_schema(reader, 3);
                break;
            case Revision:
                ok = json::read_string(reader, page.revision);
                break;
            case NextCursor:
                ok = json::read_optional_uuid(reader, page.next_cursor);
                break;
            case Records:
                ok = read_entries(reader, max_record_index_page_size, page.records);
                break;
            }
            if (!ok)
                return std::nullopt;
        }
        if (!fields.complete({ Schema, Revision, Records }))
            return std::nullopt;
        return page;
    }

    template<typename T, typename Decode>
    std::optional<T> read_decoded(std::string const& root, char const* name, std::size_t bound, Decode&& decode)
    {
        auto value = read_attribute(root, name, bound);
        if (!value)
            return std::nullopt;
        return decode(*value);
    }

}

std::optional<std::filesystem::path> resolve_record_path(std::filesystem::path const& root, std::string_view path)
{
    if (!is_record_path(path))
        return std::nullopt;
    return root / std::filesystem::path(path.substr(1));
}

std::optional<RecordIndexV1> decode_record_index_v1(std::string_view value)
{
    return json::decode_document(value, max_record_index_v1_size, read_v1);
}

std::optional<RecordIndexV2Head> decode_record_index_v2_head(std::string_view value)
{
    return json::decode_document(value, max_record_index_head_size, read_v2_head);
}

std::optional<RecordIndexV3Head> decode_record_index_v3_head(std::string_view value)
{
    return json::decode_document(value, max_record_index_head_size, read_v3_head);
}

std::optional<RecordIndexV2Page> decode_record_index_v2_page(std::string_view value)
{
    return json::decode_document(value, max_record_index_page_size, read_v2_page);
}

std::optional<RecordIndexV3Page> decode_record_index_v3_page(std::string_view value)
{
    return json::decode_document(value, max_record_index_page_size, read_v3_page);
}

std::string record_index_v2_page_name(std::string_view revision, std::uint64_t offset)
{
    return std::string(attribute::record_index_v2) + "." + std::string(revision) + "." + std::to_string(offset);
}

std::string record_index_v3_page_name(std::string_view revision, collab::Uuid const& cursor)
{
    return std::string(attribute::record_index_v3) + "." + std::string(revision) + "." + cursor.to_text();
}

std::optional<RecordIndexV1> read_record_index_v1(std::string const& root)
{
    return read_decoded<RecordIndexV1>(
        root, attribute::record_index_v1, max_record_index_v1_size, decode_record_index_v1);
}

std::optional<RecordIndexV2Head> read_record_index_v2_head(std::string const& root)
{
    return read_decoded<RecordIndexV2Head>(
        root, attribute::record_index_v2, max_record_index_head_size, decode_record_index_v2_head);
}

std::optional<RecordIndexV3Head> read_record_index_v3_head(std::string const& root)
{
    return read_decoded<RecordIndexV3Head>(
        root, attribute::record_index_v3, max_record_index_head_size, decode_record_index_v3_head);
}

std::optional<RecordIndexV2Page> read_record_index_v2_page(
    std::string const& root, std::string_view revision, std::uint64_t offset)
{
    auto const name = record_index_v2_page_name(revision, offset);
    return read_decoded<RecordIndexV2Page>(root, name.c_str(), max_record_index_page_size, decode_record_index_v2_page);
}

std::optional<RecordIndexV3Page> read_record_index_v3_page(
    std::string const& root, std::string_view revision, collab::Uuid const& cursor)
{
    auto const name = record_index_v3_page_name(revision, cursor);
    return read_decoded<RecordIndexV3Page>(root, name.c_str(), max_record_index_page_size, decode_record_index_v3_page);
}

SelectedRecordIndex select_record_index(std::string const& root)
{
    if (auto v3 = read_record_index_v3_head(root))
        return std::move(*v3);
    if (has_attribute(root, attribute::record_index_v2)) {
        if (auto v2 = read_record_index_v2_head(root))
            return std::move(*v2);
        return std::monostate {};
    }
    if (auto v1 = read_record_index_v1(root))
        return std::move(*v1);
    return std::monostate {};
}

}
