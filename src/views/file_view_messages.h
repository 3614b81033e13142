#pragma once

// What the file view reports to its owner. The view changes nothing but its
// own hover and press state (and the selection model through apply_click);
// everything else is a message the explorer applies after the event.

#include "model/entry.h"
#include "ui/events.h"
#include "ui/geometry.h"

#include <cstddef>
#include <optional>
#include <string>
#include <variant>

namespace files::views {

// A primary press was applied to the selection model: on an entry, or on
// empty space (no index).
struct EntryClicked {
    std::optional<std::size_t> index;
    ui::Modifiers modifiers;
    int click_count { 1 };
    bool operator==(EntryClicked const&) const = default;
};

// Grid arrow keys moved the primary item.
struct SelectIndex {
    std::size_t index { 0 };
    bool operator==(SelectIndex const&) const = default;
};

// A header column was clicked; the explorer toggles the direction when the
// key is already current, else sets the key.
struct HeaderSortClicked {
    model::SortKey key { model::SortKey::Name };
    bool operator==(HeaderSortClicked const&) const = default;
};

// The secondary button was pressed; the item under the pointer, when there
// is one, is now selected.
struct ContextMenuRequested {
    ui::Point position;
    std::optional<std::size_t> index;
    bool operator==(ContextMenuRequested const&) const = default;
};

// The pointer moved more than the drag threshold from a plain press on an
// entry with the primary button down.
struct BeginDrag {
    std::size_t index { 0 };
    std::string path;
    ui::Point press_position;
    bool operator==(BeginDrag const&) const = default;
};

// Hover changed; the view wants to be drawn again.
struct RedrawNeeded {
    bool operator==(RedrawNeeded const&) const = default;
};

using FileViewMessage
    = std::variant<EntryClicked, SelectIndex, HeaderSortClicked, ContextMenuRequested, BeginDrag, RedrawNeeded>;

}
