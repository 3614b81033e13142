#pragma once

// A small pill in a corner of the window that shows a one-line status. It
// appears at full opacity when poked, holds, then fades out; while the pointer
// is near it, it ducks out of the way (fades down and slides a little towards
// the window edge). Under reduced motion nothing animates: the pill is shown
// at full opacity for as long as it would have been visible and then hidden
// at once. The owner places and clips the pill; the bubble only answers how
// big it is, how opaque it is at a moment, and when the host must wake.

#include "ui/geometry.h"
#include "ui/widget.h"

#include <memory>
#include <optional>
#include <string_view>

namespace ui {

class Painter;
class TextRenderer;

class StatusBubble {
public:
    // Distance from the window edges to the pill.
    static constexpr double margin = 12;
    // How long a poked bubble stays fully visible, and how long it then fades.
    static constexpr auto hold = std::chrono::milliseconds(3500);
    static constexpr auto fade = std::chrono::milliseconds(500);
    // How long ducking away from (or back from) the pointer takes.
    static constexpr auto hover_transition = std::chrono::milliseconds(160);
    // How far the pill slides while it ducks away.
    static constexpr double hover_slide = 8;

    StatusBubble();
    ~StatusBubble();
    StatusBubble(StatusBubble&&) noexcept;
    StatusBubble& operator=(StatusBubble&&) noexcept;

    // The pill for `text` at the interface `scale`: the text's width plus
    // padding, at least as wide as it is high, at most `max_width` (the text is
    // then ellipsized when drawn).
    Size pill_size(std::string_view text, double scale, double max_width = 560);

    // The status changed: show the bubble from `now`.
    void poke(Clock::time_point now);
    // The pointer is (or no longer is) over the bubble.
    void set_hover(bool hovered, Clock::time_point now);
    bool is_hovered() const { return m_hovered; }
    // A pinned bubble (still pictures) is always fully visible and ignores hover.
    void set_pinned(bool pinned);
    bool is_pinned() const { return m_pinned; }
    void set_reduced_motion(bool reduced);
    bool reduced_motion() const { return m_reduced_motion; }

    // Opacity 0 … 1 at `now`.
    double alpha(Clock::time_point now) const;
    // True while the bubble is meant to be seen: poked and not yet faded out,
    // and not ducked away from the pointer.
    bool is_visible(Clock::time_point now) const;
    // How far the pill is shifted down (towards the window edge) at `now`.
    double slide_offset(Clock::time_point now) const;

    // True while the opacity or position changes from frame to frame.
    bool needs_animation_frame(Clock::time_point now) const;
    // The next moment something changes without input (the fade starts, or
    // under reduced motion the bubble hides); nothing while idle or animating.
    std::optional<Clock::time_point> next_wake_deadline(Clock::time_point now) const;

    // Paints the pill with `text` in `rect` at its opacity and offset for `now`.
    void draw_pill(Painter& painter, Rect rect, std::string_view text, double scale, Clock::time_point now) const;

private:
    double base_alpha(Clock::time_point now) const;
    // 1 when fully present, 0 when fully ducked away from the pointer.
    double presence(Clock::time_point now) const;

    std::optional<Clock::time_point> m_poked;
    bool m_hovered { false };
    std::optional<Clock::time_point> m_hover_changed;
    double m_presence_at_change { 1.0 };
    bool m_pinned { false };
    bool m_reduced_motion { false };
    std::unique_ptr<TextRenderer> m_text;
};

}
