#pragma once

// The machine-readable description of what the explorer shows, for the
// desktop's automation: one compact JSON object with a fixed member order.

#include "model/entry.h"
#include "ui/geometry.h"
#include "ui/selection_model.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace files::native_observer {

// Everything the snapshot reads, borrowed from the explorer's state.
struct SnapshotInput {
    SnapshotInput(
        std::filesystem::path const& folder, std::span<model::Entry const> listing, ui::SelectionModel const& selected)
        : directory(folder)
        , entries(listing)
        , selection(selected)
    {
    }

    std::filesystem::path const& directory;
    std::span<model::Entry const> entries;
    ui::SelectionModel const& selection;
    bool loading { false };
    bool has_error { false };
    // The thumbnail service's count of unfinished requests; nothing without one.
    std::optional<std::size_t> thumbnail_pending;
    ui::Point offset;
    ui::Point last_cursor;
    ui::Rect root_rect;
    std::optional<ui::Rect> viewport_rect;
    std::optional<ui::Rect> content_rect;
    model::ViewMode view_mode { model::ViewMode::List };
    model::SortKey sort_key { model::SortKey::Name };
    bool sort_descending { false };
};

std::string observer_snapshot(SnapshotInput const& input);

// Finite, left < right, top < bottom.
bool is_valid_rect(ui::Rect const& rect);

}
