#pragma once

// One item of a listed folder, the keys a listing is ordered by, and the
// identity by which an item is recognised again after a re-read.

#include "model/optional_record.h"
#include "model/workspace_records.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace files::model {

// A modification time as an instant plus the local UTC offset in force at
// that instant. The calendar fields are derived from these three values.
struct LocalDateTime {
    std::int64_t unix_seconds { 0 };
    std::uint32_t nanoseconds { 0 };
    std::int32_t utc_offset_seconds { 0 };

    struct Calendar {
        std::int64_t year;
        unsigned month; // 1..12
        unsigned day; // 1..31
        unsigned hour;
        unsigned minute;
        unsigned second;
    };
    // The local calendar date and time of day.
    Calendar calendar() const;
    // The local wall-clock time, whole seconds, for formatting.
    std::chrono::local_seconds local_time() const
    {
        return std::chrono::local_seconds(std::chrono::seconds(unix_seconds + utc_offset_seconds));
    }

    // Time order of the instants; the offset does not take part.
    bool is_before(LocalDateTime const& other) const
    {
        return unix_seconds != other.unix_seconds ? unix_seconds < other.unix_seconds : nanoseconds < other.nanoseconds;
    }
    bool operator==(LocalDateTime const&) const = default;
};

// Converts an instant to local time with the process's time zone.
LocalDateTime to_local_date_time(std::int64_t unix_seconds, std::uint32_t nanoseconds);

struct Entry {
    // The file name for display, sorting and the order fingerprint; bytes that
    // are not valid UTF-8 are replaced by U+FFFD.
    std::string name;
    // The exact enumerated path bytes; every file operation uses this. Kept
    // as plain bytes (a std::filesystem::path stores every component again,
    // several times the size of the text) and converts implicitly to
    // std::filesystem::path where an operation needs one.
    std::string path;
    // True only for a real folder; a symbolic link to a folder is a file.
    bool is_dir { false };
    std::uint64_t size { 0 };
    std::optional<LocalDateTime> modified;
    std::string mime;

    // Workspace fields, absent outside the workspace.
    std::optional<SyncState> sync;
    std::optional<ContentHash> content_hash;
    std::optional<RecordId> record_id;
    OptionalRecord<AvailabilityRecord> availability;
    OptionalRecord<ShareSummary> share;
    OptionalRecord<HistorySummary> history;
    OptionalRecord<FileMetadataRecord> metadata;

    bool is_hidden() const { return !name.empty() && name.front() == '.'; }
    bool operator==(Entry const&) const = default;
};

enum class SortKey : std::uint8_t { Name, Size, Modified, Type };
enum class SortOrder : std::uint8_t { Ascending, Descending };
// How a folder is shown: rows with columns, or a grid of tiles.
enum class ViewMode : std::uint8_t { List, Grid };

// How an entry is recognised after a re-read: its record id when it has one
// (a workspace file keeps it across renames), otherwise its path.
class EntryIdentity {
public:
    static EntryIdentity of(Entry const& entry);

    bool is_record() const { return std::holds_alternative<RecordId>(m_value); }
    // Record ids match when equal; paths match when equal component by
    // component; a record id never matches a path.
    bool matches(EntryIdentity const& other) const;
    // A text that is equal for two identities exactly when they match, for
    // hashing.
    std::string key() const;

private:
    explicit EntryIdentity(std::variant<RecordId, std::string> value)
        : m_value(std::move(value))
    {
    }
    std::variant<RecordId, std::string> m_value;
};

// Equality of two path texts component by component; repeated and trailing
// separators make no difference (pass a std::filesystem::path as native()).
bool same_path(std::string_view a, std::string_view b);

}
