#include "services/collab/collab_types.h"

#include <algorithm>
#include <nlohmann/json.hpp>
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
    auto value = nlohmann::json::parse(compact_json, nullptr, false);
    if (value.is_discarded())
        return false;
    if (value.is_string()) {
        static constexpr std::string_view kinds[]
            = { "Create", "Edit", "Rename", "Move", "Delete", "ConflictResolution" };
        auto const& kind = value.get_ref<std::string const&>();
        return std::find(std::begin(kinds), std::end(kinds), kind) != std::end(kinds);
    }
    if (!value.is_object() || value.size() != 1)
        return false;
    auto restore = value.find("Restore");
    return restore != value.end() && restore->is_object() && restore->contains("from");
}

}
