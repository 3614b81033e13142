#include "services/collab/collab_types.h"

#include "services/collab/json_reader.h"

#include <algorithm>
#include <set>

namespace collab {

namespace {

    constexpr std::size_t max_media_text = 64;

    bool is_media_text(std::optional<std::string> const& text)
    {
        if (!text)
            return true;
        if (text->empty() || text->size() > max_media_text)
            return false;
        return std::all_of(text->begin(), text->end(), [](char c) { return c >= 0x20 && c < 0x7F; });
    }

    bool all_distinct(std::vector<Uuid> const& ids)
    {
        std::set<Uuid> seen(ids.begin(), ids.end());
        return seen.size() == ids.size();
    }

}

bool FilePropertiesV1::validate() const
{
    if (schema_version != 1)
        return false;
    if (image_width.has_value() != image_height.has_value())
        return false;
    if ((image_width && *image_width == 0) || (image_height && *image_height == 0))
        return false;
    if (page_count && *page_count == 0)
        return false;
    return is_media_text(codec) && is_media_text(container);
}

bool FileVersionV1::validate() const
{
    if (id.is_nil() || record_id.is_nil() || parents.size() > max_parents)
        return false;
    if (std::find(parents.begin(), parents.end(), id) != parents.end())
        return false;
    return all_distinct(parents) && is_known_provenance(provenance);
}

bool FileConflictV1::validate() const
{
    if (id.is_nil() || record_id.is_nil())
        return false;
    if (versions.size() < 2 || versions.size() > max_versions || !all_distinct(versions))
        return false;
    switch (status) {
    case ConflictStatus::Open:
        return !resolution.has_value();
    case ConflictStatus::Resolved:
        return resolution.has_value();
    }
    return false;
}

bool is_known_provenance(std::string const& compact_json)
{
    json::Reader reader(compact_json);
    if (reader.peek() == json::ValueKind::String) {
        static constexpr std::string_view kinds[]
            = { "Create", "Edit", "Rename", "Move", "Delete", "ConflictResolution" };
        std::string_view kind;
        return reader.read_string(kind) && reader.finish()
            && std::find(std::begin(kinds), std::end(kinds), kind) != std::end(kinds);
    }
    // Exactly one member, "Restore", whose value is an object with "from".
    std::string_view key;
    if (!reader.begin_object() || !reader.next_member(key) || key != "Restore")
        return false;
    static constexpr std::string_view restore_fields[] = { "from" };
    json::ObjectFields restore(reader, restore_fields);
    while (restore.next()) {
        if (!reader.skip_value())
            return false;
    }
    return restore.complete({ 0 }) && !reader.next_member(key) && reader.finish();
}

}
