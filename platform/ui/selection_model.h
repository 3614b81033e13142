#pragma once

// An ordered set of selected indices with one primary index (the one the
// keyboard moves from and the one a context menu anchors at) and an anchor for
// Shift ranges.

#include <cstddef>
#include <optional>
#include <vector>

namespace ui {

enum class ClickSelect {
    Replace, // plain click: select only this item
    Toggle,  // primary modifier (Control or Super): add or remove this item
    Range,   // Shift: select from the anchor to this item
};

enum class MoveSelect {
    Replace, // select only the target
    Extend,  // select from the anchor to the target
};

class SelectionModel {
public:
    void select_only(std::size_t index);
    void toggle(std::size_t index);
    void apply_click(std::size_t index, ClickSelect mode);
    // Moves the primary index to `index`, replacing or extending the selection.
    void move_to(std::size_t index, MoveSelect mode);
    void select_all(std::size_t count);
    void clear();
    // Drops indices at or beyond `count` (the list shrank).
    void clamp(std::size_t count);

    bool is_selected(std::size_t index) const;
    // Selected indices in ascending order.
    std::vector<std::size_t> const& selected() const { return m_selected; }
    std::optional<std::size_t> primary() const { return m_primary; }
    std::optional<std::size_t> anchor() const { return m_anchor; }
    bool empty() const { return m_selected.empty(); }
    std::size_t size() const { return m_selected.size(); }

    // Replaces the whole state (used when a re-read maps identities back to
    // new indices). The primary index, if given, must be among `selected`.
    void assign(std::vector<std::size_t> selected, std::optional<std::size_t> primary);

private:
    void select_range(std::size_t from, std::size_t to);
    void insert(std::size_t index);
    void erase(std::size_t index);

    std::vector<std::size_t> m_selected;
    std::optional<std::size_t> m_primary;
    std::optional<std::size_t> m_anchor;
};

}
