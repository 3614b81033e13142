#include "views/view_fixtures.h"

namespace view_fixtures {

using namespace files::model;

Entry file(std::string const& folder, std::string const& name, std::uint64_t size)
{
    Entry entry;
    entry.name = name;
    entry.path = folder + "/" + name;
    entry.size = size;
    entry.modified = LocalDateTime { 1'710'000'000, 0, 0 };
    return entry;
}

Entry folder(std::string const& parent, std::string const& name)
{
    Entry entry = file(parent, name, 4096);
    entry.is_dir = true;
    return entry;
}

AvailabilityRecord availability(ResidencyState residency, TransferPhase phase)
{
    AvailabilityRecord record;
    record.residency = residency;
    record.phase = phase;
    return record;
}

HistorySummary history_with_conflict(collab::ConflictStatus status)
{
    HistorySummary history;
    collab::FileConflictV1 conflict;
    conflict.status = status;
    history.conflicts.push_back(conflict);
    return history;
}

ShareSummary share_with(int active, int revoked)
{
    ShareSummary share;
    for (int i = 0; i < active + revoked; ++i) {
        ShareGrant grant;
        grant.status = i < active ? GrantStatus::Active : GrantStatus::Revoked;
        share.grants.push_back(grant);
    }
    return share;
}

}

#include "ui/offscreen_renderer.h"

#include <stdexcept>

namespace view_fixtures {

Harness::Harness()
{
    auto child = std::make_unique<files::views::FileView>(selection);
    view = child.get();
    root = std::make_unique<ui::Scrollable>(std::move(child));
    root->with_persisted_offset(offset);
}

void Harness::refresh() { view->set_entries(entries); }

ui::Image Harness::render(ui::Size size)
{
    refresh();
    ui::RenderOptions options;
    options.size = size;
    auto image = ui::OffscreenRenderer::render(*root, options);
    if (!image)
        throw std::runtime_error(image.error().text());
    return *image;
}

int dark_pixels(ui::Image const& image, ui::Rect rect, double level)
{
    int count = 0;
    for (int y = static_cast<int>(rect.top); y < static_cast<int>(rect.bottom); ++y) {
        for (int x = static_cast<int>(rect.left); x < static_cast<int>(rect.right); ++x) {
            if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
                continue;
            ui::Color c = image.pixel(x, y);
            if ((c.r + c.g + c.b) / 3 < level)
                ++count;
        }
    }
    return count;
}

}
