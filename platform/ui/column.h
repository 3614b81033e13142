#pragma once

// A vertical stack of owned children laid out with layout_line. Pointer
// events go to the child under the pointer (a press captures the pointer
// until its release), keys to the focused child; everything the desktop asks
// of the tree (accessibility, resources, invocations, wake-ups) is gathered
// from the children in order.

#include "ui/layout.h"
#include "ui/widget.h"

#include <memory>
#include <optional>
#include <vector>

namespace ui {

class Column : public Widget {
public:
    Column() = default;

    Column& with_gap(double gap);
    Column& with_padding(Insets padding);
    Column& with_id(std::string id);

    // Adds a child. A Content sizing is measured at each layout, whatever
    // amount it carries.
    Widget& add(std::unique_ptr<Widget> child, Sizing sizing = Sizing::content(0));
    template<typename T, typename... Args> T& emplace(Sizing sizing, Args&&... args)
    {
        auto child = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *child;
        add(std::move(child), sizing);
        return ref;
    }

    std::size_t child_count() const { return m_children.size(); }
    Widget& child(std::size_t index) { return *m_children.at(index).widget; }
    // Moves keyboard focus to a child (or away from all with nullopt).
    void focus_child(std::optional<std::size_t> index);
    std::optional<std::size_t> focused_child() const { return m_focused; }

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
    bool needs_idle_sync() const override;
    bool needs_animation_frame() const override;
    std::optional<Clock::time_point> next_wake_deadline() const override;

private:
    struct Child {
        std::unique_ptr<Widget> widget;
        Sizing sizing;
        Rect rect;
    };

    std::vector<Sizing> sizings(Rect inner, LayoutContext& context);
    std::optional<std::size_t> child_at(Point position) const;
    EventResult forward_pointer(Event const& event, Point position);
    EventResult move_focus(bool backwards);
    // Lifts the children's layout and redraw requests into this widget's flags.
    void gather_flags();

    std::vector<Child> m_children;
    LineLayout m_line { Axis::Vertical, {}, 0 };
    std::string m_id;
    Rect m_laid_out;
    std::optional<std::size_t> m_focused;
    std::optional<std::size_t> m_hovered;
    std::optional<std::size_t> m_captured;
};

}
