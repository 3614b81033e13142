#pragma once

// A sidebar beside the content in a wide window, over it in a narrow one.
//
// Wide (window width at least the owner's threshold): the sidebar is a column
// of fixed width at the left and the content takes the rest. Narrow: the
// content takes the whole width and the sidebar is hidden until toggled
// (the shell's own toggle button, F9, or the owner), then it slides in as a
// panel over the content's left side. While it is shown that way the owner
// paints a scrim over scrim_rect(); a press there, Escape, or an event that
// navigated dismisses the panel. The shell keeps its own state when its
// children are replaced, so an owner may rebuild them on every layout.

#include "ui/color.h"
#include "ui/widget.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ui {

enum class NavShellPart : std::uint8_t {
    None,
    Sidebar,
    Content,
    Scrim,
    Toggle,
};

class NavShell : public Widget {
public:
    static constexpr double default_sidebar_width = 232;
    // The slide of the narrow sidebar in and out.
    static constexpr auto slide_duration = std::chrono::milliseconds(200);
    // Room always left of the content beside the overlay, so the scrim can be
    // pressed to dismiss it.
    static constexpr double overlay_min_scrim = 56;
    static constexpr double toggle_size = 36;
    static constexpr char const* toggle_control_id = "kesu.nav-shell.sidebar";

    // Decides, after the sidebar handled an event, whether that event
    // navigated (the owner looks at the messages its sidebar emitted).
    using NavigationProbe = std::function<bool()>;

    // The arrangement the explorer uses: the sidebar over the content when
    // narrow.
    static std::unique_ptr<NavShell> sidebar_over_content(
        std::unique_ptr<Widget> sidebar, std::unique_ptr<Widget> content, double narrow_threshold);

    NavShell(std::unique_ptr<Widget> sidebar, std::unique_ptr<Widget> content, double narrow_threshold);

    void set_sidebar(std::unique_ptr<Widget> sidebar);
    void set_content(std::unique_ptr<Widget> content);
    Widget& sidebar() { return *m_sidebar; }
    Widget& content() { return *m_content; }

    // Window widths below `width` (at least 1) use the narrow layout.
    void set_narrow_threshold(double width);
    double narrow_threshold() const { return m_threshold; }
    void set_sidebar_width(double width);
    double sidebar_width() const { return m_sidebar_width; }
    void set_toggle_labels(std::string show, std::string hide);
    void set_navigation_probe(NavigationProbe probe);

    bool is_narrow() const { return m_bounds.width() < m_threshold; }
    // Narrow and the sidebar shown (or sliding) over the content.
    bool is_sidebar_over_content() const;
    // Shows or hides the narrow sidebar with a slide; nothing in a wide window.
    void set_sidebar_shown(bool shown);
    void toggle_sidebar() { set_sidebar_shown(!m_overlay_shown); }
    // Shows the narrow sidebar at once, with no slide (still pictures).
    void snap_sidebar_shown();
    // 0 hidden … 1 fully shown.
    double overlay_progress() const { return m_progress; }

    Rect sidebar_rect() const;
    Rect content_rect() const { return m_content_rect; }
    // The part of the content not covered by the overlay panel; empty unless
    // the sidebar is over the content.
    Rect scrim_rect() const;
    // The scrim's colour for the current slide position.
    Color scrim_color() const;
    Rect toggle_rect() const;

    // Which part took the last event, and whether it navigated.
    NavShellPart last_event_part() const { return m_last_part; }
    bool last_event_navigated() const { return m_last_navigated; }

    void sync(FrameContext const& frame) override;
    void build_layout(Rect bounds, LayoutContext& context) override;
    void apply_layout(Rect bounds) override;
    void draw(Painter& painter) override;
    // Everything but the content: the sidebar, and in a narrow window the
    // toggle and the sliding sidebar. For owners that paint a state of their
    // own in the content area.
    void draw_without_content(Painter& painter);
    void draw_overlay(Painter& painter) override;
    EventResult handle_event(Event const& event) override;
    AccessNode accessibility() const override;
    bool perform_action(std::string const& node_id, std::string const& action) override;
    std::vector<Resource> resources() const override;
    InvokeResult invoke(ActionInvocation const& invocation) override;
    StartEffectResult start_effect(ActionInvocation const& invocation, InvocationId const& id) override;
    std::optional<EffectResult> take_effect_result(InvocationId const& id) override;
    std::optional<ControlInvocation> take_control_invocation() override;
    void set_focus(bool focused) override;
    bool needs_idle_sync() const override;
    bool needs_animation_frame() const override;
    std::optional<Clock::time_point> next_wake_deadline() const override;

private:
    bool is_animating() const { return m_progress != (m_overlay_shown ? 1.0 : 0.0); }
    bool sidebar_visible() const { return !is_narrow() || m_progress > 0; }
    void layout_children(LayoutContext* context);
    NavShellPart part_at(Point position) const;
    Widget* widget_for(NavShellPart part);
    void focus_part(NavShellPart part);
    EventResult handle_overlay_event(Event const& event);
    EventResult route(Event const& event);
    EventResult route_pointer(Event const& event, Point position);
    EventResult press_toggle(Event const& event);
    void draw_toggle(Painter& painter) const;
    void draw_parts(Painter& painter, bool with_content);
    void gather_flags();

    std::unique_ptr<Widget> m_sidebar;
    std::unique_ptr<Widget> m_content;
    double m_threshold;
    double m_sidebar_width { default_sidebar_width };
    std::string m_show_label { "Show sidebar" };
    std::string m_hide_label { "Hide sidebar" };
    NavigationProbe m_probe;

    Rect m_sidebar_rect;
    Rect m_content_rect;
    bool m_overlay_shown { false };
    double m_progress { 0 };
    double m_progress_from { 0 };
    std::optional<Clock::time_point> m_slide_started;
    bool m_slide_pending { false };
    bool m_reduced_motion { false };
    bool m_toggle_hovered { false };
    bool m_toggle_pressed { false };
    bool m_swallow_release { false };

    NavShellPart m_focused { NavShellPart::None };
    NavShellPart m_hovered { NavShellPart::None };
    NavShellPart m_captured { NavShellPart::None };
    NavShellPart m_last_part { NavShellPart::None };
    bool m_last_navigated { false };
};

}
