#pragma once

// The widget protocol: what the toolkit calls on every widget of the tree, on
// the interface thread. Per frame the toolkit calls sync, then (when asked for)
// build_layout and apply_layout, then draw and draw_overlay. Events arrive
// through handle_event; the desktop reaches actions through resources, invoke,
// start_effect and take_effect_result.
//
// Widgets never change application state directly: they keep their own view
// state and emit messages that their owner drains after the event.

#include "ui/access_node.h"
#include "ui/actions.h"
#include "ui/events.h"
#include "ui/geometry.h"
#include "ui/search_catalog.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace ui {

class Painter;
class TextRenderer;

using Clock = std::chrono::steady_clock;

// What sync and layout may read about the frame being prepared.
struct FrameContext {
    Clock::time_point now {};
    // The desktop's text scale (1.0 by default) and whether it asks for
    // reduced motion.
    double text_scale { 1.0 };
    bool reduced_motion { false };
};

// What layout may use: text measurement and the frame's facts.
struct LayoutContext {
    TextRenderer& text;
    FrameContext frame;
};

enum class EventResult : std::uint8_t {
    Ignored,
    Handled,
};

// Presence of other collaborators, as the desktop hands it to the root widget
// for drawing; the toolkit layer keeps it opaque.
struct PresenceContext {
    std::vector<std::string> participants;
};

// A control that was activated (clicked, or invoked from outside) and whose
// activation has not yet been taken by its owner.
struct ControlInvocation {
    std::string control_id;
};

class Widget {
public:
    virtual ~Widget() = default;
    Widget() = default;
    Widget(Widget const&) = delete;
    Widget& operator=(Widget const&) = delete;

    // Per-frame work that depends on time (periodic re-reads, animations).
    virtual void sync(FrameContext const&) { }

    // The size the widget would like within `available`.
    virtual Size measure(Size available, LayoutContext&) { return available; }

    // Lays the widget and its children out within `bounds`. Containers place
    // their children here; the default records the bounds.
    virtual void build_layout(Rect bounds, LayoutContext&) { m_bounds = bounds; }

    // Told the final rectangle the toolkit gave the widget after layout.
    virtual void apply_layout(Rect bounds) { m_bounds = bounds; }

    virtual void draw(Painter&) { }
    virtual void draw_with_presence(Painter& painter, PresenceContext const&) { draw(painter); }
    // Painted after draw, on top of everything (popups, bubbles, drag images).
    virtual void draw_overlay(Painter&) { }

    virtual EventResult handle_event(Event const&) { return EventResult::Ignored; }

    virtual AccessNode accessibility() const { return {}; }
    // Performs an accessibility action on the node with `node_id`; true when handled.
    virtual bool perform_action(std::string const& node_id, std::string const& action)
    {
        (void)node_id;
        (void)action;
        return false;
    }

    virtual std::vector<Resource> resources() const { return {}; }
    virtual InvokeResult invoke(ActionInvocation const&) { return InvokeResult::not_handled(); }
    virtual StartEffectResult start_effect(ActionInvocation const&, InvocationId const&)
    {
        return StartEffectResult::not_handled();
    }
    virtual std::optional<EffectResult> take_effect_result(InvocationId const&) { return std::nullopt; }
    virtual std::optional<ControlInvocation> take_control_invocation() { return std::nullopt; }
    // The catalogs the root widget offers the desktop's search.
    virtual std::vector<SearchCatalog> search_catalogs() const { return {}; }

    virtual void set_focus(bool focused) { m_focused = focused; }
    bool has_focus() const { return m_focused; }

    // Answers that let the host sleep: run sync soon without input, draw the
    // next frame, or wake at a deadline. A widget that answers false and no
    // deadline costs nothing while idle.
    virtual bool needs_idle_sync() const { return false; }
    virtual bool needs_animation_frame() const { return false; }
    virtual std::optional<Clock::time_point> next_wake_deadline() const { return std::nullopt; }

    // The root widget's observer hook: a compact JSON description of what it
    // shows, for automation. Other widgets answer nothing.
    virtual std::optional<std::string> observer_snapshot() const { return std::nullopt; }

    // Set when the widget's layout is out of date.
    bool needs_layout() const { return m_needs_layout; }
    void set_needs_layout(bool value = true) { m_needs_layout = value; }
    // Set when the widget wants to be drawn again.
    bool needs_redraw() const { return m_needs_redraw; }
    void set_needs_redraw(bool value = true) { m_needs_redraw = value; }

    Rect const& bounds() const { return m_bounds; }

protected:
    Rect m_bounds;

private:
    bool m_focused { false };
    bool m_needs_layout { true };
    bool m_needs_redraw { true };
};

// Earliest of two optional deadlines.
std::optional<Clock::time_point> earliest(std::optional<Clock::time_point> a, std::optional<Clock::time_point> b);

}
