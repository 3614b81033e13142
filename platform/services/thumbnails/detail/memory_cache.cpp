#include "services/thumbnails/detail/memory_cache.h"

namespace services::detail {

std::size_t MemoryCache::cost(ui::Image const& image)
{
    return static_cast<std::size_t>(image.stride()) * static_cast<std::size_t>(image.height());
}

std::optional<ui::Image> MemoryCache::find(ThumbKey const& key)
{
    auto found = m_index.find(key);
    if (found == m_index.end())
        return std::nullopt;
    m_order.splice(m_order.begin(), m_order, found->second);
    return found->second->second;
}

void MemoryCache::insert(ThumbKey const& key, ui::Image image)
{
    if (auto found = m_index.find(key); found != m_index.end()) {
        m_bytes -= cost(found->second->second);
        m_order.erase(found->second);
        m_index.erase(found);
    }
    std::size_t image_cost = cost(image);
    if (image_cost > m_budget)
        return;
    evict_to(m_budget - image_cost);
    m_order.emplace_front(key, std::move(image));
    m_index.emplace(key, m_order.begin());
    m_bytes += image_cost;
}

void MemoryCache::evict_to(std::size_t budget)
{
    while (m_bytes > budget && !m_order.empty()) {
        m_bytes -= cost(m_order.back().second);
        m_index.erase(m_order.back().first);
        m_order.pop_back();
    }
}

}
