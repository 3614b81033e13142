#pragma once

// Decoders of the workspace attribute values. Each takes the raw value and
// gives the record only when every check passes; the size bound is checked
// before any parsing.

#include "model/workspace_records.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace files::model {

inline constexpr std::size_t max_sync_state_size = 256;
inline constexpr std::size_t max_metadata_size = 2048;
inline constexpr std::size_t max_availability_size = 2048;
inline constexpr std::size_t max_share_size = 16384;
inline constexpr std::size_t max_history_size = 16384;

// Valid UTF-8 that, trimmed of surrounding whitespace, is exactly "local",
// "projected" or "downloading".
std::optional<SyncState> decode_sync_state(std::string_view value);
// Exactly 16 raw bytes.
std::optional<RecordId> decode_record_id(std::string_view value);
// Exactly 32 raw bytes.
std::optional<ContentHash> decode_content_hash(std::string_view value);

std::optional<FileMetadataRecord> decode_file_metadata(std::string_view value);
std::optional<AvailabilityRecord> decode_availability(std::string_view value);
std::optional<ShareSummary> decode_share_summary(std::string_view value);
std::optional<HistorySummary> decode_history_summary(std::string_view value);

}
