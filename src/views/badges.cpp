#include "views/badges.h"

#include "ui/painter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <cairo.h>

namespace files::views {

namespace {

    using model::ResidencyState;
    using model::TransferPhase;

    Badge quiet(BadgeGlyph glyph) { return { glyph, BadgeTone::Quiet }; }
    Badge attention(BadgeGlyph glyph) { return { glyph, BadgeTone::Attention }; }

    std::optional<Badge> badge_for_sync(std::optional<model::SyncState> sync)
    {
        if (!sync)
            return std::nullopt;
        switch (*sync) {
        case model::SyncState::Local:
            return quiet(BadgeGlyph::Local);
        case model::SyncState::Projected:
            return quiet(BadgeGlyph::OnlineOnly);
        case model::SyncState::Downloading:
            return attention(BadgeGlyph::Downloading);
        }
        return std::nullopt;
    }

    std::optional<Badge> badge_for_phase(TransferPhase phase)
    {
        switch (phase) {
        case TransferPhase::Idle:
            return std::nullopt;
        case TransferPhase::Queued:
        case TransferPhase::Verifying:
            return attention(BadgeGlyph::Pending);
        case TransferPhase::Uploading:
            return attention(BadgeGlyph::Uploading);
        case TransferPhase::Downloading:
            return attention(BadgeGlyph::Downloading);
        }
        return std::nullopt;
    }

    Badge badge_for_idle(model::AvailabilityRecord const& record)
    {
        switch (record.residency) {
        case ResidencyState::NotResident:
            return quiet(BadgeGlyph::OnlineOnly);
        case ResidencyState::Partial:
            return quiet(BadgeGlyph::Downloading);
        case ResidencyState::Resident:
            break;
        }
        if (record.policy == model::AvailabilityPolicy::Pinned)
            return attention(BadgeGlyph::Pinned);
        if (record.replicas == model::ReplicaState::Unknown)
            return quiet(BadgeGlyph::Unreplicated);
        if (record.durable_replicas > 0)
            return quiet(BadgeGlyph::Replicated);
        return attention(BadgeGlyph::Unreplicated);
    }

    // Glyphs are drawn on a unit square centred on the badge, in white.
    void glyph_path(cairo_t* cr, BadgeGlyph glyph)
    {
        constexpr double pi = std::numbers::pi;
        switch (glyph) {
        case BadgeGlyph::Local:
        case BadgeGlyph::Replicated:
            cairo_move_to(cr, -0.32, 0.02);
            cairo_line_to(cr, -0.08, 0.26);
            cairo_line_to(cr, 0.34, -0.22);
            if (glyph == BadgeGlyph::Replicated) {
                // A second tick: the content is safe in more than one place.
                cairo_move_to(cr, -0.34, -0.3);
                cairo_line_to(cr, -0.14, -0.12);
            }
            break;
        case BadgeGlyph::OnlineOnly:
            cairo_new_sub_path(cr);
            cairo_arc(cr, -0.14, 0.04, 0.2, pi * 0.5, pi * 1.35);
            cairo_arc(cr, 0.06, -0.08, 0.24, pi * 1.1, pi * 1.95);
            cairo_arc(cr, 0.22, 0.1, 0.14, pi * 1.5, pi * 0.5);
            cairo_close_path(cr);
            break;
        case BadgeGlyph::Downloading:
        case BadgeGlyph::Uploading: {
            double dir = glyph == BadgeGlyph::Downloading ? 1 : -1;
            cairo_move_to(cr, 0, -0.34 * dir);
            cairo_line_to(cr, 0, 0.3 * dir);
            cairo_move_to(cr, -0.24, 0.08 * dir);
            cairo_line_to(cr, 0, 0.32 * dir);
            cairo_line_to(cr, 0.24, 0.08 * dir);
            break;
        }
        case BadgeGlyph::Error:
            cairo_move_to(cr, 0, -0.34);
            cairo_line_to(cr, 0, 0.08);
            cairo_move_to(cr, 0, 0.3);
            cairo_line_to(cr, 0, 0.32);
            break;
        case BadgeGlyph::Pending:
            cairo_new_sub_path(cr);
            cairo_arc(cr, 0, 0, 0.34, 0, 2 * pi);
            cairo_move_to(cr, 0, -0.2);
            cairo_line_to(cr, 0, 0);
            cairo_line_to(cr, 0.14, 0.12);
            break;
        case BadgeGlyph::Pinned:
            cairo_move_to(cr, -0.2, -0.34);
            cairo_line_to(cr, 0.2, -0.34);
            cairo_move_to(cr, -0.12, -0.34);
            cairo_line_to(cr, -0.12, -0.04);
            cairo_line_to(cr, -0.26, 0.1);
            cairo_line_to(cr, 0.26, 0.1);
            cairo_line_to(cr, 0.12, -0.04);
            cairo_line_to(cr, 0.12, -0.34);
            cairo_move_to(cr, 0, 0.1);
            cairo_line_to(cr, 0, 0.36);
            break;
        case BadgeGlyph::Unreplicated:
            cairo_new_sub_path(cr);
            cairo_arc(cr, 0, 0, 0.3, 0, 2 * pi);
            cairo_move_to(cr, -0.21, 0.21);
            cairo_line_to(cr, 0.21, -0.21);
            break;
        }
    }

}

std::optional<Badge> badge_for(model::Entry const& entry)
{
    if (!entry.availability)
        return badge_for_sync(entry.sync);
    model::AvailabilityRecord const& record = *entry.availability;
    if (record.last_error)
        return attention(BadgeGlyph::Error);
    if (auto active = badge_for_phase(record.phase))
        return active;
    return badge_for_idle(record);
}

void draw_badge(ui::Painter& painter, Badge badge, ui::Rect icon, double item_scale)
{
    // On a large grid icon the proportional glyph would cover a third of the
    // thumbnail and run into the name below, so it stops growing at 12·z.
    double diameter = std::min(std::max(0.62 * icon.width(), 9.0), std::max(12 * item_scale, 9.0));
    double radius = 0.62 * diameter;
    ui::Point centre { icon.right, icon.bottom };
    ui::Theme const& theme = painter.theme();
    ui::Color fill = badge.tone == BadgeTone::Attention ? theme.attention : theme.muted;
    // A ring in the surface colour lifts the badge off the icon or thumbnail.
    painter.fill_circle(centre, radius + 1.25, theme.surface);
    painter.fill_circle(centre, radius, fill);

    cairo_t* cr = painter.cairo();
    cairo_save(cr);
    cairo_translate(cr, centre.x, centre.y);
    cairo_scale(cr, diameter, diameter);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, std::max(item_scale, 1.0) * 1.5 / diameter);
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
    glyph_path(cr, badge.glyph);
    cairo_stroke(cr);
    cairo_restore(cr);
}

}
