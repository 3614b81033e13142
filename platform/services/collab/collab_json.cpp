#include "services/collab/collab_json.h"

#include "services/collab/json_fields.h"

namespace collab {

using json::Json;

namespace {

    bool read_uuid_list(Json const& object, char const* key, std::size_t max_count, std::vector<Uuid>& out)
    {
        Json const* list = json::member(object, key);
        if (!list || !list->is_array() || list->size() > max_count)
            return false;
        out.clear();
        out.reserve(list->size());
        for (auto const& item : *list) {
            Uuid id;
            if (!json::as_uuid(item, id))
                return false;
            out.push_back(id);
        }
        return true;
    }

    bool read_actor(Json const& object, char const* key, ActorV1& out)
    {
        Json const* actor = json::member(object, key);
        return actor && json::read_digest(*actor, "person", out.person)
            && json::read_digest(*actor, "device", out.device);
    }

    std::optional<ConflictStrategy> strategy_from_text(std::string const& text)
    {
        if (text == "KeepCurrent")
            return ConflictStrategy::KeepCurrent;
        if (text == "UseOther")
            return ConflictStrategy::UseOther;
        if (text == "KeepBoth")
            return ConflictStrategy::KeepBoth;
        if (text == "Merge")
            return ConflictStrategy::Merge;
        return std::nullopt;
    }

    bool read_resolution(Json const& object, std::optional<ConflictResolution>& out)
    {
        Json const* value = json::member(object, "resolution");
        if (!value || value->is_null()) {
            out.reset();
            return true;
        }
        ConflictResolution resolution;
        std::string strategy;
        if (!json::read_string(*value, "strategy", strategy))
            return false;
        auto parsed = strategy_from_text(strategy);
        if (!parsed)
            return false;
        resolution.strategy = *parsed;
        Json const* result = json::member(*value, "result");
        if (result && !result->is_null()) {
            Uuid id;
            if (!json::as_uuid(*result, id))
                return false;
            resolution.result = id;
        }
        if (!read_actor(*value, "actor", resolution.actor)
            || !json::read_u64(*value, "timestamp_ms", resolution.timestamp_ms))
            return false;
        out = resolution;
        return true;
    }

}

std::optional<FilePropertiesV1> decode_file_properties(Json const& value)
{
    if (!value.is_object())
        return std::nullopt;
    FilePropertiesV1 properties;
    if (json::member(value, "schema_version")
        && !json::read_unsigned(value, "schema_version", properties.schema_version))
        return std::nullopt;
    bool const fields_ok = json::read_optional_unsigned(value, "image_width", properties.image_width)
        && json::read_optional_unsigned(value, "image_height", properties.image_height)
        && json::read_optional_u64(value, "duration_ms", properties.duration_ms)
        && json::read_optional_unsigned(value, "page_count", properties.page_count)
        && json::read_optional_string(value, "codec", properties.codec)
        && json::read_optional_string(value, "container", properties.container);
    if (!fields_ok || !properties.validate())
        return std::nullopt;
    return properties;
}

std::optional<FileVersionV1> decode_file_version(Json const& value)
{
    FileVersionV1 version;
    bool const fields_ok = json::read_uuid(value, "id", version.id)
        && json::read_uuid(value, "record_id", version.record_id)
        && read_uuid_list(value, "parents", FileVersionV1::max_parents, version.parents)
        && read_actor(value, "actor", version.actor) && json::read_u64(value, "timestamp_ms", version.timestamp_ms)
        && json::read_optional_digest(value, "content_hash", version.content_hash)
        && json::read_digest(value, "metadata_hash", version.metadata_hash);
    if (!fields_ok)
        return std::nullopt;
    Json const* provenance = json::member(value, "provenance");
    if (!provenance)
        return std::nullopt;
    version.provenance = provenance->dump();
    if (!version.validate())
        return std::nullopt;
    return version;
}

std::optional<FileConflictV1> decode_file_conflict(Json const& value)
{
    FileConflictV1 conflict;
    std::string status;
    bool const fields_ok = json::read_uuid(value, "id", conflict.id)
        && json::read_uuid(value, "record_id", conflict.record_id)
        && read_uuid_list(value, "versions", FileConflictV1::max_versions, conflict.versions)
        && json::read_string(value, "status", status) && read_resolution(value, conflict.resolution);
    if (!fields_ok)
        return std::nullopt;
    if (status == "Open")
        conflict.status = ConflictStatus::Open;
    else if (status == "Resolved")
        conflict.status = ConflictStatus::Resolved;
    else
        return std::nullopt;
    if (!conflict.validate())
        return std::nullopt;
    return conflict;
}

}
