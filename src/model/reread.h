#pragma once

// The periodic re-read that stands in for a file-system watcher: how often it
// runs, and how its result is applied to the current listing and selection.

#include "model/entry.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <vector>

namespace files::model {

// Delay before the next re-read of a folder of `entry_count` entries: 750 ms
// below 512, 3 s below 4096, 12 s below 20000, else 30 s.
std::chrono::milliseconds refresh_interval(std::size_t entry_count);

// Selected indices (ascending) and the primary index into a listing.
struct SelectionIndices {
    std::vector<std::size_t> selected;
    std::optional<std::size_t> primary;
    bool operator==(SelectionIndices const&) const = default;
};

// The identities behind a selection, taken before a re-read.
struct RememberedSelection {
    std::vector<EntryIdentity> selected;
    std::optional<EntryIdentity> primary;
};

// Indices beyond the listing are ignored.
RememberedSelection remember_selection(std::vector<Entry> const& entries, SelectionIndices const& selection);

// Every entry whose identity matches a remembered one is selected; the first
// entry matching the remembered primary becomes primary (and is selected).
// Items that disappeared drop out.
SelectionIndices remap_selection(RememberedSelection const& remembered, std::vector<Entry> const& entries);

// Applies a re-read. When `fresh` equals `current` entry for entry, nothing is
// touched and nothing is returned. Otherwise `current` becomes `fresh` and the
// selection, mapped by identity onto the new listing, is returned.
std::optional<SelectionIndices> apply_reread(
    std::vector<Entry>& current, std::vector<Entry>&& fresh, SelectionIndices const& selection);

}
