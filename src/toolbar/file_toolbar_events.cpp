// Input, invocations and accessibility of the toolbar: everything reaches the
// children, and what they report becomes the toolbar's messages.

#include "i18n/translate.h"
#include "toolbar/file_toolbar.h"
#include "ui/button.h"

#include <string_view>

namespace files::toolbar {

namespace {

    // The message of a control's activation; the toggle group reports its own.
    void append_message(std::vector<ToolbarMessage>& out, std::string_view control_id)
    {
        if (control_id == control_ids::back)
            out.emplace_back(GoBack {});
        else if (control_id == control_ids::forward)
            out.emplace_back(GoForward {});
        else if (control_id == control_ids::up)
            out.emplace_back(GoUp {});
        else if (control_id == control_ids::sort_menu)
            out.emplace_back(OpenSortMenu {});
        else if (control_id == control_ids::view_menu)
            out.emplace_back(OpenViewMenu {});
        else if (control_id == control_ids::extract)
            out.emplace_back(ExtractArchive {});
    }
}

void FileToolbar::collect_messages()
{
    for (auto* child : children()) {
        if (child == &m_path_bar) {
            for (auto& message : m_path_bar.take_messages())
                std::visit([&](auto& m) { m_messages.push_back(std::move(m)); }, message);
            continue;
        }
        if (child == m_view_toggle) {
            if (auto chosen = m_view_toggle->take_selection_change())
                m_messages.push_back(SetViewMode { *chosen == 1 ? ViewMode::Grid : ViewMode::List });
            continue;
        }
        while (auto invocation = child->take_control_invocation())
            append_message(m_messages, invocation->control_id);
    }
    for (auto* child : children()) {
        if (child->needs_redraw())
            set_needs_redraw();
    }
}

void FileToolbar::focus_child(std::optional<std::size_t> index)
{
    auto all = children();
    if (m_focused == index)
        return;
    if (m_focused && *m_focused < all.size())
        all[*m_focused]->set_focus(false);
    m_focused = index;
    if (index && *index < all.size())
        all[*index]->set_focus(true);
    set_needs_redraw();
}

ui::EventResult FileToolbar::move_focus(bool backwards)
{
    auto count = children().size();
    if (!m_focused) {
        focus_child(backwards ? count - 1 : 0);
        return ui::EventResult::Handled;
    }
    if ((backwards && *m_focused == 0) || (!backwards && *m_focused + 1 == count)) {
        // Leaving the row: the owner moves focus on to the next region.
        focus_child(std::nullopt);
        return ui::EventResult::Ignored;
    }
    focus_child(backwards ? *m_focused - 1 : *m_focused + 1);
    return ui::EventResult::Handled;
}

ui::EventResult FileToolbar::deliver_key(ui::Event const& event, ui::KeyPressed const& key)
{
    auto all = children();
    // An open location editor holds the keyboard however it was opened: by a
    // click, or by the owner (primary+L) while the row itself has no focus.
    ui::Widget* target = m_path_bar.is_editing() ? &m_path_bar : nullptr;
    if (!target && m_focused && *m_focused < all.size())
        target = all[*m_focused];
    if (target && target->handle_event(event) == ui::EventResult::Handled)
        return ui::EventResult::Handled;
    if (!has_focus() || key.composing || !key.is(ui::Key::Tab))
        return ui::EventResult::Ignored;
    if (key.modifiers.primary() || key.modifiers.alt)
        return ui::EventResult::Ignored;
    return move_focus(key.modifiers.shift);
}

ui::EventResult FileToolbar::deliver_pointer(ui::Event const& event)
{
    auto all = children();
    // A press keeps the pointer until its release, wherever the release is.
    if (m_captured && *m_captured < all.size()) {
        auto result = all[*m_captured]->handle_event(event);
        if (std::holds_alternative<ui::PointerReleased>(event))
            m_captured.reset();
        if (!std::holds_alternative<ui::PointerMoved>(event))
            return result;
    }
    ui::EventResult result = ui::EventResult::Ignored;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (m_captured == i)
            continue;
        if (all[i]->handle_event(event) != ui::EventResult::Handled)
            continue;
        result = ui::EventResult::Handled;
        if (std::holds_alternative<ui::PointerPressed>(event)) {
            m_captured = i;
            if (has_focus())
                focus_child(i);
            break;
        }
    }
    return result;
}

ui::EventResult FileToolbar::handle_event(ui::Event const& event)
{
    ui::EventResult result = ui::EventResult::Ignored;
    if (auto const* key = std::get_if<ui::KeyPressed>(&event))
        result = deliver_key(event, *key);
    else
        result = deliver_pointer(event);
    collect_messages();
    return result;
}

void FileToolbar::set_focus(bool focused)
{
    if (focused == has_focus())
        return;
    Widget::set_focus(focused);
    if (!focused) {
        focus_child(std::nullopt);
        return;
    }
    // The path bar is where keyboard focus lands first.
    if (!m_focused)
        focus_child(m_left.size());
}

ui::AccessNode FileToolbar::accessibility() const
{
    ui::AccessNode node(identifier, ui::AccessRole::Toolbar);
    node.bounds = m_bounds;
    for (auto const* child : children())
        node.children.push_back(child->accessibility());
    return node;
}

bool FileToolbar::perform_action(std::string const& node_id, std::string const& action)
{
    bool handled = false;
    for (auto* child : children()) {
        if (child->perform_action(node_id, action)) {
            handled = true;
            break;
        }
    }
    collect_messages();
    return handled;
}

std::vector<ui::Resource> FileToolbar::resources() const
{
    std::vector<ui::Resource> all;
    for (auto const* child : children()) {
        for (auto& resource : child->resources())
            all.push_back(std::move(resource));
    }
    return all;
}

ui::InvokeResult FileToolbar::invoke(ui::ActionInvocation const& invocation)
{
    auto result = ui::InvokeResult::not_handled();
    for (auto* child : children()) {
        result = child->invoke(invocation);
        if (!result.is_not_handled())
            break;
    }
    collect_messages();
    return result;
}

}
