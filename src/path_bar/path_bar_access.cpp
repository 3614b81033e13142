// The accessibility tree of the path bar: one node per segment, or the
// field's node while editing.

#include "favorites/path_text.h"
#include "i18n/translate.h"
#include "path_bar/path_bar.h"

#include <charconv>

namespace files::path_bar {

namespace {

    constexpr std::string_view segment_prefix = "path_segment:";

}

std::string PathBar::segment_node_id(std::size_t index) { return std::string(segment_prefix) + std::to_string(index); }

ui::AccessNode PathBar::segment_node(std::size_t index) const
{
    auto const& segment = m_crumbs.segments[index];
    bool current = index + 1 == m_crumbs.segments.size();
    ui::AccessNode node(segment_node_id(index), ui::AccessRole::Button, segment.label);
    auto path = favorites::display_text(segment.path);
    node.description = i18n::translate_with(
        current ? "files-a11y-current-breadcrumb" : "files-a11y-open-folder", { { "path", path } });
    node.focusable = true;
    node.focused = has_focus() && m_focus == index;
    node.actions = { "activate" };
    for (auto const& item : m_layout.items) {
        if (item.segment == index)
            node.bounds = item.rect;
    }
    return node;
}

ui::AccessNode PathBar::accessibility() const
{
    if (m_editing)
        return m_field.accessibility();
    ui::AccessNode group(identifier, ui::AccessRole::Group, i18n::translate("files-a11y-breadcrumbs"));
    group.bounds = m_bounds;
    for (std::size_t i = 0; i < m_crumbs.segments.size(); ++i)
        group.children.push_back(segment_node(i));
    return group;
}

bool PathBar::perform_action(std::string const& node_id, std::string const& action)
{
    if (m_editing) {
        bool handled = m_field.perform_action(node_id, action);
        take_field_messages();
        return handled;
    }
    if (action != "activate" || !node_id.starts_with(segment_prefix))
        return false;
    auto digits = std::string_view(node_id).substr(segment_prefix.size());
    std::size_t index = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (error != std::errc {} || end != digits.data() + digits.size() || index >= m_crumbs.segments.size())
        return false;
    m_focus = index;
    activate(index);
    return true;
}

}
