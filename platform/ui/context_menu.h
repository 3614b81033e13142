#pragma once

// Pop-up menus: a stack of open levels, the first one opened at a point and
// each further one (a submenu) opened beside its parent. Items are built with
// push and become a level with open_at. The menu keeps every level inside
// its viewport, answers which item is under a point, follows hover and the
// keyboard (Up, Down, Home, End skip separators and disabled items; Enter or
// Space chooses, Right opens a submenu item, Left and Escape close a level),
// and records the choice for its owner, who maps the item's opaque command
// index to what it runs. Each selectable item is a control: it carries a
// control id in accessibility and is published as a "kesu.control" resource.

#include "ui/widget.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {

enum class MenuCheck : std::uint8_t {
    None, // not checkable
    Checked, // checkable, on
    Unchecked, // checkable, off
};

struct MenuItem {
    std::string label;
    MenuCheck check { MenuCheck::None };
    bool is_separator { false };
    bool enabled { true };
    // Choosing the item asks the owner to open a submenu; the menu stays open.
    bool opens_submenu { false };
    // The owner's index of what the item runs; nothing for an item that only
    // shows (choosing it closes the menu and runs nothing).
    std::optional<std::size_t> command;

    static MenuItem separator();
    static MenuItem entry(std::string label, std::optional<std::size_t> command = std::nullopt);
    MenuItem& checked(bool on);
    MenuItem& disabled();
    MenuItem& submenu();

    bool is_selectable() const { return !is_separator && enabled; }
    bool operator==(MenuItem const&) const = default;
};

// An item of an open level.
struct MenuItemRef {
    std::size_t level { 0 };
    std::size_t index { 0 };
    bool operator==(MenuItemRef const&) const = default;
};

struct MenuChoice {
    MenuItemRef item;
    std::optional<std::size_t> command;
    bool opens_submenu { false };
    bool operator==(MenuChoice const&) const = default;
};

// Where keyboard highlight starts when a level opens.
enum class MenuHighlight : std::uint8_t {
    None, // opened by the pointer
    FirstItem, // opened by the keyboard
};

// Places a menu of `size` at `at` inside `viewport` (already shrunk by the
// margin). A menu that does not fit to the right of `at` flips to its left;
// a submenu (with `parent`) flips to the parent's other side instead. A menu
// that does not fit below flips above `at`, a submenu shifts up; what still
// overflows is shifted inside, and a menu larger than the viewport starts at
// its left or top edge.
Rect place_menu(Size size, Point at, Rect viewport, std::optional<Rect> parent = std::nullopt);

// True for a separator at either end of `items` or right after another one:
// it separates nothing, so the menu gives it no room.
bool is_redundant_separator(std::vector<MenuItem> const& items, std::size_t index);

class ContextMenu : public Widget {
public:
    static constexpr double item_height = 30;
    static constexpr double separator_height = 9;
    static constexpr double vertical_padding = 6;
    static constexpr double min_width = 190;
    static constexpr double max_width = 380;
    // Distance kept from the viewport's edges.
    static constexpr double viewport_margin = 8;

    explicit ContextMenu(std::string control_id = "menu");
    ~ContextMenu() override;

    std::string const& control_id() const { return m_control_id; }
    // The control id of one item: the menu's id, its level and its index.
    std::string item_control_id(MenuItemRef item) const;

    // The window area menus must stay inside; open levels are placed again.
    void set_viewport(Rect viewport);
    void set_text_scale(double scale);

    // Appends an item to the level that the next open_at opens.
    void push(MenuItem item);
    // Opens the pushed items as the topmost level, with its top-left corner at
    // `at` when it fits. With a level already open, the new one is its
    // submenu. Opening with no pushed items does nothing.
    void open_at(Point at, MenuHighlight highlight = MenuHighlight::None);
    // Closes every level and drops pushed items.
    void close();
    // Closes `level` and every level above it.
    void close_from(std::size_t level);

    bool is_open() const { return !m_levels.empty(); }
    std::size_t level_count() const { return m_levels.size(); }
    std::vector<MenuItem> const& items(std::size_t level) const { return m_levels.at(level).items; }
    // The topmost level's rectangle, and its right edge and top for placing a
    // submenu beside it. Empty when closed.
    Rect rect() const;
    double right() const { return rect().right; }
    double top() const { return rect().top; }
    Rect level_rect(std::size_t level) const { return m_levels.at(level).rect; }
    // The row of an item in window coordinates (after scrolling).
    Rect item_rect(MenuItemRef item) const;
    // The row under `point`, separators included; the topmost level wins.
    std::optional<MenuItemRef> item_at(Point point) const;
    std::optional<std::size_t> highlighted(std::size_t level) const { return m_levels.at(level).highlight; }
    double scroll_offset(std::size_t level) const { return m_levels.at(level).scroll; }

    // Chooses an item as a click would; false for separators, disabled items
    // and items of no open level.
    bool choose(MenuItemRef item);
    // The last choice not yet taken.
    std::optional<MenuChoice> take_choice();

    void sync(FrameContext const& frame) override;
    void draw_overlay(Painter& painter) override;
    EventResult handle_event(Event const& event) override;
    AccessNode accessibility() const override;
    bool perform_action(std::string const& node_id, std::string const& action) override;
    std::vector<Resource> resources() const override;
    InvokeResult invoke(ActionInvocation const& invocation) override;

private:
    struct Level {
        std::vector<MenuItem> items;
        Point origin;
        Rect rect;
        // Row rectangles relative to the level's content top (before scrolling).
        std::vector<Rect> rows;
        double content_height { 0 };
        double scroll { 0 };
        std::optional<std::size_t> highlight;
        // The item of this level whose submenu is open above it.
        std::optional<std::size_t> submenu_item;
        bool has_checks { false };
        bool has_submenus { false };
    };

    void layout_level(std::size_t level);
    double measure_width(Level const& level);
    double scale() const { return m_text_scale; }
    std::optional<MenuItemRef> find_item(std::string const& control_id) const;
    void scroll_into_view(std::size_t level, std::size_t index);
    void scroll_level(std::size_t level, double dy);

    EventResult handle_move(PointerMoved const& moved);
    EventResult handle_press(PointerPressed const& press);
    EventResult handle_key(KeyPressed const& key);
    void move_highlight(std::size_t level, int direction);
    void highlight_edge(std::size_t level, bool last);

    void draw_level(Painter& painter, Level const& level) const;
    void draw_row(Painter& painter, Level const& level, std::size_t index) const;
    AccessNode level_node(std::size_t level) const;

    std::string m_control_id;
    std::optional<Rect> m_viewport;
    double m_text_scale { 1.0 };
    std::vector<MenuItem> m_pending;
    std::vector<Level> m_levels;
    std::optional<MenuChoice> m_choice;
    bool m_swallow_release { false };
    std::unique_ptr<TextRenderer> m_text;
};

}
