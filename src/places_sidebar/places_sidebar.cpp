#include "places_sidebar/places_sidebar.h"

#include "favorites/path_text.h"
#include "i18n/translate.h"

#include <algorithm>
#include <utility>

namespace files::places_sidebar {

using favorites::Place;
using favorites::PlaceKind;

std::string resolve_label(favorites::Label const& label)
{
    switch (label.source) {
    case favorites::Label::Source::Message:
        return i18n::translate(label.text);
    case favorites::Label::Source::Literal:
        return label.text;
    }
    return label.text;
}

ui::Icon place_icon(PlaceKind kind)
{
    switch (kind) {
    case PlaceKind::Home:
        return ui::Icon::Home;
    case PlaceKind::Documents:
        return ui::Icon::Documents;
    case PlaceKind::Downloads:
        return ui::Icon::Downloads;
    case PlaceKind::Pictures:
        return ui::Icon::Pictures;
    case PlaceKind::Music:
        return ui::Icon::Music;
    case PlaceKind::Videos:
        return ui::Icon::Videos;
    case PlaceKind::Workspace:
        return ui::Icon::Workspace;
    case PlaceKind::Root:
        return ui::Icon::Root;
    case PlaceKind::Trash:
        return ui::Icon::Trash;
    case PlaceKind::Remote:
        return ui::Icon::Remote;
    case PlaceKind::Folder:
        return ui::Icon::Folder;
    }
    return ui::Icon::Folder;
}

PlacesSidebar::PlacesSidebar(std::vector<favorites::Favourite> const& favourites, std::vector<Place> system_places)
    : m_favourites(favourites)
    , m_system(std::move(system_places))
{
}

void PlacesSidebar::set_current_location(std::filesystem::path path)
{
    if (m_current && *m_current == path)
        return;
    m_current = std::move(path);
    set_needs_redraw();
}

std::vector<SidebarMessage> PlacesSidebar::take_messages() { return std::exchange(m_messages, {}); }

std::vector<Place> PlacesSidebar::places() const { return favorites::sidebar_places(m_favourites, m_system); }

ui::Size PlacesSidebar::measure(ui::Size available, ui::LayoutContext&)
{
    return { std::min(available.width, 240.0), available.height };
}

void PlacesSidebar::build_layout(ui::Rect bounds, ui::LayoutContext& context)
{
    m_bounds = bounds;
    m_scale = context.frame.text_scale > 0 ? context.frame.text_scale : 1;
    refresh_geometry();
}

void PlacesSidebar::apply_layout(ui::Rect bounds)
{
    m_bounds = bounds;
    refresh_geometry();
}

void PlacesSidebar::refresh_geometry()
{
    m_geometry = sidebar_geometry(m_bounds, m_favourites.size(), m_system.size(), m_scale);
    auto count = m_geometry.rows.size();
    if (m_hover && *m_hover >= count)
        m_hover.reset();
    if (m_focus && *m_focus >= count)
        m_focus = count > 0 ? std::optional(count - 1) : std::nullopt;
    if (m_drag && m_drag->from >= m_geometry.favourite_count)
        m_drag.reset(); // the list shrank under the drag
}

bool PlacesSidebar::is_current(std::size_t row) const
{
    if (!m_current)
        return false;
    auto const& path = row < m_favourites.size() ? m_favourites[row].path : m_system[row - m_favourites.size()].path;
    return favorites::same_path(path, *m_current);
}

void PlacesSidebar::activate(std::size_t row)
{
    auto all = places();
    if (row < all.size())
        m_messages.push_back(NavigateToPlace { all[row].path });
}

void PlacesSidebar::open_menu(std::size_t row)
{
    if (row < m_favourites.size())
        m_messages.push_back(FavouriteContextMenu { m_favourites[row].path });
}

void PlacesSidebar::set_focus(bool focused)
{
    ui::Widget::set_focus(focused);
    if (focused && !m_focus) {
        auto count = m_favourites.size() + m_system.size();
        for (std::size_t row = 0; row < count && !m_focus; ++row) {
            if (is_current(row))
                m_focus = row;
        }
        if (!m_focus && count > 0)
            m_focus = 0;
    }
    set_needs_redraw();
}

}
