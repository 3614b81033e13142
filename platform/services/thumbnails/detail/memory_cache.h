#pragma once

// Decoded thumbnails by key, least recently used first out once the pixels
// exceed a byte budget. Not thread-safe; the service guards it.

#include "services/thumbnails/thumb_key.h"
#include "ui/image.h"

#include <list>
#include <optional>
#include <unordered_map>

namespace services::detail {

class MemoryCache {
public:
    explicit MemoryCache(std::size_t budget_bytes)
        : m_budget(budget_bytes)
    {
    }

    // The image, now the most recently used; nothing when absent.
    std::optional<ui::Image> find(ThumbKey const& key);
    // Inserts or replaces, then evicts from the least recently used end
    // until the budget holds. One image larger than the whole budget is not
    // kept at all.
    void insert(ThumbKey const& key, ui::Image image);

    std::size_t bytes() const { return m_bytes; }
    std::size_t size() const { return m_index.size(); }

private:
    static std::size_t cost(ui::Image const& image);
    void evict_to(std::size_t budget);

    std::size_t m_budget;
    std::size_t m_bytes { 0 };
    std::list<std::pair<ThumbKey, ui::Image>> m_order; // most recent first
    std::unordered_map<ThumbKey, decltype(m_order)::iterator> m_index;
};

}
