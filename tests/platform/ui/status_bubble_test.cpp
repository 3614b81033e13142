#include "ui/status_bubble.h"

#include <vector>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using ui::StatusBubble;

namespace {

ui::Clock::time_point const t0 = ui::Clock::time_point {} + 1000s;
auto const fade_start = t0 + StatusBubble::hold;
auto const gone = fade_start + StatusBubble::fade;

}

TEST(StatusBubble, PillGrowsWithTheTextAndTheScale)
{
    StatusBubble bubble;
    ui::Size empty = bubble.pill_size("", 1);
    EXPECT_EQ(empty.width, empty.height) << "never narrower than it is high";
    ui::Size short_text = bubble.pill_size("3 items", 1);
    ui::Size long_text = bubble.pill_size("3 items  ·  2 selected", 1);
    EXPECT_GT(short_text.width, empty.width);
    EXPECT_GT(long_text.width, short_text.width);
    EXPECT_EQ(long_text.height, short_text.height);

    ui::Size scaled = bubble.pill_size("3 items", 2);
    EXPECT_EQ(scaled.height, 2 * short_text.height);
    EXPECT_GT(scaled.width, 1.8 * short_text.width);

    EXPECT_EQ(bubble.pill_size(std::string(600, 'x'), 1, 300).width, 300);
}

TEST(StatusBubble, AlphaHoldsThenFades)
{
    struct Case {
        char const* name;
        ui::Clock::time_point at;
        double animated;
        double reduced;
    };
    std::vector<Case> const cases {
        { "before the poke", t0 - 1ms, 0, 0 },
        { "at the poke", t0, 1, 1 },
        { "end of the hold", fade_start - 1ms, 1, 1 },
        { "half way through the fade", fade_start + StatusBubble::fade / 2, 0.5, 1 },
        { "just before it is gone", gone - 1ms, -1, 1 },
        { "gone", gone, 0, 0 },
        { "long after", gone + 1h, 0, 0 },
    };
    for (bool reduced : { false, true }) {
        StatusBubble bubble;
        bubble.set_reduced_motion(reduced);
        bubble.poke(t0);
        for (auto const& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << (reduced ? ", reduced motion" : ""));
            double expected = reduced ? c.reduced : c.animated;
            double alpha = bubble.alpha(c.at);
            if (expected < 0) {
                EXPECT_GT(alpha, 0);
                EXPECT_LT(alpha, 0.05);
            } else {
                EXPECT_NEAR(alpha, expected, 1e-9);
            }
            EXPECT_EQ(bubble.is_visible(c.at), alpha > 0);
        }
    }
}

TEST(StatusBubble, WakesOnlyWhenSomethingChanges)
{
    struct Case {
        char const* name;
        ui::Clock::time_point at;
        bool frame;
        std::optional<ui::Clock::time_point> deadline;
        bool reduced_frame;
        std::optional<ui::Clock::time_point> reduced_deadline;
    };
    std::vector<Case> const cases {
        { "holding", t0 + 1s, false, fade_start, false, gone },
        { "fading", fade_start + 100ms, true, std::nullopt, false, gone },
        { "gone", gone, false, std::nullopt, false, std::nullopt },
    };
    for (bool reduced : { false, true }) {
        StatusBubble bubble;
        bubble.set_reduced_motion(reduced);
        EXPECT_FALSE(bubble.needs_animation_frame(t0));
        EXPECT_EQ(bubble.next_wake_deadline(t0), std::nullopt) << "never poked: nothing to wake for";
        bubble.poke(t0);
        for (auto const& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << (reduced ? ", reduced motion" : ""));
            EXPECT_EQ(bubble.needs_animation_frame(c.at), reduced ? c.reduced_frame : c.frame);
            EXPECT_EQ(bubble.next_wake_deadline(c.at), reduced ? c.reduced_deadline : c.deadline);
        }
    }
}

TEST(StatusBubble, PokingAgainRestartsTheHold)
{
    StatusBubble bubble;
    bubble.poke(t0);
    auto again = fade_start + 200ms;
    bubble.poke(again);
    EXPECT_EQ(bubble.alpha(again + 1s), 1);
    EXPECT_EQ(bubble.next_wake_deadline(again), again + StatusBubble::hold);
}

TEST(StatusBubble, HoverDucksOutOfTheWay)
{
    StatusBubble bubble;
    bubble.poke(t0);
    auto hovered_at = t0 + 1s;
    bubble.set_hover(true, hovered_at);
    double mid = bubble.alpha(hovered_at + StatusBubble::hover_transition / 2);
    EXPECT_GT(mid, 0);
    EXPECT_LT(mid, 1);
    EXPECT_TRUE(bubble.needs_animation_frame(hovered_at + 10ms));
    auto ducked = hovered_at + StatusBubble::hover_transition;
    EXPECT_EQ(bubble.alpha(ducked), 0);
    EXPECT_FALSE(bubble.is_visible(ducked));
    EXPECT_EQ(bubble.slide_offset(ducked), StatusBubble::hover_slide);
    EXPECT_FALSE(bubble.needs_animation_frame(ducked));

    bubble.set_hover(false, ducked);
    EXPECT_EQ(bubble.alpha(ducked + StatusBubble::hover_transition), 1);
    EXPECT_EQ(bubble.slide_offset(ducked + StatusBubble::hover_transition), 0);

    StatusBubble reduced;
    reduced.set_reduced_motion(true);
    reduced.poke(t0);
    reduced.set_hover(true, hovered_at);
    EXPECT_FALSE(reduced.is_visible(hovered_at)) << "no fade under reduced motion: it hides at once";
    EXPECT_EQ(reduced.slide_offset(hovered_at), 0);
    reduced.set_hover(false, hovered_at + 1ms);
    EXPECT_EQ(reduced.alpha(hovered_at + 1ms), 1);
}

TEST(StatusBubble, PinnedStaysVisibleAndIgnoresHover)
{
    StatusBubble bubble;
    bubble.set_pinned(true);
    bubble.set_hover(true, t0);
    for (auto at : { t0, gone + 1h }) {
        EXPECT_EQ(bubble.alpha(at), 1);
        EXPECT_FALSE(bubble.needs_animation_frame(at));
        EXPECT_EQ(bubble.next_wake_deadline(at), std::nullopt);
    }
}
