#include "ui/context_menu.h"

#include "ui/text_renderer.h"

#include <algorithm>
#include <cassert>

namespace ui {

namespace {

    constexpr Font label_font { 13, FontWeight::Regular, false };
    constexpr double label_inset = 14;
    constexpr double check_column = 30;
    constexpr double submenu_column = 22;

    // The start position along one axis: `preferred` when [preferred,
    // preferred + extent) fits in [low, high), else `fallback` when that fits,
    // else shifted inside, and `low` when nothing fits.
    double fit(double preferred, double fallback, double extent, double low, double high)
    {
        if (preferred + extent <= high && preferred >= low)
            return preferred;
        if (fallback >= low && fallback + extent <= high)
            return fallback;
        return std::max(low, std::min(preferred, high - extent));
    }

}

MenuItem MenuItem::separator()
{
    MenuItem item;
    item.is_separator = true;
    return item;
}

MenuItem MenuItem::entry(std::string label, std::optional<std::size_t> command)
{
    MenuItem item;
    item.label = std::move(label);
    item.command = command;
    return item;
}

MenuItem& MenuItem::checked(bool on)
{
    check = on ? MenuCheck::Checked : MenuCheck::Unchecked;
    return *this;
}

MenuItem& MenuItem::disabled()
{
    enabled = false;
    return *this;
}

MenuItem& MenuItem::submenu()
{
    opens_submenu = true;
    return *this;
}

Rect place_menu(Size size, Point at, Rect viewport, std::optional<Rect> parent)
{
    double flipped_x = parent ? parent->left + (parent->right - at.x) - size.width : at.x - size.width;
    // A submenu keeps its rows beside the parent's, so it shifts up rather
    // than flipping above the item that opened it.
    double flipped_y = parent ? viewport.bottom - size.height : at.y - size.height;
    double x = fit(at.x, flipped_x, size.width, viewport.left, viewport.right);
    double y = fit(at.y, flipped_y, size.height, viewport.top, viewport.bottom);
    return Rect::from_xywh(x, y, size.width, size.height);
}

ContextMenu::ContextMenu(std::string control_id)
    : m_control_id(std::move(control_id))
{
}

ContextMenu::~ContextMenu() = default;

std::string ContextMenu::item_control_id(MenuItemRef item) const
{
    return m_control_id + "." + std::to_string(item.level) + "." + std::to_string(item.index);
}

void ContextMenu::set_viewport(Rect viewport)
{
    if (m_viewport == viewport)
        return;
    m_viewport = viewport;
    for (std::size_t i = 0; i < m_levels.size(); ++i)
        layout_level(i);
    set_needs_redraw();
}

void ContextMenu::set_text_scale(double scale)
{
    scale = std::max(0.5, scale);
    if (scale == m_text_scale)
        return;
    m_text_scale = scale;
    for (std::size_t i = 0; i < m_levels.size(); ++i)
        layout_level(i);
    set_needs_redraw();
}

void ContextMenu::push(MenuItem item) { m_pending.push_back(std::move(item)); }

void ContextMenu::open_at(Point at, MenuHighlight highlight)
{
    if (m_pending.empty())
        return;
    Level level;
    level.items = std::move(m_pending);
    m_pending.clear();
    level.origin = at;
    m_levels.push_back(std::move(level));
    std::size_t index = m_levels.size() - 1;
    layout_level(index);
    if (highlight == MenuHighlight::FirstItem)
        highlight_edge(index, false);
    set_needs_redraw();
}

void ContextMenu::close()
{
    m_pending.clear();
    if (m_levels.empty())
        return;
    m_levels.clear();
    set_needs_redraw();
}

void ContextMenu::close_from(std::size_t level)
{
    if (level >= m_levels.size())
        return;
    m_levels.erase(m_levels.begin() + static_cast<std::ptrdiff_t>(level), m_levels.end());
    if (!m_levels.empty())
        m_levels.back().submenu_item.reset();
    set_needs_redraw();
}

double ContextMenu::measure_width(Level const& level)
{
    if (!m_text)
        m_text = std::make_unique<TextRenderer>();
    Font font = label_font;
    font.size *= scale();
    double widest = 0;
    for (auto const& item : level.items) {
        if (!item.is_separator)
            widest = std::max(widest, m_text->measure(item.label, font).width);
    }
    double left = level.has_checks ? check_column : label_inset;
    double right = label_inset + (level.has_submenus ? submenu_column : 0);
    double width = (left + right) * scale() + widest;
    return std::clamp(width, min_width * scale(), max_width * scale());
}

bool is_redundant_separator(std::vector<MenuItem> const& items, std::size_t index)
{
    if (index >= items.size() || !items[index].is_separator)
        return false;
    auto const before = std::find_if(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(index),
        [](MenuItem const& item) { return !item.is_separator; });
    bool const first = before == items.begin() + static_cast<std::ptrdiff_t>(index);
    bool const after_separator = index > 0 && items[index - 1].is_separator;
    bool const last = std::none_of(items.begin() + static_cast<std::ptrdiff_t>(index) + 1, items.end(),
        [](MenuItem const& item) { return !item.is_separator; });
    return first || after_separator || last;
}

void ContextMenu::layout_level(std::size_t index)
{
    Level& level = m_levels[index];
    level.has_checks = std::any_of(
        level.items.begin(), level.items.end(), [](MenuItem const& item) { return item.check != MenuCheck::None; });
    level.has_submenus
        = std::any_of(level.items.begin(), level.items.end(), [](MenuItem const& item) { return item.opens_submenu; });
    double width = measure_width(level);
    level.rows.clear();
    double y = vertical_padding * scale();
    for (std::size_t i = 0; i < level.items.size(); ++i) {
        double height = (level.items[i].is_separator ? separator_height : item_height) * scale();
        // A separator with nothing to separate (at either end, or after
        // another) takes no room and is not drawn.
        if (level.items[i].is_separator && is_redundant_separator(level.items, i))
            height = 0;
        level.rows.push_back(Rect::from_xywh(0, y, width, height));
        y += height;
    }
    level.content_height = y + vertical_padding * scale();

    Rect usable = m_viewport ? m_viewport->inset(viewport_margin) : Rect { -1e9, -1e9, 1e9, 1e9 };
    // A level taller than the viewport shows what fits and scrolls.
    double height = std::min(level.content_height, std::max(item_height * scale(), usable.height()));
    std::optional<Rect> parent;
    if (index > 0)
        parent = m_levels[index - 1].rect;
    level.rect = place_menu({ width, height }, level.origin, usable, parent);
    level.scroll = std::clamp(level.scroll, 0.0, std::max(0.0, level.content_height - height));
}

Rect ContextMenu::rect() const { return m_levels.empty() ? Rect {} : m_levels.back().rect; }

Rect ContextMenu::item_rect(MenuItemRef item) const
{
    if (item.level >= m_levels.size() || item.index >= m_levels[item.level].rows.size())
        return {};
    Level const& level = m_levels[item.level];
    return level.rows[item.index].translated(level.rect.left, level.rect.top - level.scroll);
}

std::optional<MenuItemRef> ContextMenu::item_at(Point point) const
{
    for (std::size_t l = m_levels.size(); l-- > 0;) {
        Level const& level = m_levels[l];
        if (!level.rect.contains(point))
            continue;
        for (std::size_t i = 0; i < level.rows.size(); ++i) {
            if (item_rect({ l, i }).contains(point))
                return MenuItemRef { l, i };
        }
        // Inside the panel's padding: no row, and no level below either.
        return std::nullopt;
    }
    return std::nullopt;
}

bool ContextMenu::choose(MenuItemRef ref)
{
    if (ref.level >= m_levels.size() || ref.index >= m_levels[ref.level].items.size())
        return false;
    MenuItem const& item = m_levels[ref.level].items[ref.index];
    if (!item.is_selectable())
        return false;
    m_choice = MenuChoice { ref, item.command, item.opens_submenu };
    if (item.opens_submenu) {
        close_from(ref.level + 1);
        m_levels[ref.level].highlight = ref.index;
        m_levels[ref.level].submenu_item = ref.index;
    } else {
        close();
    }
    set_needs_redraw();
    return true;
}

std::optional<MenuChoice> ContextMenu::take_choice()
{
    auto choice = m_choice;
    m_choice.reset();
    return choice;
}

void ContextMenu::sync(FrameContext const& frame) { set_text_scale(frame.text_scale); }

void ContextMenu::scroll_level(std::size_t index, double dy)
{
    Level& level = m_levels[index];
    double limit = std::max(0.0, level.content_height - level.rect.height());
    double scroll = std::clamp(level.scroll + dy, 0.0, limit);
    if (scroll == level.scroll)
        return;
    level.scroll = scroll;
    set_needs_redraw();
}

void ContextMenu::scroll_into_view(std::size_t index, std::size_t item)
{
    Level const& level = m_levels[index];
    Rect row = level.rows[item];
    double pad = vertical_padding * scale();
    if (row.top - pad < level.scroll)
        scroll_level(index, row.top - pad - level.scroll);
    else if (row.bottom + pad > level.scroll + level.rect.height())
        scroll_level(index, row.bottom + pad - level.scroll - level.rect.height());
}

std::optional<MenuItemRef> ContextMenu::find_item(std::string const& control_id) const
{
    for (std::size_t l = 0; l < m_levels.size(); ++l) {
        for (std::size_t i = 0; i < m_levels[l].items.size(); ++i) {
            if (item_control_id({ l, i }) == control_id)
                return MenuItemRef { l, i };
        }
    }
    return std::nullopt;
}

}
