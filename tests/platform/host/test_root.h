#pragma once

// A small root widget for driving the hosts: one pressable area with a
// control id, counters for everything the host delivers, an effect that
// finishes on the next take, and an animation that runs for a number of
// frames. Its observer snapshot reports the counters.

#include "ui/color.h"
#include "ui/widget.h"

#include <atomic>
#include <string>

namespace host_test {

inline constexpr char const* press_control = "test.press";
// Where the pressable area is drawn, and its colours before and after the
// first press.
inline constexpr ui::Rect press_area { 20, 20, 140, 60 };
inline constexpr ui::Color unpressed_colour = ui::Color::rgb(0xd02020);
inline constexpr ui::Color pressed_colour = ui::Color::rgb(0x20a040);

class TestRoot final : public ui::Widget {
public:
    void sync(ui::FrameContext const& frame) override;
    void build_layout(ui::Rect bounds, ui::LayoutContext& context) override;
    void draw(ui::Painter& painter) override;
    ui::EventResult handle_event(ui::Event const& event) override;
    ui::AccessNode accessibility() const override;
    bool perform_action(std::string const& node_id, std::string const& action) override;
    std::vector<ui::Resource> resources() const override;
    ui::InvokeResult invoke(ui::ActionInvocation const& invocation) override;
    ui::StartEffectResult start_effect(ui::ActionInvocation const& invocation, ui::InvocationId const& id) override;
    std::optional<ui::EffectResult> take_effect_result(ui::InvocationId const& id) override;
    bool needs_animation_frame() const override { return m_animation_frames_left != 0; }
    std::optional<std::string> observer_snapshot() const override;

    int syncs() const { return m_syncs.load(); }

private:
    std::atomic<int> m_syncs { 0 };
    int m_layouts { 0 };
    int m_draws { 0 };
    int m_presses { 0 };
    bool m_pressing { false };
    std::string m_last_key;
    std::string m_last_modifiers;
    int m_last_click_count { 0 };
    double m_scrolled { 0 };
    // -1 animates until told otherwise.
    int m_animation_frames_left { 0 };
    std::optional<ui::InvocationId> m_effect;
};

}
