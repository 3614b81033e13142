#include "toolbar/file_toolbar.h"

#include "i18n/translate.h"
#include "toolbar/toolbar_button.h"
#include "ui/layout.h"
#include "ui/painter.h"
#include "ui/theme.h"

#include <algorithm>
#include <utility>

namespace files::toolbar {

namespace {

    constexpr double edge_padding = 8;
    constexpr double control_gap = 4;
    constexpr double path_bar_gap = 8;
    constexpr double control_height = 32;
    constexpr double icon_button_width = 36;
    constexpr double text_button_width = 104;

    std::unique_ptr<ui::Widget> button(char const* id, char const* label_id, ui::Icon icon, LabelDisplay display)
    {
        return std::make_unique<ToolbarButton>(id, i18n::translate(label_id), icon, display);
    }

    // The width a right or left control takes; the toggle group says its own.
    double control_width(ui::Widget& control, ui::LayoutContext* context)
    {
        if (auto* toggle = dynamic_cast<ui::ToggleGroup*>(&control)) {
            if (context)
                return toggle->measure({ 1e6, control_height }, *context).width;
            return toggle->bounds().width();
        }
        auto* tool = dynamic_cast<ToolbarButton*>(&control);
        if (!tool || tool->label_display() == LabelDisplay::IconOnly)
            return icon_button_width;
        // A label longer than the usual width ("Extract archive…", or a
        // longer translation) widens its button rather than being cut.
        if (context)
            return std::max(text_button_width, tool->measure({ 1e6, control_height }, *context).width);
        return std::max(text_button_width, tool->bounds().width());
    }

}

FileToolbar::FileToolbar(std::vector<std::filesystem::path> roots, std::optional<std::filesystem::path> home)
    : m_path_bar(std::move(roots), std::move(home))
{
}

void FileToolbar::set_location(std::filesystem::path path) { m_path_bar.set_location(std::move(path)); }

void FileToolbar::set_view_mode(ViewMode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    set_needs_layout();
    set_needs_redraw();
}

void FileToolbar::set_inside_archive(bool inside)
{
    if (inside == m_inside_archive)
        return;
    m_inside_archive = inside;
    set_needs_layout();
    set_needs_redraw();
}

std::vector<ToolbarMessage> FileToolbar::take_messages()
{
    collect_messages();
    return std::exchange(m_messages, {});
}

std::vector<ui::Widget*> FileToolbar::children()
{
    std::vector<ui::Widget*> all;
    for (auto& control : m_left)
        all.push_back(control.get());
    all.push_back(&m_path_bar);
    for (auto& control : m_right)
        all.push_back(control.get());
    return all;
}

std::vector<ui::Widget const*> FileToolbar::children() const
{
    auto all = const_cast<FileToolbar*>(this)->children();
    return { all.begin(), all.end() };
}

ui::Widget* FileToolbar::control(std::string_view control_id)
{
    for (auto* child : children()) {
        if (auto const* button_child = dynamic_cast<ui::Button const*>(child);
            button_child && button_child->control_id() == control_id)
            return child;
        if (auto const* toggle = dynamic_cast<ui::ToggleGroup const*>(child);
            toggle && toggle->control_id() == control_id)
            return child;
    }
    return nullptr;
}

void FileToolbar::set_navigation(bool can_go_back, bool can_go_forward, bool can_go_up)
{
    if (can_go_back == m_can_go_back && can_go_forward == m_can_go_forward && can_go_up == m_can_go_up)
        return;
    m_can_go_back = can_go_back;
    m_can_go_forward = can_go_forward;
    m_can_go_up = can_go_up;
    apply_navigation();
    set_needs_redraw();
}

void FileToolbar::apply_navigation()
{
    auto set = [&](char const* id, bool possible) {
        if (auto* found = dynamic_cast<ui::Button*>(control(id)))
            found->set_disabled(!possible);
    };
    set(control_ids::back, m_can_go_back);
    set(control_ids::forward, m_can_go_forward);
    set(control_ids::up, m_can_go_up);
}

void FileToolbar::rebuild_controls()
{
    BuiltFor wanted { m_compact, m_mode, m_inside_archive };
    if (m_built == wanted)
        return;
    // Focus is kept on the path bar only; a rebuilt button starts unfocused.
    bool path_bar_focused = m_focused && children()[*m_focused] == &m_path_bar;
    m_left.clear();
    m_right.clear();
    m_view_toggle = nullptr;
    m_captured.reset();

    m_left.push_back(button(control_ids::back, "files-back", ui::Icon::ArrowLeft, LabelDisplay::IconOnly));
    if (!m_compact)
        m_left.push_back(button(control_ids::forward, "files-forward", ui::Icon::ArrowRight, LabelDisplay::IconOnly));
    m_left.push_back(button(control_ids::up, "files-up", ui::Icon::ArrowUp, LabelDisplay::IconOnly));

    if (!m_compact) {
        auto list = i18n::translate("files-view-list");
        auto grid = i18n::translate("files-view-grid");
        auto toggle = std::make_unique<ui::ToggleGroup>(control_ids::view_mode, list + " / " + grid,
            std::vector<ui::ToggleOption> { { list, ui::Icon::List, false }, { grid, ui::Icon::Grid, false } },
            m_mode == ViewMode::Grid ? 1 : 0);
        m_view_toggle = toggle.get();
        m_right.push_back(std::move(toggle));
    }
    if (!m_compact && m_mode == ViewMode::Grid)
        m_right.push_back(button(control_ids::sort_menu, "files-sort-by", ui::Icon::Sort, LabelDisplay::IconAndText));
    if (!m_inside_archive)
        m_right.push_back(button(control_ids::view_menu, "files-view-options", ui::Icon::More, LabelDisplay::IconOnly));
    else
        m_right.push_back(button(control_ids::extract, "files-archive-extract", ui::Icon::Extract,
            m_compact ? LabelDisplay::IconOnly : LabelDisplay::IconAndText));

    m_built = wanted;
    apply_navigation();
    m_focused.reset();
    if (path_bar_focused)
        m_focused = m_left.size();
    set_needs_redraw();
}

ui::Size FileToolbar::measure(ui::Size available, ui::LayoutContext&) { return { available.width, height }; }

void FileToolbar::build_layout(ui::Rect bounds, ui::LayoutContext& context)
{
    m_bounds = bounds;
    // Deciding here as well as in apply_layout spares the first frame at a
    // new width from showing the other mode's controls.
    m_compact = bounds.width() < compact_below_width;
    rebuild_controls();
    place_controls(&context);
}

void FileToolbar::apply_layout(ui::Rect bounds)
{
    m_bounds = bounds;
    bool compact = bounds.width() < compact_below_width;
    if (compact != m_compact) {
        m_compact = compact;
        set_needs_layout();
    }
    place_controls(nullptr);
}

void FileToolbar::place_controls(ui::LayoutContext* context)
{
    double mid = m_bounds.center().y;
    auto slot = [&](double left, double width) {
        return ui::Rect { left, mid - control_height / 2, left + width, mid + control_height / 2 };
    };
    auto place = [&](ui::Widget& control, ui::Rect rect) {
        if (context)
            control.build_layout(rect, *context);
        control.apply_layout(rect);
    };
    double x = m_bounds.left + edge_padding;
    for (auto& control : m_left) {
        double width = control_width(*control, context);
        place(*control, slot(x, width));
        x += width + control_gap;
    }
    double path_left = x - control_gap + path_bar_gap;
    double right = m_bounds.right - edge_padding;
    for (auto it = m_right.rbegin(); it != m_right.rend(); ++it) {
        double width = control_width(**it, context);
        place(**it, slot(right - width, width));
        right -= width + control_gap;
    }
    double path_right = std::max(path_left, right + control_gap - path_bar_gap);
    ui::Rect bar { path_left, mid - path_bar::PathBar::height / 2, path_right, mid + path_bar::PathBar::height / 2 };
    place(m_path_bar, bar);
}

void FileToolbar::draw(ui::Painter& painter) { draw_with_presence(painter, {}); }

void FileToolbar::draw_with_presence(ui::Painter& painter, ui::PresenceContext const& presence)
{
    ui::Theme const& theme = painter.theme();
    painter.fill_rect(m_bounds, theme.surface);
    painter.line({ m_bounds.left, m_bounds.bottom - 0.5 }, { m_bounds.right, m_bounds.bottom - 0.5 }, theme.quiet, 1);
    for (auto* child : children())
        child->draw_with_presence(painter, presence);
}

void FileToolbar::draw_overlay(ui::Painter& painter)
{
    for (auto* child : children())
        child->draw_overlay(painter);
}

}
