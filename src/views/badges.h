#pragma once

// The state badge on an item's icon: which one an entry gets, and its
// drawing.

#include "model/entry.h"
#include "ui/geometry.h"

#include <optional>

namespace ui {
class Painter;
}

namespace files::views {

enum class BadgeGlyph : std::uint8_t {
    Local,
    OnlineOnly,
    Downloading,
    Error,
    Pending,
    Uploading,
    Pinned,
    Replicated,
    Unreplicated,
};

enum class BadgeTone : std::uint8_t {
    Quiet,
    Attention,
};

struct Badge {
    BadgeGlyph glyph;
    BadgeTone tone;
    bool operator==(Badge const&) const = default;
};

// The first matching rule: sync state without an availability record; then,
// with a record, a transfer error, an active transfer phase, and finally the
// residency, pin and replica evidence of an idle record. Nothing for an
// entry without workspace state.
std::optional<Badge> badge_for(model::Entry const& entry);

// A filled circle centred on the icon's bottom-right corner with the glyph
// inside: glyph diameter max(0.62 x icon width, 9), at most 12 x item scale,
// circle radius 0.62 x that.
void draw_badge(ui::Painter& painter, Badge badge, ui::Rect icon, double item_scale);

}
