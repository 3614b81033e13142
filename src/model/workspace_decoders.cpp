#include "model/workspace_decoders.h"

#include "base/utf8.h"
#include "services/collab/collab_json.h"
#include "services/collab/json_fields.h"

#include <algorithm>
#include <limits>

namespace files::model {

namespace json = collab::json;
using json::ObjectFields;
using json::Reader;

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

    bool read_schema(Reader& reader, std::uint16_t expected)
    {
        std::uint16_t version = 0;
        return reader.read_unsigned(version) && (version == expected || reader.fail());
    }

    // Reads an unsigned count that matters only for some tags of its object:
    // a value of another type is remembered as absent instead of refusing the
    // record, and the caller decides once the tag is known.
    std::optional<std::uint64_t> read_tag_dependent_count(Reader& reader)
    {
        std::uint64_t value = 0;
        if (reader.attempt([&] { return reader.read_u64(value); }))
            return value;
        return std::nullopt;
    }

    bool read_residency(Reader& reader, AvailabilityRecord& record)
    {
        static constexpr std::string_view names[] = { "state", "bytes" };
        enum Field : std::size_t { State, Bytes };
        static constexpr std::pair<std::string_view, ResidencyState> states[] = {
            { "not_resident", ResidencyState::NotResident },
            { "partial", ResidencyState::Partial },
            { "resident", ResidencyState::Resident },
        };
        std::optional<std::uint64_t> bytes;
        ObjectFields fields(reader, names);
        while (auto field = fields.next()) {
            if (*field == Bytes)
                bytes = read_tag_dependent_count(reader);
            else if (!json::read_enum(reader, states, record.residency))
                return false;
        }
        if (!fields.complete({ State }))
            return false;
        if (record.residency == ResidencyState::NotResident)
            return true;
        record.resident_bytes = bytes.value_or(0);
        return bytes.has_value();
    }

    bool read_progress(Reader& reader, std::optional<TransferProgress>& out)
    {
        if (reader.peek() == json::ValueKind::Null) {
            out.reset();
            return reader.read_null();
        }
        static constexpr std::string_view names[] = { "completed_bytes", "total_bytes" };
        enum Field : std::size_t { Completed, Total };
        TransferProgress progress;
        ObjectFields fields(reader, names);
        while (auto field = fields.next()) {
            bool const ok = *field == Completed ? reader.read_u64(progress.completed_bytes)
                                                : json::read_optional_u64(reader, progress.total_bytes);
            if (!ok)
                return false;
        }
        if (!fields.complete({ Completed }))
            return false;
        out = progress;
        return true;
    }

    bool read_transfer(Reader& reader, AvailabilityRecord& record)
    {
        static constexpr std::string_view names[]
            = { "phase", "progress", "last_error", "last_error_at_ms", "error_truncated" };
        enum Field : std::size_t { Phase, Progress, LastError, LastErrorAt, ErrorTruncated };
        static constexpr std::pair<std::string_view, TransferPhase> phases[] = {
            { "idle", TransferPhase::Idle },
            { "queued", TransferPhase::Queued },
            { "downloading", TransferPhase::Downloading },
            { "uploading", TransferPhase::Uploading },
            { "verifying", TransferPhase::Verifying },
        };
        ObjectFields fields(reader, names);
        while (auto field = fields.next()) {
            bool ok = false;
            switch (static_cast<Field>(*field)) {
            case Phase:
                ok = json::read_enum(reader, phases, record.phase);
                break;
            case Progress:
                ok = read_progress(reader, record.progress);
                break;
            case LastError:
                ok = json::read_optional_string(reader, record.last_error);
                break;
            case LastErrorAt:
                ok = json::read_optional_u64(reader, record.last_error_at_ms);
                break;
            case ErrorTruncated:
                ok = reader.read_bool(record.error_truncated);
                break;
            }
            if (!ok)
                return false;
        }
        return fields.complete({ Phase, ErrorTruncated });
    }

    bool read_replicas(Reader& reader, AvailabilityRecord& record)
    {
        static constexpr std::string_view names[] = { "state", "reachable", "durable" };
        enum Field : std::size_t { State, Reachable, Durable };
        static constexpr std::pair<std::string_view, ReplicaState> states[] = {
            { "unknown", ReplicaState::Unknown },
            { "known", ReplicaState::Known },
        };
        std::optional<std::uint64_t> counts[2];
        ObjectFields fields(reader, names);
        while (auto field = fields.next()) {
            if (*field != State)
                counts[*field == Reachable ? 0 : 1] = read_tag_dependent_count(reader);
            else if (!json::read_enum(reader, states, record.replicas))
                return false;
        }
        if (!fields.complete({ State }))
            return false;
        if (record.replicas == ReplicaState::Unknown)
            return true;
        constexpr std::uint64_t most = std::numeric_limits<std::uint32_t>::max();
        if (!counts[0] || !counts[1] || *counts[0] > most || *counts[1] > most)
            return false;
        record.reachable_replicas = static_cast<std::uint32_t>(*counts[0]);
        record.durable_replicas = static_cast<std::uint32_t>(*counts[1]);
        return true;
    }

    bool read_freshness(Reader& reader, AvailabilityRecord& record)
    {
        static constexpr std::string_view names[]
            = { "metadata_observed_at_ms", "local_verified_at_ms", "replicas_observed_at_ms" };
        std::optional<std::uint64_t>* const targets[]
            = { &record.metadata_observed_at_ms, &record.local_verified_at_ms, &record.replicas_observed_at_ms };
        ObjectFields fields(reader, names);
        while (auto field = fields.next()) {
            if (!json::read_optional_u64(reader, *targets[*field]))
                return false;
        }
        return fields.complete({});
    }

    bool is_consistent(AvailabilityRecord const& record)
    {
        if (record.last_error.has_value() != record.last_error_at_ms.has_value())
            return false;
        auto const& progress = record.progress;
        return !progress || !progress->total_bytes || progress->completed_bytes <= *progress->total_bytes;
    }

    std::optional<AvailabilityRecord> read_availability(Reader& reader)
    {
        static constexpr std::string_view names[] = { "schema_version", "record_id", "current_version", "residency",
            "transfer", "policy", "policy_inherited", "replicas", "freshness" };
        enum Field : std::size_t {
            Schema,
            Record,
            CurrentVersion,
            Residency,
            Transfer,
            Policy,
            PolicyInherited,
            Replicas,
            Freshness
        };
        static constexpr std::pair<std::string_view, AvailabilityPolicy> policies[] = {
            { "automatic", AvailabilityPolicy::Automatic },
            { "pinned", AvailabilityPolicy::Pinned },
        };
        AvailabilityRecord record;
        ObjectFields fields(reader, names);
        while (auto field = fields.next()) {
            bool ok = false;
            switch (static_cast<Field>(*field)) {
            case Schema:
                ok = read_schema(reader, 1);
                break;
            case Record:
                ok = json::read_uuid(reader, record.record_id);
                break;
            case CurrentVersion:
                ok = json::read_uuid(reader, record.current_version);
                break;
            case Residency:
                ok = read_residency(reader, record);
                break;
            case Transfer:
                ok = read_transfer(reader, record);
                break;
            case Policy:
                ok = json::read_enum(reader, policies, record.policy);
                break;
            case PolicyInherited:
                ok = reader.read_bool(record.policy_inherited);
                break;
            case Replicas:
                ok = read_replicas(reader, record);
                break;
            case Freshness:
                ok = read_freshness(reader, record);
                break;
            }
            if (!ok)
                return std::nullopt;
        }
        bool const complete = fields.complete(
            { Schema, Record, CurrentVersion, Residency, Transfer, Policy, PolicyInherited, Replicas, Freshness });
        if (!complete || !is_consistent(record))
            return std::nullopt;
        return record;
    }

    bool read_subject(Reader& reader, ShareGrant& grant)
    {
        static constexpr std::string_view names[] = { "kind", "person" };
        enum Field : std::size_t { Kind, Person };
        enum class SubjectKind : std::uint8_t { Person, BearerLink };
        static constexpr std::pair<std::string_view, SubjectKind> kinds[] = {
            { "person", SubjectKind::Person },
            { "bearer_link", SubjectKind::BearerLink },
        };
        SubjectKind kind {};
        collab::Digest32 person {};
        bool person_valid = false;
        ObjectFields fields(reader, names);
        while (auto field = fields.next()) {
            if (*field == Kind) {
                if (!json::read_enum(reader, kinds, kind))
                    return false;
            } else {
                // A link has no key; whatever stands here is not looked at.
                person_valid = reader.attempt([&] { return json::read_digest(reader, person); });
            }
        }
        if (!fields.complete({ Kind }))
            return false;
        switch (kind) {
        case SubjectKind::BearerLink:
            return true;
        case SubjectKind::Person:
            if (!person_valid)
                return false;
            grant.person = person;
            return true;
        }
        return false;
    }

    std::optional<ShareGrant> read_grant(Reader& reader)
    {
        static constexpr std::string_view names[] = { "grant_id", "subject", "permission", "expires_at_ms", "revoked",
            "expired", "used", "exhausted", "status", "redemptions", "max_redemptions" };
        enum Field : std::size_t {
            GrantId,
            Subject,
            Permission,
            ExpiresAt,
            Revoked,
            Expired,
            Used,
            Exhausted,
            Status,
            Redemptions,
            MaxRedemptions
        };
        static constexpr std::pair<std::string_view, GrantPermission> permissions[] = {
            { "View", GrantPermission::View },
            { "Edit", GrantPermission::Edit },
        };
        static constexpr std::pair<std::string_view, GrantStatus> statuses[] = {
            { "active", GrantStatus::Active },
            { "expired", GrantStatus::Expired },
            { "revoked", GrantStatus::Revoked },
            { "exhausted", GrantStatus::Exhausted },
        };
        ShareGrant grant;
        ObjectFields fields(reader, names);
        while (auto field = fields.next()) {
            bool ok = false;
            switch (static_cast<Field>(*field)) {
            case GrantId:
                ok = json::read_uuid(reader, grant.grant_id);
                break;
            case Subject:
                ok = read_subject(reader, grant);
                break;
            case Permission:
                ok = json::read_enum(reader, permissions, grant.permission);
                break;
            case ExpiresAt:
                ok = json::read_optional_u64(reader, grant.expires_at_ms);
                break;
            case Revoked:
                ok = reader.read_bool(grant.revoked);
                break;
            case Expired:
                ok = reader.read_bool(grant.expired);
                break;
            case Used:
                ok = reader.read_bool(grant.used);
                break;
            case Exhausted:
                ok = reader.read_bool(grant.exhausted);
                break;
            case Status:
                ok = json::read_enum(reader, statuses, grant.status);
                break;
            case Redemptions:
                ok = reader.read_unsigned(grant.redemptions);
                break;
            case MaxRedemptions:
                ok = json::read_optional_unsigned(reader, grant.max_redemptions);
                break;
            }
            if (!ok)
                return std::nullopt;
        }
        bool const complete
            = fields.complete({ GrantId, Subject, Permission, Revoked, Expired, Used, Exhausted, Status, Redemptions });
        return complete ? std::optional(grant) : std::nullopt;
    }

    std::optional<ShareSummary> read_share_summary(Reader& reader)
    {
        static constexpr std::string_view names[] = { "schema_version", "record_id", "observed_at_ms", "grants" };
        enum Field : std::size_t { Schema, Record, ObservedAt, Grants };
        ShareSummary summary;
        ObjectFields fields(reader, names);
        while (auto field = fields.next()) {
            bool ok = false;
            switch (static_cast<Field>(*field)) {
            case Schema:
                ok = read_schema(reader, 1);
                break;
            case Record:
                ok = json::read_uuid(reader, summary.record_id);
                break;
            case ObservedAt:
                ok = reader.read_u64(summary.observed_at_ms);
                break;
            case Grants:
                ok = json::read_list(reader, ShareSummary::max_grants, summary.grants, read_grant);
                break;
            }
            if (!ok)
                return std::nullopt;
        }
        if (!fields.complete({ Schema, Record, ObservedAt, Grants }))
            return std::nullopt;
        return summary;
    }

    std::optional<HistorySummary> read_history_summary(Reader& reader)
    {
        static constexpr std::string_view names[] = { "schema_version", "record_id", "total_versions",
            "versions_truncated", "heads", "versions", "conflicts_truncated", "conflicts" };
        enum Field : std::size_t {
            Schema,
            Record,
            TotalVersions,
            VersionsTruncated,
            Heads,
            Versions,
            ConflictsTruncated,
            Conflicts
        };
        HistorySummary summary;
        ObjectFields fields(reader, names);
        while (auto field = fields.next()) {
            bool ok = false;
            switch (static_cast<Field>(*field)) {
            case Schema:
                ok = read_schema(reader, 1);
                break;
            case Record:
                ok = json::read_uuid(reader, summary.record_id);
                break;
            case TotalVersions:
                ok = reader.read_u64(summary.total_versions);
                break;
            case VersionsTruncated:
                ok = reader.read_bool(summary.versions_truncated);
                break;
            case Heads:
                ok = json::read_uuid_list(reader, HistorySummary::max_heads, summary.heads);
                break;
            case Versions:
                ok = json::read_list(reader, HistorySummary::max_versions, summary.versions,
                    [](Reader& r) { return collab::decode_file_version(r); });
                break;
            case ConflictsTruncated:
                ok = reader.read_bool(summary.conflicts_truncated);
                break;
            case Conflicts:
                ok = json::read_list(reader, HistorySummary::max_conflicts, summary.conflicts,
                    [](Reader& r) { return collab::decode_file_conflict(r); });
                break;
            }
            if (!ok)
                return std::nullopt;
        }
        bool const complete = fields.complete(
            { Schema, Record, TotalVersions, VersionsTruncated, Heads, Versions, ConflictsTruncated, Conflicts });
        if (!complete || summary.total_versions < summary.versions.size())
            return std::nullopt;
        auto const foreign = [&](auto const& item) { return item.record_id != summary.record_id; };
        if (std::any_of(summary.versions.begin(), summary.versions.end(), foreign)
            || std::any_of(summary.conflicts.begin(), summary.conflicts.end(), foreign))
            return std::nullopt;
        return summary;
    }

    std::optional<FileMetadataRecord> read_file_metadata(Reader& reader)
    {
        static constexpr std::string_view names[] = { "schema_version", "record_id", "properties" };
        enum Field : std::size_t { Schema, Record, Properties };
        FileMetadataRecord record;
        ObjectFields fields(reader, names);
        while (auto field = fields.next()) {
            bool ok = false;
            switch (static_cast<Field>(*field)) {
            case Schema:
                ok = read_schema(reader, 1);
                break;
            case Record:
                ok = json::read_uuid(reader, record.record_id) && !record.record_id.is_nil();
                break;
            case Properties:
                if (auto properties = collab::decode_file_properties(reader)) {
                    record.properties = std::move(*properties);
                    ok = true;
                }
                break;
            }
            if (!ok)
                return std::nullopt;
        }
        if (!fields.complete({ Schema, Record, Properties }))
            return std::nullopt;
        return record;
    }

}

std::optional<SyncState> decode_sync_state(std::string_view value)
{
    if (value.size() > max_sync_state_size || base::first_invalid_utf8(value))
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
    return json::decode_document(value, max_metadata_size, read_file_metadata);
}

std::optional<AvailabilityRecord> decode_availability(std::string_view value)
{
    return json::decode_document(value, max_availability_size, read_availability);
}

std::optional<ShareSummary> decode_share_summary(std::string_view value)
{
    return json::decode_document(value, max_share_size, read_share_summary);
}

std::optional<HistorySummary> decode_history_summary(std::string_view value)
{
    return json::decode_document(value, max_history_size, read_history_summary);
}

}
