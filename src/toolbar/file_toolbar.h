#pragma once

// The row above the file view: Back, Forward and Up on the left, the path bar
// in the middle, the view controls on the right. Every control carries a
// control id; activating one by pointer, keyboard, accessibility or control
// invocation queues a message for the owner, which applies it. Below 760 px
// the toolbar is compact: no Forward, no view toggle, no Sort button, and an
// icon-only Extract button.

#include "model/entry.h"
#include "path_bar/path_bar.h"
#include "ui/toggle_group.h"
#include "ui/widget.h"

#include <memory>
#include <optional>
#include <variant>
#include <vector>

namespace files::toolbar {

using ViewMode = model::ViewMode;

struct GoBack {
    bool operator==(GoBack const&) const = default;
};
struct GoForward {
    bool operator==(GoForward const&) const = default;
};
struct GoUp {
    bool operator==(GoUp const&) const = default;
};
struct SetViewMode {
    ViewMode mode;
    bool operator==(SetViewMode const&) const = default;
};
struct OpenSortMenu {
    bool operator==(OpenSortMenu const&) const = default;
};
struct OpenViewMenu {
    bool operator==(OpenViewMenu const&) const = default;
};
struct ExtractArchive {
    bool operator==(ExtractArchive const&) const = default;
};

// The path bar's requests are passed on unchanged, so the owner drains one
// outbox for the whole row.
using ToolbarMessage = std::variant<GoBack, GoForward, GoUp, SetViewMode, OpenSortMenu, OpenViewMenu, ExtractArchive,
    path_bar::NavigateToPath, path_bar::NavigateToText>;

namespace control_ids {
    inline constexpr char const* back = "files.back";
    inline constexpr char const* forward = "files.forward";
    inline constexpr char const* up = "files.up";
    inline constexpr char const* view_mode = "files.view-mode";
    inline constexpr char const* sort_menu = "files.sort_menu";
    inline constexpr char const* view_menu = "files.view_menu";
    inline constexpr char const* extract = "files.archive.extract";
}

// Narrower than this, the toolbar is compact.
inline constexpr double compact_below_width = 760;

class FileToolbar : public ui::Widget {
public:
    static constexpr double height = 48;
    static constexpr char const* identifier = "files.toolbar";

    FileToolbar(std::vector<std::filesystem::path> roots, std::optional<std::filesystem::path> home);

    path_bar::PathBar& path_bar() { return m_path_bar; }
    path_bar::PathBar const& path_bar() const { return m_path_bar; }

    // The explorer's state as the toolbar shows it.
    void set_location(std::filesystem::path path);
    void set_view_mode(ViewMode mode);
    void set_inside_archive(bool inside);
    // Which of Back, Forward and Up lead anywhere; the others are shown
    // disabled.
    void set_navigation(bool can_go_back, bool can_go_forward, bool can_go_up);
    ViewMode view_mode() const { return m_mode; }
    bool inside_archive() const { return m_inside_archive; }
    bool is_compact() const { return m_compact; }

    // The requests made since the last call, oldest first.
    std::vector<ToolbarMessage> take_messages();

    // Left controls, the path bar, right controls, in this order.
    std::vector<ui::Widget*> children();
    std::vector<ui::Widget const*> children() const;
    // The control with `control_id` as last built; null when it is not shown.
    ui::Widget* control(std::string_view control_id);

    ui::Size measure(ui::Size available, ui::LayoutContext& context) override;
    void build_layout(ui::Rect bounds, ui::LayoutContext& context) override;
    void apply_layout(ui::Rect bounds) override;
    void draw(ui::Painter& painter) override;
    void draw_with_presence(ui::Painter& painter, ui::PresenceContext const& presence) override;
    void draw_overlay(ui::Painter& painter) override;
    ui::EventResult handle_event(ui::Event const& event) override;
    ui::AccessNode accessibility() const override;
    bool perform_action(std::string const& node_id, std::string const& action) override;
    std::vector<ui::Resource> resources() const override;
    ui::InvokeResult invoke(ui::ActionInvocation const& invocation) override;
    void set_focus(bool focused) override;

private:
    struct BuiltFor {
        bool compact;
        ViewMode mode;
        bool inside_archive;
        bool operator==(BuiltFor const&) const = default;
    };

    void rebuild_controls();
    void apply_navigation();
    void place_controls(ui::LayoutContext* context);
    void collect_messages();
    ui::EventResult deliver_key(ui::Event const& event, ui::KeyPressed const& key);
    ui::EventResult deliver_pointer(ui::Event const& event);
    ui::EventResult move_focus(bool backwards);
    void focus_child(std::optional<std::size_t> index);

    path_bar::PathBar m_path_bar;
    std::vector<std::unique_ptr<ui::Widget>> m_left;
    std::vector<std::unique_ptr<ui::Widget>> m_right;
    ui::ToggleGroup* m_view_toggle { nullptr };
    std::optional<BuiltFor> m_built;

    ViewMode m_mode { ViewMode::List };
    bool m_inside_archive { false };
    bool m_can_go_back { true };
    bool m_can_go_forward { true };
    bool m_can_go_up { true };
    bool m_compact { true };
    std::optional<std::size_t> m_focused;
    std::optional<std::size_t> m_captured;
    std::vector<ToolbarMessage> m_messages;
};

}
