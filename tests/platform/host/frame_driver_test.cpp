// When the frame driver runs frames and when it lets the host sleep.

#include "host/frame_driver.h"

#include <cairo.h>
#include <gtest/gtest.h>

using host::FrameDriver;
using ui::Clock;

namespace {

class ProbeWidget final : public ui::Widget {
public:
    void sync(ui::FrameContext const& frame) override
    {
        ++syncs;
        last_frame = frame;
    }
    void build_layout(ui::Rect bounds, ui::LayoutContext&) override
    {
        m_bounds = bounds;
        ++layouts;
    }
    void draw(ui::Painter&) override { ++draws; }
    void draw_overlay(ui::Painter&) override { ++overlays; }
    ui::EventResult handle_event(ui::Event const&) override { return ui::EventResult::Handled; }
    bool needs_animation_frame() const override { return animating; }
    bool needs_idle_sync() const override { return idle_sync; }
    std::optional<Clock::time_point> next_wake_deadline() const override { return deadline; }

    int syncs { 0 };
    int layouts { 0 };
    int draws { 0 };
    int overlays { 0 };
    ui::FrameContext last_frame;
    bool animating { false };
    bool idle_sync { false };
    std::optional<Clock::time_point> deadline;
};

class FrameDriverTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        cairo_destroy(m_cr);
        cairo_surface_destroy(m_surface);
    }
    void frame(Clock::time_point now) { m_driver.run_frame(now, m_cr); }

    cairo_surface_t* m_surface { cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 200, 100) };
    cairo_t* m_cr { cairo_create(m_surface) };
    ProbeWidget m_root;
    FrameDriver m_driver { m_root, { 200, 100 } };
    Clock::time_point m_start { Clock::now() };
};

}

TEST_F(FrameDriverTest, AtRestNoFrameIsDueUntilAnEvent)
{
    EXPECT_TRUE(m_driver.frame_due(m_start));
    EXPECT_FALSE(m_driver.is_idle());
    frame(m_start);
    EXPECT_EQ(m_root.syncs, 1);
    EXPECT_EQ(m_root.layouts, 1);
    EXPECT_EQ(m_root.draws, 1);
    EXPECT_EQ(m_root.overlays, 1);
    EXPECT_EQ(m_root.bounds(), ui::Rect::from_xywh(0, 0, 200, 100));
    EXPECT_EQ(m_driver.next_frame_time(), std::nullopt);
    EXPECT_TRUE(m_driver.is_idle());

    m_driver.deliver(ui::KeyPressed { ui::Key::Enter, {}, {}, false });
    EXPECT_TRUE(m_driver.frame_due(m_start));
    EXPECT_FALSE(m_driver.is_idle());
    frame(m_start + std::chrono::milliseconds(1));
    // Nothing asked for a new layout: the tree keeps its rectangles.
    EXPECT_EQ(m_root.layouts, 1);
    EXPECT_EQ(m_root.draws, 2);
    EXPECT_TRUE(m_driver.is_idle());
}

TEST_F(FrameDriverTest, LayoutRunsWhenAskedOrResized)
{
    frame(m_start);
    m_root.set_needs_layout();
    m_driver.request_frame();
    frame(m_start);
    EXPECT_EQ(m_root.layouts, 2);
    EXPECT_FALSE(m_root.needs_layout());

    m_driver.set_size({ 300, 150 });
    EXPECT_TRUE(m_driver.frame_due(m_start));
    frame(m_start);
    EXPECT_EQ(m_root.layouts, 3);
    EXPECT_EQ(m_root.bounds(), ui::Rect::from_xywh(0, 0, 300, 150));
    m_driver.set_size({ 300, 150 });
    EXPECT_FALSE(m_driver.frame_due(m_start));
}

TEST_F(FrameDriverTest, AnimationAndIdleSyncArePacedAtTheFrameInterval)
{
    struct Case {
        char const* name;
        bool animating;
        bool idle_sync;
    };
    for (auto const& c : { Case { "animation", true, false }, Case { "idle sync", false, true } }) {
        SCOPED_TRACE(c.name);
        m_root.animating = c.animating;
        m_root.idle_sync = c.idle_sync;
        m_driver.request_frame();
        frame(m_start);
        EXPECT_FALSE(m_driver.is_idle());
        EXPECT_TRUE(m_driver.wants_continuous_frames());
        EXPECT_EQ(m_driver.next_frame_time(), m_start + host::frame_interval);
        EXPECT_FALSE(m_driver.frame_due(m_start + std::chrono::milliseconds(5)));
        m_root.animating = false;
        m_root.idle_sync = false;
        EXPECT_TRUE(m_driver.is_idle());
        EXPECT_EQ(m_driver.next_frame_time(), std::nullopt);
    }
}

TEST_F(FrameDriverTest, AWakeDeadlineIsRestNotWork)
{
    frame(m_start);
    auto deadline = m_start + std::chrono::seconds(3);
    m_root.deadline = deadline;
    EXPECT_TRUE(m_driver.is_idle());
    EXPECT_EQ(m_driver.next_frame_time(), deadline);
    EXPECT_FALSE(m_driver.frame_due(deadline - std::chrono::milliseconds(1)));
    EXPECT_TRUE(m_driver.frame_due(deadline));
    // With an animation as well, the earlier of the two wins.
    m_root.animating = true;
    EXPECT_EQ(m_driver.next_frame_time(), m_start + host::frame_interval);
}

TEST_F(FrameDriverTest, ATreeThatAsksAgainWhileDrawingGetsAFollowUpFrame)
{
    struct Restless final : ui::Widget {
        void draw(ui::Painter&) override
        {
            if (++draws == 1)
                set_needs_redraw();
        }
        int draws { 0 };
    } restless;
    FrameDriver driver(restless, { 200, 100 });
    driver.run_frame(m_start, m_cr);
    EXPECT_FALSE(driver.is_idle());
    EXPECT_EQ(driver.next_frame_time(), m_start + host::frame_interval);
    driver.run_frame(m_start + host::frame_interval, m_cr);
    EXPECT_EQ(restless.draws, 2);
    EXPECT_TRUE(driver.is_idle());
}
