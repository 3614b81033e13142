#include "ui/selection_model.h"

#include <algorithm>

namespace ui {

void SelectionModel::select_only(std::size_t index)
{
    m_selected = { index };
    m_primary = index;
    m_anchor = index;
}

void SelectionModel::toggle(std::size_t index)
{
    if (is_selected(index)) {
        erase(index);
        if (m_primary == index)
            m_primary = m_selected.empty() ? std::nullopt : std::optional(m_selected.back());
    } else {
        insert(index);
        m_primary = index;
    }
    // The anchor follows the last toggled item so a later Shift click ranges from it.
    m_anchor = index;
}

void SelectionModel::apply_click(std::size_t index, ClickSelect mode)
{
    switch (mode) {
    case ClickSelect::Replace:
        select_only(index);
        return;
    case ClickSelect::Toggle:
        toggle(index);
        return;
    case ClickSelect::Range: {
        auto from = m_anchor.value_or(m_primary.value_or(index));
        select_range(from, index);
        m_anchor = from;
        m_primary = index;
        return;
    }
    }
}

void SelectionModel::move_to(std::size_t index, MoveSelect mode)
{
    switch (mode) {
    case MoveSelect::Replace:
        select_only(index);
        return;
    case MoveSelect::Extend:
        apply_click(index, ClickSelect::Range);
        return;
    }
}

void SelectionModel::select_all(std::size_t count)
{
    m_selected.clear();
    m_selected.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        m_selected.push_back(i);
    if (count == 0) {
        clear();
        return;
    }
    if (!m_primary || *m_primary >= count)
        m_primary = 0;
    if (!m_anchor || *m_anchor >= count)
        m_anchor = m_primary;
}

void SelectionModel::clear()
{
    m_selected.clear();
    m_primary.reset();
    m_anchor.reset();
}

void SelectionModel::clamp(std::size_t count)
{
    std::erase_if(m_selected, [count](std::size_t i) { return i >= count; });
    if (m_primary && *m_primary >= count)
        m_primary = m_selected.empty() ? std::nullopt : std::optional(m_selected.back());
    if (m_anchor && *m_anchor >= count)
        m_anchor = m_primary;
}

bool SelectionModel::is_selected(std::size_t index) const
{
    return std::binary_search(m_selected.begin(), m_selected.end(), index);
}

void SelectionModel::assign(std::vector<std::size_t> selected, std::optional<std::size_t> primary)
{
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    m_selected = std::move(selected);
    if (primary && !is_selected(*primary))
        primary.reset();
    if (!primary && !m_selected.empty())
        primary = m_selected.front();
    m_primary = primary;
    m_anchor = primary;
}

void SelectionModel::select_range(std::size_t from, std::size_t to)
{
    auto low = std::min(from, to);
    auto high = std::max(from, to);
    m_selected.clear();
    m_selected.reserve(high - low + 1);
    for (auto i = low; i <= high; ++i)
        m_selected.push_back(i);
}

void SelectionModel::insert(std::size_t index)
{
    auto it = std::lower_bound(m_selected.begin(), m_selected.end(), index);
    if (it == m_selected.end() || *it != index)
        m_selected.insert(it, index);
}

void SelectionModel::erase(std::size_t index)
{
    auto it = std::lower_bound(m_selected.begin(), m_selected.end(), index);
    if (it != m_selected.end() && *it == index)
        m_selected.erase(it);
}

}
