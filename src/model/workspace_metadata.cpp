#include "model/workspace_metadata.h"

namespace files::model {

// The attribute decoders come with the workspace metadata work; until then
// every field reads as absent.
std::optional<SyncState> read_sync_state(std::filesystem::path const&) { return std::nullopt; }
std::optional<ContentHash> read_content_hash(std::filesystem::path const&) { return std::nullopt; }
std::optional<RecordId> read_record_id(std::filesystem::path const&) { return std::nullopt; }
std::optional<AvailabilityRecord> read_availability(std::filesystem::path const&) { return std::nullopt; }
std::optional<ShareSummary> read_share_summary(std::filesystem::path const&) { return std::nullopt; }
std::optional<HistorySummary> read_history_summary(std::filesystem::path const&) { return std::nullopt; }
std::optional<FileMetadataRecord> read_file_metadata(std::filesystem::path const&) { return std::nullopt; }

}
