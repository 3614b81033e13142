#include "model/workspace_metadata.h"

#include "model/attribute_names.h"
#include "model/attributes.h"
#include "model/workspace_decoders.h"

namespace files::model {

namespace {

    template<typename Decode>
    auto read_and_decode(std::string const& path, char const* name, std::size_t bound, Decode&& decode)
        -> decltype(decode(std::string_view()))
    {
        auto value = read_attribute(path, name, bound);
        if (!value || value->empty())
            return std::nullopt;
        return decode(*value);
    }

}

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
    return read_and_decode(path, attribute::availability, max_availability_size, decode_availability);
}

std::optional<ShareSummary> read_share_summary(std::string const& path)
{
    return read_and_decode(path, attribute::share, max_share_size, decode_share_summary);
}

std::optional<HistorySummary> read_history_summary(std::string const& path)
{
    return read_and_decode(path, attribute::history, max_history_size, decode_history_summary);
}

std::optional<FileMetadataRecord> read_file_metadata(std::string const& path)
{
    return read_and_decode(path, attribute::metadata, max_metadata_size, decode_file_metadata);
}

}
