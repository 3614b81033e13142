#include "model/record_index.h"

#include "model/attribute_names.h"
#include "model/attributes.h"
#include "services/collab/json_fields.h"

#include <algorithm>

namespace files::model {

namespace json = collab::json;
using json::Json;

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

    std::optional<RecordIndexEntry> decode_entry(Json const& value)
    {
        RecordIndexEntry entry;
        if (!json::read_uuid(value, "record_id", entry.record_id) || !json::read_string(value, "path", entry.path)
            || !json::read_bool(value, "is_dir", entry.is_dir) || !is_record_path(entry.path))
            return std::nullopt;
        return entry;
    }

    bool read_entries(Json const& object, std::size_t max_count, std::vector<RecordIndexEntry>& out)
    {
        Json const* list = json::member(object, "records");
        if (!list || !list->is_array() || list->size() > max_count)
            return false;
        out.reserve(list->size());
        for (auto const& item : *list) {
            auto entry = decode_entry(item);
            if (!entry)
                return false;
            out.push_back(std::move(*entry));
        }
        return true;
    }

    bool strictly_ascending(std::vector<RecordIndexEntry> const& records)
    {
        return std::adjacent_find(records.begin(), records.end(), [](auto const& a, auto const& b) {
            return !(a.record_id.bytes < b.record_id.bytes);
        }) == records.end();
    }

    template<typename Head> bool read_head_common(Json const& value, Head& head)
    {
        return json::read_string(value, "revision", head.revision) && is_revision(head.revision)
            && json::read_unsigned(value, "page_entries", head.page_entries)
            && head.page_entries == record_index_page_entries;
    }

    template<typename Page> bool read_page_common(Json const& value, std::uint16_t schema, Page& page)
    {
        page.schema_version = schema;
        // The page's record count is checked by the loader against the head;
        // the value's size bound already limits it here.
        return json::has_schema_version(value, schema) && json::read_string(value, "revision", page.revision)
            && read_entries(value, max_record_index_page_size, page.records);
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
    auto parsed = json::parse_bounded(value, max_record_index_v1_size);
    if (!parsed || !json::has_schema_version(*parsed, 1))
        return std::nullopt;
    RecordIndexV1 index;
    if (!json::read_bool(*parsed, "truncated", index.truncated)
        || !read_entries(*parsed, max_record_index_v1_records, index.records) || !strictly_ascending(index.records))
        return std::nullopt;
    return index;
}

std::optional<RecordIndexV2Head> decode_record_index_v2_head(std::string_view value)
{
    auto parsed = json::parse_bounded(value, max_record_index_head_size);
    if (!parsed || !json::has_schema_version(*parsed, 2))
        return std::nullopt;
    RecordIndexV2Head head;
    if (!read_head_common(*parsed, head) || !json::read_u64(*parsed, "records", head.records))
        return std::nullopt;
    return head;
}

std::optional<RecordIndexV3Head> decode_record_index_v3_head(std::string_view value)
{
    auto parsed = json::parse_bounded(value, max_record_index_head_size);
    if (!parsed || !json::has_schema_version(*parsed, 3))
        return std::nullopt;
    RecordIndexV3Head head;
    if (!read_head_common(*parsed, head) || !json::read_uuid(*parsed, "initial_cursor", head.initial_cursor))
        return std::nullopt;
    return head;
}

std::optional<RecordIndexV2Page> decode_record_index_v2_page(std::string_view value)
{
    auto parsed = json::parse_bounded(value, max_record_index_page_size);
    if (!parsed)
        return std::nullopt;
    RecordIndexV2Page page;
    if (!read_page_common(*parsed, 2, page) || !json::read_u64(*parsed, "offset", page.offset)
        || !json::read_optional_u64(*parsed, "next_offset", page.next_offset))
        return std::nullopt;
    return page;
}

std::optional<RecordIndexV3Page> decode_record_index_v3_page(std::string_view value)
{
    auto parsed = json::parse_bounded(value, max_record_index_page_size);
    if (!parsed)
        return std::nullopt;
    RecordIndexV3Page page;
    if (!read_page_common(*parsed, 3, page))
        return std::nullopt;
    Json const* cursor = json::member(*parsed, "next_cursor");
    if (cursor && !cursor->is_null()) {
        collab::Uuid next;
        if (!json::as_uuid(*cursor, next))
            return std::nullopt;
        page.next_cursor = next;
    }
    return page;
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
