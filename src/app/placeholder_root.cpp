#include "app/placeholder_root.h"

#include "ui/painter.h"

#include <nlohmann/json.hpp>

namespace files::app {

PlaceholderRoot::PlaceholderRoot(std::string location, std::string notice)
    : m_location(std::move(location))
    , m_notice(std::move(notice))
{
}

void PlaceholderRoot::build_layout(ui::Rect bounds, ui::LayoutContext&)
{
    m_bounds = bounds;
    m_laid_out = true;
    set_needs_layout(false);
}

void PlaceholderRoot::draw(ui::Painter& painter)
{
    auto const& theme = painter.theme();
    painter.fill_rect(m_bounds, theme.window);
    auto toolbar = ui::Rect { m_bounds.left, m_bounds.top, m_bounds.right, m_bounds.top + 52 };
    painter.fill_rect(toolbar, theme.panel);
    painter.line({ toolbar.left, toolbar.bottom - 0.5 }, { toolbar.right, toolbar.bottom - 0.5 }, theme.quiet);
    painter.draw_icon(
        ui::Icon::Folder, ui::Rect::from_xywh(toolbar.left + 16, toolbar.top + 14, 24, 24), theme.folder_icon);
    painter.draw_text(m_location, { toolbar.left + 52, toolbar.top, toolbar.right - 16, toolbar.bottom },
        ui::TextStyle {
            ui::Font { 14, ui::FontWeight::Semibold }, theme.primary, ui::TextAlign::Start, ui::Ellipsize::Middle });

    auto center = m_bounds.center();
    painter.draw_icon(ui::Icon::Folder, ui::Rect::from_xywh(center.x - 32, center.y - 72, 64, 64), theme.folder_icon);
    painter.draw_text("Files", { m_bounds.left, center.y, m_bounds.right, center.y + 32 },
        ui::TextStyle { ui::Font { 20, ui::FontWeight::Semibold }, theme.primary, ui::TextAlign::Center });
    if (!m_notice.empty()) {
        painter.draw_text(m_notice, { m_bounds.left + 24, center.y + 36, m_bounds.right - 24, center.y + 60 },
            ui::TextStyle { ui::Font { 13 }, theme.muted, ui::TextAlign::Center });
    }
}

ui::AccessNode PlaceholderRoot::accessibility() const
{
    ui::AccessNode root("files-root", ui::AccessRole::Window, "Files");
    root.description = m_location;
    root.value = m_notice;
    root.bounds = m_bounds;
    return root;
}

std::optional<std::string> PlaceholderRoot::observer_snapshot() const
{
    nlohmann::json snapshot { { "path", m_location }, { "ready", m_laid_out }, { "notice", m_notice } };
    return snapshot.dump();
}

}
