#include "ui/context_menu.h"

#include <nlohmann/json.hpp>

namespace ui {

namespace {

    // The payload's text when it is a JSON string (whitespace allowed).
    std::optional<std::string> payload_string(std::string const& payload_json)
    {
        auto parsed = nlohmann::json::parse(payload_json, nullptr, false);
        if (!parsed.is_string())
            return std::nullopt;
        return parsed.get<std::string>();
    }

}

void ContextMenu::move_highlight(std::size_t index, int direction)
{
    Level& level = m_levels[index];
    std::size_t count = level.items.size();
    if (count == 0)
        return;
    // Without a highlight, Down starts at the first item and Up at the last.
    std::size_t start = level.highlight ? *level.highlight : (direction > 0 ? count - 1 : 0);
    for (std::size_t step = 1; step <= count; ++step) {
        std::size_t candidate = direction > 0 ? (start + step) % count : (start + count - step) % count;
        if (level.items[candidate].is_selectable()) {
            level.highlight = candidate;
            scroll_into_view(index, candidate);
            set_needs_redraw();
            return;
        }
    }
}

void ContextMenu::highlight_edge(std::size_t index, bool last)
{
    Level& level = m_levels[index];
    level.highlight.reset();
    move_highlight(index, last ? -1 : 1);
}

EventResult ContextMenu::handle_move(PointerMoved const& moved)
{
    auto hit = item_at(moved.position);
    if (!hit)
        return EventResult::Ignored;
    Level& level = m_levels[hit->level];
    if (!level.items[hit->index].is_selectable())
        return EventResult::Handled;
    // Pointing at another item of a parent level closes the submenu above it.
    if (level.submenu_item && *level.submenu_item != hit->index)
        close_from(hit->level + 1);
    if (level.highlight != hit->index) {
        level.highlight = hit->index;
        set_needs_redraw();
    }
    return EventResult::Handled;
}

EventResult ContextMenu::handle_press(PointerPressed const& press)
{
    bool inside = false;
    for (auto const& level : m_levels)
        inside = inside || level.rect.contains(press.position);
    if (!inside) {
        close();
        // A secondary press outside is left to the owner, who may open a new
        // menu there; a primary press only dismisses.
        if (press.button != PointerButton::Primary)
            return EventResult::Ignored;
        m_swallow_release = true;
        return EventResult::Handled;
    }
    if (press.button == PointerButton::Primary) {
        if (auto hit = item_at(press.position); hit && choose(*hit))
            m_swallow_release = !is_open();
    }
    return EventResult::Handled;
}

EventResult ContextMenu::handle_key(KeyPressed const& key)
{
    if (key.composing || !key.key)
        return EventResult::Handled;
    std::size_t top = m_levels.size() - 1;
    Level& level = m_levels[top];
    if (key.is(Key::Down) || key.is(Key::Up)) {
        move_highlight(top, key.is(Key::Down) ? 1 : -1);
    } else if (key.is(Key::Home) || key.is(Key::End)) {
        highlight_edge(top, key.is(Key::End));
    } else if (key.is(Key::Enter) || key.is(Key::Space)) {
        if (level.highlight)
            choose({ top, *level.highlight });
    } else if (key.is(Key::Right)) {
        if (level.highlight && level.items[*level.highlight].opens_submenu)
            choose({ top, *level.highlight });
    } else if (key.is(Key::Left)) {
        if (top > 0)
            close_from(top);
    } else if (key.is(Key::Escape)) {
        close_from(top);
    }
    // Every other key stays with the open menu, which is modal.
    return EventResult::Handled;
}

EventResult ContextMenu::handle_event(Event const& event)
{
    if (auto const* release = std::get_if<PointerReleased>(&event)) {
        (void)release;
        // The release of the press that chose or dismissed belongs to the menu.
        bool swallow = m_swallow_release || is_open();
        m_swallow_release = false;
        return swallow ? EventResult::Handled : EventResult::Ignored;
    }
    if (!is_open())
        return EventResult::Ignored;
    if (auto const* moved = std::get_if<PointerMoved>(&event))
        return handle_move(*moved);
    if (auto const* press = std::get_if<PointerPressed>(&event))
        return handle_press(*press);
    if (auto const* scrolled = std::get_if<Scrolled>(&event)) {
        for (std::size_t l = m_levels.size(); l-- > 0;) {
            if (m_levels[l].rect.contains(scrolled->position)) {
                scroll_level(l, scrolled->dy);
                break;
            }
        }
        return EventResult::Handled;
    }
    if (auto const* key = std::get_if<KeyPressed>(&event))
        return handle_key(*key);
    return EventResult::Ignored;
}

AccessNode ContextMenu::level_node(std::size_t index) const
{
    Level const& level = m_levels[index];
    AccessNode node(m_control_id + "." + std::to_string(index), AccessRole::Menu);
    node.bounds = level.rect;
    for (std::size_t i = 0; i < level.items.size(); ++i) {
        MenuItem const& item = level.items[i];
        std::string id = item_control_id({ index, i });
        if (item.is_separator) {
            node.children.emplace_back(id, AccessRole::Separator);
            continue;
        }
        AccessNode child(id, AccessRole::MenuItem, item.label);
        child.bounds = item_rect({ index, i });
        child.focusable = item.enabled;
        child.focused = level.highlight == i && index + 1 == m_levels.size();
        child.selected = level.highlight == i;
        child.disabled = !item.enabled;
        if (item.check != MenuCheck::None)
            child.checked = item.check == MenuCheck::Checked;
        if (item.enabled) {
            child.control_id = id;
            child.actions = { "activate" };
        }
        if (level.submenu_item == i && index + 1 < m_levels.size())
            child.children.push_back(level_node(index + 1));
        node.children.push_back(std::move(child));
    }
    return node;
}

AccessNode ContextMenu::accessibility() const
{
    if (m_levels.empty())
        return {};
    return level_node(0);
}

bool ContextMenu::perform_action(std::string const& node_id, std::string const& action)
{
    if (action != "activate")
        return false;
    auto item = find_item(node_id);
    return item && choose(*item);
}

std::vector<Resource> ContextMenu::resources() const
{
    std::vector<Resource> out;
    for (std::size_t l = 0; l < m_levels.size(); ++l) {
        for (std::size_t i = 0; i < m_levels[l].items.size(); ++i) {
            MenuItem const& item = m_levels[l].items[i];
            if (item.is_selectable())
                out.push_back(control_resource(item_control_id({ l, i }), item.label));
        }
    }
    return out;
}

InvokeResult ContextMenu::invoke(ActionInvocation const& invocation)
{
    if (invocation.action_id != control_invoke_action)
        return InvokeResult::not_handled();
    auto id = payload_string(invocation.payload_json);
    auto item = id ? find_item(*id) : std::nullopt;
    if (!item || m_levels[item->level].items[item->index].is_separator)
        return InvokeResult::not_handled();
    if (!choose(*item))
        return InvokeResult::failed("this control is disabled");
    return InvokeResult::handled();
}

}
