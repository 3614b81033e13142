#pragma once

// The per-file state the synchronising file system publishes in extended
// attributes, as the explorer keeps it after decoding. Only records that
// passed every check reach these types.

#include "services/collab/collab_types.h"
#include "services/collab/uuid.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace files::model {

using RecordId = collab::Uuid;
using ContentHash = std::array<std::uint8_t, 32>;

enum class SyncState : std::uint8_t { Local, Projected, Downloading };

struct FileMetadataRecord {
    RecordId record_id;
    collab::FilePropertiesV1 properties;
    bool operator==(FileMetadataRecord const&) const = default;
};

enum class ResidencyState : std::uint8_t { NotResident, Partial, Resident };
enum class TransferPhase : std::uint8_t { Idle, Queued, Downloading, Uploading, Verifying };
enum class AvailabilityPolicy : std::uint8_t { Automatic, Pinned };
enum class ReplicaState : std::uint8_t { Unknown, Known };

struct TransferProgress {
    std::uint64_t completed_bytes { 0 };
    std::optional<std::uint64_t> total_bytes;
    bool operator==(TransferProgress const&) const = default;
};

struct AvailabilityRecord {
    RecordId record_id;
    collab::Uuid current_version;
    ResidencyState residency { ResidencyState::NotResident };
    std::uint64_t resident_bytes { 0 }; // for Partial and Resident
    TransferPhase phase { TransferPhase::Idle };
    std::optional<TransferProgress> progress;
    std::optional<std::string> last_error;
    std::optional<std::uint64_t> last_error_at_ms;
    bool error_truncated { false };
    AvailabilityPolicy policy { AvailabilityPolicy::Automatic };
    bool policy_inherited { false };
    ReplicaState replicas { ReplicaState::Unknown };
    std::uint32_t reachable_replicas { 0 }; // for Known
    std::uint32_t durable_replicas { 0 }; // for Known
    std::optional<std::uint64_t> metadata_observed_at_ms;
    std::optional<std::uint64_t> local_verified_at_ms;
    std::optional<std::uint64_t> replicas_observed_at_ms;
    bool operator==(AvailabilityRecord const&) const = default;
};

enum class GrantPermission : std::uint8_t { View, Edit };
enum class GrantStatus : std::uint8_t { Active, Expired, Revoked, Exhausted };

struct ShareGrant {
    collab::Uuid grant_id;
    // A person's root public key; absent for a bearer link.
    std::optional<collab::Digest32> person;
    GrantPermission permission { GrantPermission::View };
    std::optional<std::uint64_t> expires_at_ms;
    bool revoked { false };
    bool expired { false };
    bool used { false };
    bool exhausted { false };
    GrantStatus status { GrantStatus::Active };
    std::uint32_t redemptions { 0 };
    std::optional<std::uint32_t> max_redemptions;
    bool operator==(ShareGrant const&) const = default;
};

struct ShareSummary {
    RecordId record_id;
    std::uint64_t observed_at_ms { 0 };
    std::vector<ShareGrant> grants;

    static constexpr std::size_t max_grants = 32;
    bool operator==(ShareSummary const&) const = default;
};

struct HistorySummary {
    RecordId record_id;
    std::uint64_t total_versions { 0 };
    bool versions_truncated { false };
    std::vector<collab::Uuid> heads;
    std::vector<collab::FileVersionV1> versions;
    bool conflicts_truncated { false };
    std::vector<collab::FileConflictV1> conflicts;

    static constexpr std::size_t max_heads = 8;
    static constexpr std::size_t max_versions = 12;
    static constexpr std::size_t max_conflicts = 8;
    bool operator==(HistorySummary const&) const = default;
};

}
