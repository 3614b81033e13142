#pragma once

// The frame loop shared by every host. A frame is: sync, layout when the root
// asks for it or the size changed, then draw and draw_overlay into a Painter.
// The driver also decides when the next frame is due, so a host sleeps while
// nothing changes: a frame runs after every event, while the tree animates or
// asks for idle syncs (paced at the frame interval), and at the tree's wake
// deadline.

#include "ui/events.h"
#include "ui/text_renderer.h"
#include "ui/widget.h"

#include <chrono>
#include <optional>

typedef struct _cairo cairo_t;

namespace host {

using ui::Clock;

inline constexpr auto frame_interval = std::chrono::milliseconds(16);

class FrameDriver {
public:
    FrameDriver(ui::Widget& root, ui::Size size);

    ui::Widget& root() { return m_root; }
    ui::Size size() const { return m_size; }
    // A new window size; schedules a frame that lays the tree out again.
    void set_size(ui::Size size);
    // Device pixels per logical pixel.
    double scale() const { return m_scale; }
    void set_scale(double scale);
    ui::TextRenderer& text() { return m_text; }

    // The facts sync and layout see for a frame at `now`, read from the
    // installed desktop.
    ui::FrameContext frame_context(Clock::time_point now) const;

    // Asks for a frame as soon as possible.
    void request_frame() { m_requested = true; }
    // Hands an event to the root and schedules a frame, whatever the answer.
    ui::EventResult deliver(ui::Event const& event);

    // Runs one frame at `now` into `cr`, which is in logical pixels.
    void run_frame(Clock::time_point now, cairo_t* cr);

    // When the next frame is due; nothing when the tree is at rest.
    std::optional<Clock::time_point> next_frame_time() const;
    bool frame_due(Clock::time_point now) const;
    // True while the tree wants frames at the frame rate (animation, idle
    // syncs, follow-up passes); a GTK host keeps a tick callback meanwhile.
    bool wants_continuous_frames() const;
    // No frame pending, no idle sync and no animation asked for. A future
    // wake deadline does not count: a periodic timer is rest, not work.
    bool is_idle() const;
    std::uint64_t frames() const { return m_frames; }

private:
    void prepare(Clock::time_point now);
    void paint(cairo_t* cr);

    ui::Widget& m_root;
    ui::Size m_size;
    std::optional<ui::Size> m_laid_out_size;
    double m_scale { 1.0 };
    ui::TextRenderer m_text;
    bool m_requested { true };
    bool m_follow_up { false };
    std::optional<Clock::time_point> m_last_frame;
    std::uint64_t m_frames { 0 };
};

}
