#pragma once

// Readers of the per-file workspace attributes. Each reads one attribute of
// the item itself (never of a symbolic link's target) and decodes it; a
// missing attribute, a read error, an oversize value or a value that fails
// any check gives nothing.

#include "model/attributes.h"
#include "model/entry.h"
#include "model/workspace_records.h"

#include <optional>
#include <string>

namespace files::model {

std::optional<SyncState> read_sync_state(std::string const& path);
std::optional<ContentHash> read_content_hash(std::string const& path);
std::optional<RecordId> read_record_id(std::string const& path);
// Embedded thumbnail image bytes; any non-empty value.
std::optional<std::string> read_thumbnail(std::string const& path);
std::optional<AvailabilityRecord> read_availability(std::string const& path);
std::optional<ShareSummary> read_share_summary(std::string const& path);
std::optional<HistorySummary> read_history_summary(std::string const& path);
std::optional<FileMetadataRecord> read_file_metadata(std::string const& path);

// Fills the seven workspace fields of a listed entry: sync state, content
// hash and file metadata for files only; record id, availability, share and
// history for files and folders. Threads may read different entries at
// once; records with identical attribute bytes are shared between entries.
void read_workspace_fields(ItemInFolder const& item, Entry& entry);

}
