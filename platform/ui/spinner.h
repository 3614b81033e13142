#pragma once

// A busy indicator: an arc that turns once every `period` while active. Under
// reduced motion it stands still (a fixed arc) and asks for no frames, so a
// host can sleep while something loads.

#include "ui/color.h"
#include "ui/widget.h"

#include <string>

namespace ui {

class Spinner : public Widget {
public:
    static constexpr double default_size = 28;
    static constexpr auto period = std::chrono::milliseconds(900);

    explicit Spinner(std::string label = "Loading");

    void set_active(bool active);
    bool is_active() const { return m_active; }
    std::string const& label() const { return m_label; }

    // The angle of the arc's head in radians (0 … 2π) at `now`; constant
    // under reduced motion.
    double angle_at(Clock::time_point now) const;

    void sync(FrameContext const& frame) override;
    Size measure(Size available, LayoutContext& context) override;
    void draw(Painter& painter) override;
    AccessNode accessibility() const override;
    bool needs_animation_frame() const override;

private:
    std::string m_label;
    bool m_active { true };
    bool m_reduced_motion { false };
    std::optional<Clock::time_point> m_started;
    Clock::time_point m_now {};
};

// Paints a spinner's arc into `rect` (a square is used, centred) with its
// head at `angle` radians.
void draw_spinner(Painter& painter, Rect rect, double angle, Color color);

}
