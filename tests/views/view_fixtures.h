#pragma once

// Entries as a listing would produce them, for view tests.

#include "model/entry.h"

#include <string>

namespace view_fixtures {

files::model::Entry file(std::string const& folder, std::string const& name, std::uint64_t size = 2048);
files::model::Entry folder(std::string const& parent, std::string const& name);

files::model::AvailabilityRecord availability(
    files::model::ResidencyState residency, files::model::TransferPhase phase = files::model::TransferPhase::Idle);

// A history summary with one conflict in the given state.
files::model::HistorySummary history_with_conflict(collab::ConflictStatus status);

files::model::ShareSummary share_with(int active, int revoked);

}

#include "ui/image.h"
#include "ui/scrollable.h"
#include "ui/selection_model.h"
#include "views/file_view.h"

#include <memory>
#include <vector>

namespace view_fixtures {

// A file view inside a scroll container, as the explorer places it.
struct Harness {
    ui::SelectionModel selection;
    std::vector<files::model::Entry> entries;
    std::shared_ptr<ui::ScrollOffset> offset { std::make_shared<ui::ScrollOffset>() };
    files::views::FileView* view { nullptr };
    std::unique_ptr<ui::Scrollable> root;

    Harness();
    // Hands the entries to the view again (after changing `entries`).
    void refresh();
    // Lays out and draws one frame at `size`.
    ui::Image render(ui::Size size = { 800, 600 });
};

inline ui::PointerMoved moved_to(ui::Point at) { return { at, {} }; }
inline ui::PointerReleased released_at(ui::Point at) { return { at, ui::PointerButton::Primary, {} }; }

// Counts pixels in `rect` (logical = device pixels) darker than `level`.
int dark_pixels(ui::Image const& image, ui::Rect rect, double level = 0.5);

}
