#include "model/workspace_decoders.h"

#include "model/display_name.h"
#include "services/collab/collab_json.h"
#include "services/collab/json_fields.h"

#include <algorithm>

namespace files::model {

namespace json = collab::json;
using json::Json;

namespace {

    bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

    std::string_view trim(std::string_view text)
    {
        while (!text.empty() && is_space(text.front()))
            text.remove_prefix(1);
        while (!text.empty() && is_space(text.back()))
            text.remove_suffix(1);
        return text;
    }

    template<typename Enum, std::size_t N>
    bool read_enum(Json const& object, char const* key, std::pair<char const*, Enum> const (&names)[N], Enum& out)
    {
        std::string text;
        if (!json::read_string(object, key, text))
            return false;
        for (auto const& [name, value] : names) {
            if (text == name) {
                out = value;
                return true;
            }
        }
        return false;
    }

    bool read_residency(Json const& object, AvailabilityRecord& record)
    {
        Json const* residency = json::member(object, "residency");
        if (!residency)
            return false;
        static constexpr std::pair<char const*, ResidencyState> states[] = {
            { "not_resident", ResidencyState::NotResident },
            { "partial", ResidencyState::Partial },
            { "resident", ResidencyState::Resident },
        };
        if (!read_enum(*residency, "state", states, record.residency))
            return false;
        return record.residency == ResidencyState::NotResident
            || json::read_u64(*residency, "bytes", record.resident_bytes);
    }

    bool read_progress(Json const& transfer, AvailabilityRecord& record)
    {
        Json const* progress = json::member(transfer, "progress");
        if (!progress || progress->is_null())
            return true;
        TransferProgress value;
        if (!json::read_u64(*progress, "completed_bytes", value.completed_bytes)
            || !json::read_optional_u64(*progress, "total_bytes", value.total_bytes))
            return false;
        record.progress = value;
        return true;
    }

    bool read_transfer(Json const& object, AvailabilityRecord& record)
    {
        Json const* transfer = json::member(object, "transfer");
        if (!transfer)
            return false;
        static constexpr std::pair<char const*, TransferPhase> phases[] = {
            { "idle", TransferPhase::Idle },
            { "queued", TransferPhase::Queued },
            { "downloading", TransferPhase::Downloading },
            { "uploading", TransferPhase::Uploading },
            { "verifying", TransferPhase::Verifying },
        };
        return read_enum(*transfer, "phase", phases, record.phase) && read_progress(*transfer, record)
            && json::read_optional_string(*transfer, "last_error", record.last_error)
            && json::read_optional_u64(*transfer, "last_error_at_ms", record.last_error_at_ms)
            && json::read_bool(*transfer, "error_truncated", record.error_truncated);
    }

    bool read_replicas(Json const& object, AvailabilityRecord& record)
    {
        Json const* replicas = json::member(object, "replicas");
        if (!replicas)
            return false;
        static constexpr std::pair<char const*, ReplicaState> states[] = {
            { "unknown", ReplicaState::Unknown },
            { "known", ReplicaState::Known },
        };
        if (!read_enum(*replicas, "state", states, record.replicas))
            return false;
        return record.replicas == ReplicaState::Unknown
            || (json::read_unsigned(*replicas, "reachable", record.reachable_replicas)
                && json::read_unsigned(*replicas, "durable", record.durable_replicas));
    }

    bool read_freshness(Json const& object, AvailabilityRecord& record)
    {
        Json const* freshness = json::member(object, "freshness");
        return freshness && freshness->is_object()
            && json::read_optional_u64(*freshness, "metadata_observed_at_ms", record.metadata_observed_at_ms)
            && json::read_optional_u64(*freshness, "local_verified_at_ms", record.local_verified_at_ms)
            && json::read_optional_u64(*freshness, "replicas_observed_at_ms", record.replicas_observed_at_ms);
    }

    bool is_consistent(AvailabilityRecord const& record)
    {
        if (record.last_error.has_value() != record.last_error_at_ms.has_value())
            return false;
        auto const& progress = record.progress;
        return !progress || !progress->total_bytes || progress->completed_bytes <= *progress->total_bytes;
    }

    bool read_subject(Json const& grant, ShareGrant& out)
    {
        Json const* subject = json::member(grant, "subject");
        if (!subject)
            return false;
        std::string kind;
        if (!json::read_string(*subject, "kind", kind))
            return false;
        if (kind == "bearer_link")
            return true;
        collab::Digest32 person {};
        if (kind != "person" || !json::read_digest(*subject, "person", person))
            return false;
        out.person = person;
        return true;
    }

    std::optional<ShareGrant> decode_grant(Json const& value)
    {
        ShareGrant grant;
        static constexpr std::pair<char const*, GrantPermission> permissions[] = {
            { "View", GrantPermission::View },
            { "Edit", GrantPermission::Edit },
        };
        static constexpr std::pair<char const*, GrantStatus> statuses[] = {
            { "active", GrantStatus::Active },
            { "expired", GrantStatus::Expired },
            { "revoked", GrantStatus::Revoked },
            { "exhausted", GrantStatus::Exhausted },
        };
        bool const ok = json::read_uuid(value, "grant_id", grant.grant_id) && read_subject(value, grant)
            && read_enum(value, "permission", permissions, grant.permission)
            && json::read_optional_u64(value, "expires_at_ms", grant.expires_at_ms)
            && json::read_bool(value, "revoked", grant.revoked) && json::read_bool(value, "expired", grant.expired)
            && json::read_bool(value, "used", grant.used) && json::read_bool(value, "exhausted", grant.exhausted)
            && read_enum(value, "status", statuses, grant.status)
            && json::read_unsigned(value, "redemptions", grant.redemptions)
            && json::read_optional_unsigned(value, "max_redemptions", grant.max_redemptions);
        return ok ? std::optional(grant) : std::nullopt;
    }

    // Decodes every element of the array `key` (at most `max_count`, counted
    // before decoding) with `decode`; any failure rejects the whole list.
    template<typename T, typename Decode>
    bool read_list(Json const& object, char const* key, std::size_t max_count, std::vector<T>& out, Decode&& decode)
    {
        Json const* list = json::member(object, key);
        if (!list || !list->is_array() || list->size() > max_count)
            return false;
        out.reserve(list->size());
        for (auto const& item : *list) {
            auto decoded = decode(item);
            if (!decoded)
                return false;
            out.push_back(std::move(*decoded));
        }
        return true;
    }

    std::optional<Json> parse_record(std::string_view value, std::size_t bound)
    {
        auto parsed = json::parse_bounded(value, bound);
        if (!parsed || !json::has_schema_version(*parsed, 1))
            return std::nullopt;
        return parsed;
    }

}

std::optional<SyncState> decode_sync_state(std::string_view value)
{
    if (value.size() > max_sync_state_size || display_name(value) != value)
        return std::nullopt;
    auto const text = trim(value);
    if (text == "local")
        return SyncState::Local;
    if (text == "projected")
        return SyncState::Projected;
    if (text == "downloading")
        return SyncState::Downloading;
    return std::nullopt;
}

std::optional<RecordId> decode_record_id(std::string_view value) { return collab::Uuid::from_bytes(value); }

std::optional<ContentHash> decode_content_hash(std::string_view value)
{
    ContentHash hash {};
    if (value.size() != hash.size())
        return std::nullopt;
    std::copy(value.begin(), value.end(), hash.begin());
    return hash;
}

std::optional<FileMetadataRecord> decode_file_metadata(std::string_view value)
{
    auto parsed = parse_record(value, max_metadata_size);
    if (!parsed)
        return std::nullopt;
    FileMetadataRecord record;
    if (!json::read_uuid(*parsed, "record_id", record.record_id) || record.record_id.is_nil())
        return std::nullopt;
    Json const* properties = json::member(*parsed, "properties");
    if (!properties)
        return std::nullopt;
    auto decoded = collab::decode_file_properties(*properties);
    if (!decoded)
        return std::nullopt;
    record.properties = std::move(*decoded);
    return record;
}

std::optional<AvailabilityRecord> decode_availability(std::string_view value)
{
    auto parsed = parse_record(value, max_availability_size);
    if (!parsed)
        return std::nullopt;
    AvailabilityRecord record;
    static constexpr std::pair<char const*, AvailabilityPolicy> policies[] = {
        { "automatic", AvailabilityPolicy::Automatic },
        { "pinned", AvailabilityPolicy::Pinned },
    };
    bool const ok = json::read_uuid(*parsed, "record_id", record.record_id)
        && json::read_uuid(*parsed, "current_version", record.current_version) && read_residency(*parsed, record)
        && read_transfer(*parsed, record) && read_enum(*parsed, "policy", policies, record.policy)
        && json::read_bool(*parsed, "policy_inherited", record.policy_inherited) && read_replicas(*parsed, record)
        && read_freshness(*parsed, record);
    if (!ok || !is_consistent(record))
        return std::nullopt;
    return record;
}

std::optional<ShareSummary> decode_share_summary(std::string_view value)
{
    auto parsed = parse_record(value, max_share_size);
    if (!parsed)
        return std::nullopt;
    ShareSummary summary;
    bool const ok = json::read_uuid(*parsed, "record_id", summary.record_id)
        && json::read_u64(*parsed, "observed_at_ms", summary.observed_at_ms)
        && read_list(*parsed, "grants", ShareSummary::max_grants, summary.grants, decode_grant);
    return ok ? std::optional(std::move(summary)) : std::nullopt;
}

std::optional<HistorySummary> decode_history_summary(std::string_view value)
{
    auto parsed = parse_record(value, max_history_size);
    if (!parsed)
        return std::nullopt;
    HistorySummary summary;
    auto const decode_head = [](Json const& item) {
        collab::Uuid id;
        return json::as_uuid(item, id) ? std::optional(id) : std::nullopt;
    };
    bool const ok = json::read_uuid(*parsed, "record_id", summary.record_id)
        && json::read_u64(*parsed, "total_versions", summary.total_versions)
        && json::read_bool(*parsed, "versions_truncated", summary.versions_truncated)
        && read_list(*parsed, "heads", HistorySummary::max_heads, summary.heads, decode_head)
        && read_list(*parsed, "versions", HistorySummary::max_versions, summary.versions, collab::decode_file_version)
        && json::read_bool(*parsed, "conflicts_truncated", summary.conflicts_truncated)
        && read_list(
            *parsed, "conflicts", HistorySummary::max_conflicts, summary.conflicts, collab::decode_file_conflict);
    if (!ok || summary.total_versions < summary.versions.size())
        return std::nullopt;
    auto const foreign = [&](auto const& item) { return item.record_id != summary.record_id; };
    if (std::any_of(summary.versions.begin(), summary.versions.end(), foreign)
        || std::any_of(summary.conflicts.begin(), summary.conflicts.end(), foreign))
        return std::nullopt;
    return summary;
}

}
