#pragma once

// The root widget of Files and the single owner of the explorer's state. The
// toolkit calls it on the interface thread; nothing else changes the state.
// Its children (toolbar, navigation shell with the places sidebar and the
// file view) only report what happened; the explorer applies their messages.

#include "app/explorer_state.h"
#include "app/menus.h"
#include "app/navigation.h"
#include "ui/button.h"
#include "ui/context_menu.h"
#include "ui/empty_state.h"
#include "ui/spinner.h"
#include "ui/status_bubble.h"
#include "ui/text_input.h"
#include "ui/widget.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace services {
class ThumbnailService;
}
namespace ui {
class NavShell;
class Scrollable;
}
namespace files::views {
class FileView;
struct DropTarget;
}
namespace files::toolbar {
class FileToolbar;
}
namespace files::places_sidebar {
class PlacesSidebar;
}

namespace files::app {

// What the explorer is built with: its folders and the workspace roots
// already resolved by the caller.
struct ExplorerEnvironment {
    std::optional<std::filesystem::path> config_folder;
    std::optional<std::filesystem::path> home_folder;
    std::vector<std::filesystem::path> workspace_roots;
    std::filesystem::path start_location { "/" };
    favorites::PlaceContext place_context;
    // False inside screenshot scenes: nothing is created on disk for them.
    bool live { true };
};

// The environment of this user: configuration folder, home, user folders,
// workspace roots and the start location.
ExplorerEnvironment desktop_environment();

class FileExplorerWidget final : public ui::Widget {
public:
    explicit FileExplorerWidget(ExplorerEnvironment environment);
    ~FileExplorerWidget() override;

    ExplorerState const& state() const { return m_state; }
    // For callers that arrange a state directly (screenshot scenes, tests).
    ExplorerState& mutable_state() { return m_state; }
    LoadHooks& load_hooks() { return m_hooks; }
    std::shared_ptr<services::ThumbnailService> const& thumbnails() const { return m_thumbnails; }

    void navigate(std::filesystem::path const& path);
    void back();
    void forward();
    void up();
    void reload();
    void set_notice(std::string text);
    // Keeps the status bubble up without fading (screenshot scenes).
    void pin_status(bool pinned);

    // Arrangements for screenshot scenes (explorer_scenes.cpp). Those that
    // point at rows or drop targets need a layout first.
    // Selects the entry at `index` and opens the inline rename over its name.
    void begin_rename_at(std::size_t index);
    // The sidebar row `row` (favourites, then system places) in window
    // coordinates, as last laid out.
    std::optional<ui::Rect> sidebar_row(std::size_t row) const;
    // Starts a drag of the current folder's entry at `path` and holds it with
    // the pointer at `pointer`. False when there is no such entry or the
    // folder refuses drags.
    bool begin_entry_drag_over(std::filesystem::path const& path, ui::Point pointer);
    // Picks up favourite `from` at the middle of its row and holds it over
    // the middle of favourite `over`'s row, without dropping it. False when
    // either is not a favourite.
    bool begin_favourite_reorder(std::size_t from, std::size_t over);
    // Shows a narrow window's sidebar over the content at once, with no slide.
    void snap_sidebar_into_view();
    // End of the arrangements for screenshot scenes.

    // Menus (explorer_menus.cpp). Each is built from the current state and
    // replaces any open menu; the New File submenu opens beside an open menu.
    void open_context_menu(ui::Point position);
    void open_view_menu();
    void open_sort_menu();
    void open_templates_menu(ui::Point position);
    void open_favourite_menu(std::filesystem::path const& favourite, ui::Point position);
    // The open menu; null when none is open.
    ui::ContextMenu const* open_menu() const { return m_menu.is_open() ? &m_menu : nullptr; }
    void open_properties();

    void sync(ui::FrameContext const& frame) override;
    void build_layout(ui::Rect bounds, ui::LayoutContext& context) override;
    void apply_layout(ui::Rect bounds) override;
    void draw(ui::Painter& painter) override;
    void draw_overlay(ui::Painter& painter) override;
    ui::EventResult handle_event(ui::Event const& event) override;
    ui::AccessNode accessibility() const override;
    bool perform_action(std::string const& node_id, std::string const& action) override;

    std::vector<ui::Resource> resources() const override;
    ui::InvokeResult invoke(ui::ActionInvocation const& invocation) override;
    ui::StartEffectResult start_effect(ui::ActionInvocation const& invocation, ui::InvocationId const& id) override;
    std::optional<ui::EffectResult> take_effect_result(ui::InvocationId const& id) override;
    std::optional<ui::ControlInvocation> take_control_invocation() override;
    std::vector<ui::SearchCatalog> search_catalogs() const override;

    bool needs_idle_sync() const override;
    bool needs_animation_frame() const override;
    std::optional<ui::Clock::time_point> next_wake_deadline() const override;
    std::optional<std::string> observer_snapshot() const override;

private:
    // In explorer_layout.cpp.
    void refresh_children();
    void layout_states(ui::LayoutContext& context);
    // In explorer_draw.cpp.
    void draw_content_state(ui::Painter& painter);
    void draw_empty_placeholder(ui::Painter& painter);
    void draw_status_bubble(ui::Painter& painter);
    void draw_sheet(ui::Painter& painter);
    // In explorer_input.cpp.
    ui::EventResult handle_sheet_event(ui::Event const& event);
    ui::EventResult handle_key(ui::KeyPressed const& key);
    void open_primary();
    void move_primary(std::ptrdiff_t step, bool extend, bool absolute);
    void drain_messages();
    // Unused hook for control ids the children do not know.
    void confirm_sheet();
    // In explorer_drag.cpp.
    void begin_drag(std::size_t index, std::string const& path);
    void update_drop_target(ui::Point point);
    void drop(ui::Point point);
    void draw_drag_image(ui::Painter& painter);
    void draw_drop_feedback(ui::Painter& painter);
    // The drop target's row or tile in window coordinates.
    std::optional<ui::Rect> drop_target_rect() const;
    // Dropping at `point` would pin the one dragged folder as a favourite.
    bool drop_would_pin(ui::Point point) const;
    // In explorer_rename.cpp.
    void sync_rename_input();
    void layout_rename_input(ui::LayoutContext& context);
    ui::EventResult handle_rename_event(ui::Event const& event);
    // In explorer_menus.cpp.
    void show_menu(std::vector<MenuEntry> const& entries, ui::Point at, bool submenu);
    MenuContext menu_context() const;
    ui::EventResult handle_menu_event(ui::Event const& event);
    void take_menu_choice();
    void run_menu_command(MenuCommand const& command);
    void open_keyboard_context_menu();
    ui::Point favourite_menu_anchor(std::filesystem::path const& favourite) const;
    // Where a menu of the toolbar button `control_id` (or of the view-menu
    // button when that one is not shown) opens.
    ui::Point below_toolbar_button(char const* control_id) const;
    // Children that got a control invocation this event.
    bool dispatch_control_invocation(std::string const& control_id);

    ExplorerState m_state;
    LoadHooks m_hooks;
    ui::Clock::time_point m_now {};
    double m_text_scale { 1.0 };

    std::unique_ptr<toolbar::FileToolbar> m_toolbar;
    std::unique_ptr<ui::NavShell> m_shell;
    places_sidebar::PlacesSidebar* m_sidebar { nullptr };
    ui::Scrollable* m_scroll { nullptr };
    views::FileView* m_file_view { nullptr };
    std::shared_ptr<services::ThumbnailService> m_thumbnails;
    std::shared_ptr<std::vector<views::DropTarget>> m_drop_targets;
    std::shared_ptr<std::optional<ui::Rect>> m_editor_cell;
    ui::TextInput m_rename_input;
    ui::Button m_retry;
    ui::Spinner m_spinner;
    ui::EmptyState m_empty_state;
    ui::StatusBubble m_bubble;
    ui::ContextMenu m_menu { "files.menu" };
    // What each item of the open menu runs, by the index the menu reports;
    // the keyboard opened it (its first item is highlighted).
    std::vector<MenuCommand> m_menu_commands;
    bool m_menu_from_keyboard { false };
    std::string m_shown_status;
    bool m_laid_out { false };
};

}
