#include "model/reread.h"

#include <algorithm>
#include <unordered_set>

namespace files::model {

using namespace std::chrono_literals;

std::chrono::milliseconds refresh_interval(std::size_t entry_count)
{
    if (entry_count < 512)
        return 750ms;
    if (entry_count < 4096)
        return 3s;
    if (entry_count < 20000)
        return 12s;
    return 30s;
}

RememberedSelection remember_selection(std::vector<Entry> const& entries, SelectionIndices const& selection)
{
    RememberedSelection remembered;
    remembered.selected.reserve(selection.selected.size());
    for (std::size_t index : selection.selected) {
        if (index < entries.size())
            remembered.selected.push_back(EntryIdentity::of(entries[index]));
    }
    if (selection.primary && *selection.primary < entries.size())
        remembered.primary = EntryIdentity::of(entries[*selection.primary]);
    return remembered;
}

SelectionIndices remap_selection(RememberedSelection const& remembered, std::vector<Entry> const& entries)
{
    // Keys that match exactly when identities match, so a large selection is
    // mapped in linear time.
    std::unordered_set<std::string> wanted;
    wanted.reserve(remembered.selected.size());
    for (auto const& identity : remembered.selected)
        wanted.insert(identity.key());
    std::optional<std::string> const primary_key
        = remembered.primary ? std::optional(remembered.primary->key()) : std::nullopt;

    SelectionIndices result;
    if (wanted.empty() && !primary_key)
        return result;
    for (std::size_t index = 0; index < entries.size(); ++index) {
        std::string const key = EntryIdentity::of(entries[index]).key();
        bool const is_primary = primary_key && !result.primary && key == *primary_key;
        if (is_primary)
            result.primary = index;
        if (is_primary || wanted.contains(key))
            result.selected.push_back(index);
    }
    return result;
}

std::optional<SelectionIndices> apply_reread(
    std::vector<Entry>& current, std::vector<Entry>&& fresh, SelectionIndices const& selection)
{
    if (fresh == current)
        return std::nullopt;
    auto const remembered = remember_selection(current, selection);
    current = std::move(fresh);
    return remap_selection(remembered, current);
}

}
