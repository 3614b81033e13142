#include "favorites/path_text.h"
#include "i18n/translate.h"
#include "places_sidebar/places_sidebar.h"

#include <charconv>

namespace files::places_sidebar {

namespace {

    constexpr std::string_view row_id_prefix = "places_sidebar.place.";

    std::string row_id(std::size_t row) { return std::string(row_id_prefix) + std::to_string(row); }

    std::optional<std::size_t> row_from_id(std::string_view id)
    {
        if (!id.starts_with(row_id_prefix))
            return std::nullopt;
        id.remove_prefix(row_id_prefix.size());
        std::size_t row = 0;
        auto [end, error] = std::from_chars(id.data(), id.data() + id.size(), row);
        if (error != std::errc() || end != id.data() + id.size() || id.empty())
            return std::nullopt;
        return row;
    }

    std::string section_text(favorites::PlaceSection section)
    {
        switch (section) {
        case favorites::PlaceSection::Favourites:
            return i18n::translate("files-a11y-favourite");
        case favorites::PlaceSection::System:
            return i18n::translate("files-a11y-system-location");
        }
        return {};
    }

}

ui::AccessNode PlacesSidebar::accessibility() const
{
    ui::AccessNode root(identifier, ui::AccessRole::Group, i18n::translate("files-a11y-places"));
    root.bounds = m_bounds;
    root.focusable = true;
    root.focused = has_focus();
    // The shared list may have changed since the last layout.
    auto const geometry = sidebar_geometry(m_bounds, m_favourites.size(), m_system.size(), m_scale);
    auto const all = places();
    for (std::size_t row = 0; row < all.size(); ++row) {
        auto const& place = all[row];
        ui::AccessNode node(row_id(row), ui::AccessRole::ListItem, resolve_label(place.label));
        node.description = i18n::translate_with("files-a11y-place-description",
            { { "section", section_text(place.section) }, { "path", favorites::display_text(place.path) } });
        node.bounds = geometry.rows[row];
        node.selected = is_current(row);
        node.focused = has_focus() && m_focus == row;
        node.actions.push_back("activate");
        if (place.section == favorites::PlaceSection::Favourites)
            node.actions.push_back("show-menu");
        root.children.push_back(std::move(node));
    }
    return root;
}

bool PlacesSidebar::perform_action(std::string const& node_id, std::string const& action)
{
    auto row = row_from_id(node_id);
    if (!row || *row >= m_favourites.size() + m_system.size())
        return false;
    if (action == "activate") {
        activate(*row);
        return true;
    }
    if (action == "show-menu" && *row < m_favourites.size()) {
        open_menu(*row);
        return true;
    }
    return false;
}

}
