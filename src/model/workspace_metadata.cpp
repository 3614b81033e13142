#include "model/workspace_metadata.h"

#include "model/attribute_names.h"
#include "model/attributes.h"
#include "model/detail_decode_memo.h"
#include "model/workspace_decoders.h"

namespace files::model {

namespace {

    template<typename Source, typename Decode>
    auto read_and_decode(Source const& path, char const* name, std::size_t bound, Decode&& decode)
        -> decltype(decode(std::string_view()))
    {
        auto value = read_attribute(path, name, bound);
        if (!value || value->empty())
            return std::nullopt;
        return decode(*value);
    }

    // The JSON records are the expensive ones to decode; each kind keeps its own
    // memo on the reading thread.
    template<typename T, typename Source, typename Decode>
    std::optional<T> read_record(Source const& path, char const* name, std::size_t bound, Decode&& decode)
    {
        thread_local detail::DecodeMemo<T> memo;
        auto value = read_attribute(path, name, bound);
        if (!value || value->empty())
            return std::nullopt;
        return memo.decode(*value, decode);
    }

    template<typename Source> void read_fields(Source const& item, Entry& entry)
    {
        if (!entry.is_dir) {
            entry.sync = read_and_decode(item, attribute::sync, max_sync_state_size, decode_sync_state);
            // One byte over the exact size is enough to reject a longer value.
            entry.content_hash = read_and_decode(item, attribute::content_hash, 33, decode_content_hash);
        }
        entry.record_id = read_and_decode(item, attribute::record_id, 17, decode_record_id);
        entry.availability = read_record<AvailabilityRecord>(
            item, attribute::availability, max_availability_size, decode_availability);
        entry.share = read_record<ShareSummary>(item, attribute::share, max_share_size, decode_share_summary);
        entry.history = read_record<HistorySummary>(item, attribute::history, max_history_size, decode_history_summary);
        if (!entry.is_dir)
            entry.metadata
                = read_record<FileMetadataRecord>(item, attribute::metadata, max_metadata_size, decode_file_metadata);
    }

}

void read_workspace_fields(ItemInFolder const& item, Entry& entry) { read_fields(item, entry); }

std::optional<SyncState> read_sync_state(std::string const& path)
{
    return read_and_decode(path, attribute::sync, max_sync_state_size, decode_sync_state);
}

std::optional<ContentHash> read_content_hash(std::string const& path)
{
    // One byte over the exact size is enough to reject a longer value.
    return read_and_decode(path, attribute::content_hash, 33, decode_content_hash);
}

std::optional<RecordId> read_record_id(std::string const& path)
{
    return read_and_decode(path, attribute::record_id, 17, decode_record_id);
}

std::optional<std::string> read_thumbnail(std::string const& path)
{
    auto value = read_attribute(path, attribute::thumbnail);
    if (!value || value->empty())
        return std::nullopt;
    return value;
}

std::optional<AvailabilityRecord> read_availability(std::string const& path)
{
    return read_record<AvailabilityRecord>(path, attribute::availability, max_availability_size, decode_availability);
}

std::optional<ShareSummary> read_share_summary(std::string const& path)
{
    return read_record<ShareSummary>(path, attribute::share, max_share_size, decode_share_summary);
}

std::optional<HistorySummary> read_history_summary(std::string const& path)
{
    return read_record<HistorySummary>(path, attribute::history, max_history_size, decode_history_summary);
}

std::optional<FileMetadataRecord> read_file_metadata(std::string const& path)
{
    return read_record<FileMetadataRecord>(path, attribute::metadata, max_metadata_size, decode_file_metadata);
}

}
