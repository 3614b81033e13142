#include "services/collab/collab_json.h"

#include "services/collab/json_fields.h"

namespace collab {

using json::ObjectFields;
using json::Reader;

namespace {

    // A text decoder's bound: the largest value an extended attribute holds.
    constexpr std::size_t max_document_size = 65536;

    bool read_actor(Reader& reader, ActorV1& out)
    {
        static constexpr std::string_view names[] = { "person", "device" };
        enum Field : std::size_t { Person, Device };
        ObjectFields fields(reader, names);
        while (auto field = fields.next()) {
            bool const ok
                = *field == Person ? json::read_digest(reader, out.person) : json::read_digest(reader, out.device);
            if (!ok)
                return false;
        }
        return fields.complete({ Person, Device });
    }

    bool read_resolution(Reader& reader, std::optional<ConflictResolution>& out)
    {
        if (reader.peek() == json::ValueKind::Null) {
            out.reset();
            return reader.read_null();
        }
        static constexpr std::string_view names[] = { "strategy", "result", "actor", "timestamp_ms" };
        enum Field : std::size_t { Strategy, Result, Actor, Timestamp };
        static constexpr std::pair<std::string_view, ConflictStrategy> strategies[] = {
            { "KeepCurrent", ConflictStrategy::KeepCurrent },
            { "UseOther", ConflictStrategy::UseOther },
            { "KeepBoth", ConflictStrategy::KeepBoth },
            { "Merge", ConflictStrategy::Merge },
        };
        ConflictResolution resolution;
        ObjectFields fields(reader, names);
        while (auto field = fields.next()) {
            bool ok = false;
            switch (static_cast<Field>(*field)) {
            case Strategy:
                ok = json::read_enum(reader, strategies, resolution.strategy);
                break;
            case Result:
                ok = json::read_optional_uuid(reader, resolution.result);
                break;
            case Actor:
                ok = read_actor(reader, resolution.actor);
                break;
            case Timestamp:
                ok = reader.read_u64(resolution.timestamp_ms);
                break;
            }
            if (!ok)
                return false;
        }
        if (!fields.complete({ Strategy, Actor, Timestamp }))
            return false;
        out = resolution;
        return true;
    }

}

std::optional<FilePropertiesV1> decode_file_properties(Reader& reader)
{
    static constexpr std::string_view names[]
        = { "schema_version", "image_width", "image_height", "duration_ms", "page_count", "codec", "container" };
    enum Field : std::size_t { Schema, Width, Height, Duration, Pages, Codec, Container };
    FilePropertiesV1 properties;
    ObjectFields fields(reader, names);
    while (auto field = fields.next()) {
        bool ok = false;
        switch (static_cast<Field>(*field)) {
        case Schema:
            ok = reader.read_unsigned(properties.schema_version);
            break;
        case Width:
            ok = json::read_optional_unsigned(reader, properties.image_width);
            break;
        case Height:
            ok = json::read_optional_unsigned(reader, properties.image_height);
            break;
        case Duration:
            ok = json::read_optional_u64(reader, properties.duration_ms);
            break;
        case Pages:
            ok = json::read_optional_unsigned(reader, properties.page_count);
            break;
        case Codec:
            ok = json::read_optional_string(reader, properties.codec);
            break;
        case Container:
            ok = json::read_optional_string(reader, properties.container);
            break;
        }
        if (!ok)
            return std::nullopt;
    }
    if (!fields.complete({}) || !properties.validate())
        return std::nullopt;
    return properties;
}

std::optional<FileVersionV1> decode_file_version(Reader& reader)
{
    static constexpr std::string_view names[]
        = { "id", "record_id", "parents", "actor", "timestamp_ms", "content_hash", "metadata_hash", "provenance" };
    enum Field : std::size_t { Id, Record, Parents, Actor, Timestamp, ContentHash, MetadataHash, Provenance };
    FileVersionV1 version;
    ObjectFields fields(reader, names);
    while (auto field = fields.next()) {
        bool ok = false;
        switch (static_cast<Field>(*field)) {
        case Id:
            ok = json::read_uuid(reader, version.id);
            break;
        case Record:
            ok = json::read_uuid(reader, version.record_id);
            break;
        case Parents:
            ok = json::read_uuid_list(reader, FileVersionV1::max_parents, version.parents);
            break;
        case Actor:
            ok = read_actor(reader, version.actor);
            break;
        case Timestamp:
            ok = reader.read_u64(version.timestamp_ms);
            break;
        case ContentHash:
            ok = json::read_optional_digest(reader, version.content_hash);
            break;
        case MetadataHash:
            ok = json::read_digest(reader, version.metadata_hash);
            break;
        case Provenance:
            ok = reader.copy_compact(version.provenance);
            break;
        }
        if (!ok)
            return std::nullopt;
    }
    if (!fields.complete({ Id, Record, Parents, Actor, Timestamp, MetadataHash, Provenance }) || !version.validate())
        return std::nullopt;
    return version;
}

std::optional<FileConflictV1> decode_file_conflict(Reader& reader)
{
    static constexpr std::string_view names[] = { "id", "record_id", "versions", "status", "resolution" };
    enum Field : std::size_t { Id, Record, Versions, Status, Resolution };
    static constexpr std::pair<std::string_view, ConflictStatus> statuses[] = {
        { "Open", ConflictStatus::Open },
        { "Resolved", ConflictStatus::Resolved },
    };
    FileConflictV1 conflict;
    ObjectFields fields(reader, names);
    while (auto field = fields.next()) {
        bool ok = false;
        switch (static_cast<Field>(*field)) {
        case Id:
            ok = json::read_uuid(reader, conflict.id);
            break;
        case Record:
            ok = json::read_uuid(reader, conflict.record_id);
            break;
        case Versions:
            ok = json::read_uuid_list(reader, FileConflictV1::max_versions, conflict.versions);
            break;
        case Status:
            ok = json::read_enum(reader, statuses, conflict.status);
            break;
        case Resolution:
            ok = read_resolution(reader, conflict.resolution);
            break;
        }
        if (!ok)
            return std::nullopt;
    }
    if (!fields.complete({ Id, Record, Versions, Status }) || !conflict.validate())
        return std::nullopt;
    return conflict;
}

std::optional<FilePropertiesV1> decode_file_properties(std::string_view text)
{
    return json::decode_document(
        text, max_document_size, [](Reader& reader) { return decode_file_properties(reader); });
}

std::optional<FileVersionV1> decode_file_version(std::string_view text)
{
    return json::decode_document(text, max_document_size, [](Reader& reader) { return decode_file_version(reader); });
}

std::optional<FileConflictV1> decode_file_conflict(std::string_view text)
{
    return json::decode_document(text, max_document_size, [](Reader& reader) { return decode_file_conflict(reader); });
}

}
