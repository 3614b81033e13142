#include "model/workspace_metadata.h"

#include "model/attribute_names.h"
#include "model/attributes.h"
#include "model/detail_decode_memo.h"
#include "model/workspace_decoders.h"

namespace files::model {

namespace {

    // Enough slots for the values of a folder of several thousand files.
    constexpr std::size_t memo_slots = 32768;
    constexpr std::size_t mebibyte = 1024 * 1024;

    // The JSON records are the expensive ones to decode; each kind keeps its
    // own memo, shared by every thread that reads attributes. The budgets
    // hold the values of a folder of 10,000 typical workspace files.
    struct Memos {
        detail::DecodeMemo<FileMetadataRecord> metadata { memo_slots, 4 * mebibyte };
        detail::DecodeMemo<AvailabilityRecord> availability { memo_slots, 8 * mebibyte };
        detail::DecodeMemo<ShareSummary> share { memo_slots, 8 * mebibyte };
        detail::DecodeMemo<HistorySummary> history { memo_slots, 16 * mebibyte };
    };

    Memos& memos()
    {
        // Never destroyed, so a thread still reading at exit finds it intact.
        static Memos& shared = *new Memos;
        return shared;
    }

    template<typename Source, typename Decode>
    auto read_and_decode(Source const& item, char const* name, std::size_t bound, Decode&& decode)
        -> decltype(decode(std::string_view()))
    {
        auto value = read_attribute_view(item, name, bound);
        if (!value || value->empty())
            return std::nullopt;
        return decode(*value);
    }

    template<typename T, typename Decode>
    OptionalRecord<T> read_record(
        ItemInFolder const& item, char const* name, std::size_t bound, detail::DecodeMemo<T>& memo, Decode&& decode)
    {
        auto value = read_attribute_view(item, name, bound);
        if (!value || value->empty())
            return std::nullopt;
        return OptionalRecord<T>(memo.decode(*value, decode));
    }

    // One byte over the exact size is enough to reject a longer value.
    constexpr std::size_t record_id_bound = 17;
    constexpr std::size_t content_hash_bound = 33;

}

void read_workspace_fields(ItemInFolder const& item, Entry& entry)
{
    Memos& memo = memos();
    if (!entry.is_dir) {
        entry.sync = read_and_decode(item, attribute::sync, max_sync_state_size, decode_sync_state);
        entry.content_hash = read_and_decode(item, attribute::content_hash, content_hash_bound, decode_content_hash);
    }
    entry.record_id = read_and_decode(item, attribute::record_id, record_id_bound, decode_record_id);
    entry.availability
        = read_record(item, attribute::availability, max_availability_size, memo.availability, decode_availability);
    entry.share = read_record(item, attribute::share, max_share_size, memo.share, decode_share_summary);
    entry.history = read_record(item, attribute::history, max_history_size, memo.history, decode_history_summary);
    if (!entry.is_dir)
        entry.metadata = read_record(item, attribute::metadata, max_metadata_size, memo.metadata, decode_file_metadata);
}

std::optional<SyncState> read_sync_state(std::string const& path)
{
    return read_and_decode(path, attribute::sync, max_sync_state_size, decode_sync_state);
}

std::optional<ContentHash> read_content_hash(std::string const& path)
{
    return read_and_decode(path, attribute::content_hash, content_hash_bound, decode_content_hash);
}

std::optional<RecordId> read_record_id(std::string const& path)
{
    return read_and_decode(path, attribute::record_id, record_id_bound, decode_record_id);
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
