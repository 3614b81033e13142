#include "model/sorting.h"

#include <algorithm>
#include <memory>
#include <numeric>

#include <unicode/ucasemap.h>
#include <unicode/utypes.h>

namespace files::model {

namespace {

    bool is_ascii(std::string_view text)
    {
        return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    }

    struct CaseMapCloser {
        void operator()(UCaseMap* map) const { ucasemap_close(map); }
    };

    // One case map per thread; the root locale gives the language-independent
    // full mapping.
    UCaseMap* root_case_map()
    {
        thread_local std::unique_ptr<UCaseMap, CaseMapCloser> map = [] {
            UErrorCode status = U_ZERO_ERROR;
            UCaseMap* opened = ucasemap_open("", 0, &status);
            return std::unique_ptr<UCaseMap, CaseMapCloser>(U_SUCCESS(status) ? opened : nullptr);
        }();
        return map.get();
    }

    std::string lower_case_with_icu(std::string_view text)
    {
        UCaseMap* map = root_case_map();
        if (!map)
            return std::string(text);
        UErrorCode status = U_ZERO_ERROR;
        std::string lowered(text.size() * 3 + 4, '\0');
        for (int attempt = 0; attempt < 2; ++attempt) {
            status = U_ZERO_ERROR;
            int32_t const length = ucasemap_utf8ToLower(map, lowered.data(), static_cast<int32_t>(lowered.size()),
                text.data(), static_cast<int32_t>(text.size()), &status);
            if (status == U_BUFFER_OVERFLOW_ERROR) {
                lowered.assign(static_cast<std::size_t>(length), '\0');
                continue;
            }
            if (U_FAILURE(status))
                break;
            lowered.resize(static_cast<std::size_t>(length));
            return lowered;
        }
        return std::string(text);
    }

    // Reorders in place so that entry i becomes the one at positions[i], moving
    // each entry once along its cycle instead of building a second list.
    void apply_permutation(std::vector<Entry>& entries, std::vector<std::size_t>& positions)
    {
        for (std::size_t start = 0; start < positions.size(); ++start) {
            if (positions[start] == start)
                continue;
            Entry held = std::move(entries[start]);
            std::size_t target = start;
            while (positions[target] != start) {
                std::size_t const source = positions[target];
                entries[target] = std::move(entries[source]);
                positions[target] = target;
                target = source;
            }
            entries[target] = std::move(held);
            positions[target] = target;
        }
    }

    // Sorts by `key_less` (the ascending order of the key alone, over original
    // positions), folders first, reversing only the key for Descending.
    template<typename Projection> void sort_by(std::vector<Entry>& entries, SortOrder order, Projection&& key_less)
    {
        bool const descending = order == SortOrder::Descending;
        std::vector<std::size_t> positions(entries.size());
        std::iota(positions.begin(), positions.end(), 0);
        std::stable_sort(positions.begin(), positions.end(), [&](std::size_t a, std::size_t b) {
            bool const a_dir = entries[a].is_dir;
            bool const b_dir = entries[b].is_dir;
            if (a_dir != b_dir)
                return a_dir;
            return descending ? key_less(b, a) : key_less(a, b);
        });
        apply_permutation(entries, positions);
    }

    void append_lower_case(std::string& out, std::string_view text)
    {
        if (!is_ascii(text)) {
            out.append(lower_case_with_icu(text));
            return;
        }
        for (char c : text)
            out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }

}

std::string lower_case_key(std::string_view text)
{
    std::string lowered;
    append_lower_case(lowered, text);
    return lowered;
}

void sort_entries(std::vector<Entry>& entries, SortKey key, SortOrder order)
{
    switch (key) {
    case SortKey::Name: {
        // Lowered once per entry for this sort rather than in every
        // comparison, all into one buffer so the keys cost one allocation.
        std::string keys;
        std::vector<std::pair<std::size_t, std::size_t>> spans;
        spans.reserve(entries.size());
        for (Entry const& entry : entries) {
            std::size_t const offset = keys.size();
            append_lower_case(keys, entry.name);
            spans.emplace_back(offset, keys.size() - offset);
        }
        auto key_of
            = [&](std::size_t index) { return std::string_view(keys).substr(spans[index].first, spans[index].second); };
        sort_by(entries, order, [&](std::size_t a, std::size_t b) { return key_of(a) < key_of(b); });
        return;
    }
    case SortKey::Size:
        sort_by(entries, order, [&](std::size_t a, std::size_t b) { return entries[a].size < entries[b].size; });
        return;
    case SortKey::Modified:
        sort_by(entries, order, [&](std::size_t a, std::size_t b) {
            auto const& time_a = entries[a].modified;
            auto const& time_b = entries[b].modified;
            if (!time_a || !time_b)
                return !time_a && time_b;
            return time_a->is_before(*time_b);
        });
        return;
    case SortKey::Type:
        sort_by(entries, order, [&](std::size_t a, std::size_t b) { return entries[a].mime < entries[b].mime; });
        return;
    }
}

}
