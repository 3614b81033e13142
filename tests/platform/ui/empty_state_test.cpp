#include "ui/button.h"
#include "ui/empty_state.h"
#include "ui/spinner.h"
#include "ui/text_renderer.h"

#include <cmath>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using ui::EmptyState;
using ui::EmptyStateContent;
using ui::Rect;

namespace {

Rect const content { 232, 48, 1032, 648 };

}

TEST(EmptyState, ActionRectangleSitsCentredBelowTheDetail)
{
    ui::TextRenderer text;
    EmptyStateContent error { ui::Icon::Warning, "Couldn’t open this folder", "Permission denied", "Try Again" };
    auto geometry = EmptyState::compute_geometry(error, content, text, 1.0);
    ASSERT_TRUE(geometry.action);
    Rect action = *geometry.action;
    EXPECT_EQ(action.height(), ui::Button::base_height);
    EXPECT_EQ(action.width(), 4 * ui::Button::base_height) << "a short label still gets a comfortable button";
    EXPECT_DOUBLE_EQ(action.center().x, content.center().x);
    EXPECT_GT(action.top, geometry.detail.bottom);
    EXPECT_GT(geometry.title.top, geometry.icon.bottom);
    // The whole block is centred vertically.
    EXPECT_DOUBLE_EQ(geometry.icon.top - content.top, content.bottom - action.bottom);

    error.action_label = "Try again with administrator rights";
    Rect wide = *EmptyState::compute_geometry(error, content, text, 1.0).action;
    EXPECT_GT(wide.width(), 4 * ui::Button::base_height);
    EXPECT_DOUBLE_EQ(wide.center().x, content.center().x);

    Rect scaled = *EmptyState::compute_geometry(error, content, text, 1.5).action;
    EXPECT_EQ(scaled.height(), 1.5 * ui::Button::base_height);

    EmptyStateContent loading { std::nullopt, "Opening folder", "/home/ada", std::nullopt };
    auto plain = EmptyState::compute_geometry(loading, content, text, 1.0);
    EXPECT_EQ(plain.action, std::nullopt);
    EXPECT_TRUE(plain.icon.is_empty());
    EXPECT_DOUBLE_EQ(plain.title.top - content.top, content.bottom - plain.detail.bottom);
}

TEST(EmptyState, LaidOutWidgetReportsTheActionRectangleWhereItWasMoved)
{
    ui::TextRenderer text;
    ui::LayoutContext context { text, {} };
    EmptyState state({ std::nullopt, "Couldn’t open this folder", "Permission denied", "Try Again" });
    state.build_layout(content, context);
    Rect laid_out = *state.action_rect();
    state.apply_layout(content.translated(0, 40));
    EXPECT_EQ(*state.action_rect(), laid_out.translated(0, 40));
    ui::AccessNode node = state.accessibility();
    EXPECT_EQ(node.label, "Couldn’t open this folder");
    EXPECT_EQ(node.description, "Permission denied");
}

TEST(Spinner, TurnsWhileActiveAndRestsUnderReducedMotion)
{
    auto const t0 = ui::Clock::time_point {} + 10s;
    ui::Spinner spinner;
    spinner.sync({ t0, 1.0, false });
    EXPECT_TRUE(spinner.needs_animation_frame());
    double start = spinner.angle_at(t0);
    double quarter = spinner.angle_at(t0 + ui::Spinner::period / 4);
    EXPECT_NEAR(std::remainder(quarter - start - M_PI / 2, 2 * M_PI), 0, 1e-9);
    EXPECT_NEAR(spinner.angle_at(t0 + ui::Spinner::period), start, 1e-9);
    EXPECT_EQ(spinner.accessibility().role, ui::AccessRole::ProgressIndicator);

    spinner.sync({ t0 + 1s, 1.0, true });
    EXPECT_FALSE(spinner.needs_animation_frame());
    EXPECT_EQ(spinner.angle_at(t0 + 1s), spinner.angle_at(t0 + 2s));

    spinner.sync({ t0 + 1s, 1.0, false });
    spinner.set_active(false);
    EXPECT_FALSE(spinner.needs_animation_frame());
    EXPECT_TRUE(spinner.accessibility().id.empty()) << "an idle spinner is not announced";
}
