#pragma once

// A viewport over one child that is taller than it. The child is laid out at
// its full content height and drawn translated by the scroll offset, clipped
// to the viewport. The offset lives in a shared cell so that it survives the
// Scrollable being rebuilt on every layout.

#include "ui/widget.h"

#include <memory>
#include <optional>

namespace ui {

struct ScrollOffset {
    double x { 0 };
    double y { 0 };
};

class Scrollable : public Widget {
public:
    explicit Scrollable(std::unique_ptr<Widget> child);

    // Keeps the offset in `cell`, shared with whoever rebuilds this widget.
    Scrollable& with_persisted_offset(std::shared_ptr<ScrollOffset> cell);
    // The child's height; without it the child is measured at each layout.
    Scrollable& with_content_height(double height);

    Widget& child() { return *m_child; }
    double offset() const { return m_offset->y; }
    // Scrolls to `y`, clamped to [0, max_offset()].
    void scroll_to(double y);
    double content_height() const { return m_content_height; }
    // How far the content can scroll: content height minus the viewport's.
    double max_offset() const;
    // The content coordinates currently visible.
    Rect visible_content() const;
    // The scrollbar thumb in window coordinates; empty when nothing overflows.
    Rect scrollbar_thumb() const;

    void sync(FrameContext const& frame) override;
    Size measure(Size available, LayoutContext& context) override;
    void build_layout(Rect bounds, LayoutContext& context) override;
    void apply_layout(Rect bounds) override;
    void draw(Painter& painter) override;
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
    bool needs_idle_sync() const override { return m_child->needs_idle_sync(); }
    bool needs_animation_frame() const override { return m_child->needs_animation_frame(); }
    std::optional<Clock::time_point> next_wake_deadline() const override { return m_child->next_wake_deadline(); }

private:
    Rect content_rect() const;
    void gather_flags();

    std::unique_ptr<Widget> m_child;
    std::shared_ptr<ScrollOffset> m_offset;
    std::optional<double> m_fixed_content_height;
    double m_content_height { 0 };
    bool m_hovered { false };
};

}
