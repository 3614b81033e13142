#pragma once

// Readers of the per-file workspace attributes. Each reads one attribute of
// the item itself (never of a symbolic link's target) and decodes it; a
// missing attribute, a read error, an oversize value or a value that fails
// any check gives nothing.

#include "model/workspace_records.h"

#include <filesystem>
#include <optional>

namespace files::model {

std::optional<SyncState> read_sync_state(std::filesystem::path const& path);
std::optional<ContentHash> read_content_hash(std::filesystem::path const& path);
std::optional<RecordId> read_record_id(std::filesystem::path const& path);
std::optional<AvailabilityRecord> read_availability(std::filesystem::path const& path);
std::optional<ShareSummary> read_share_summary(std::filesystem::path const& path);
std::optional<HistorySummary> read_history_summary(std::filesystem::path const& path);
std::optional<FileMetadataRecord> read_file_metadata(std::filesystem::path const& path);

}
