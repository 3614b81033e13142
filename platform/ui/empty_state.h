#pragma once

// A centred placeholder for a content area that has nothing to show: an
// optional icon, a title, a detail line and, optionally, room for one action.
// The action itself is the owner's Button: EmptyState only reserves and
// reports its rectangle, so the button keeps its own state across layouts.

#include "ui/icons.h"
#include "ui/widget.h"

#include <optional>
#include <string>

namespace ui {

// Where each part of an empty state sits; empty rectangles for absent parts.
struct EmptyStateGeometry {
    Rect icon;
    Rect title;
    Rect detail;
    std::optional<Rect> action;
};

// The texts an empty state shows.
struct EmptyStateContent {
    std::optional<Icon> icon;
    std::string title;
    std::string detail;
    // With a label, room for an action button is reserved below the detail.
    std::optional<std::string> action_label;
};

class EmptyState : public Widget {
public:
    static constexpr double icon_size = 48;

    explicit EmptyState(EmptyStateContent content = {});

    void set_content(EmptyStateContent content);
    EmptyStateContent const& content() const { return m_content; }

    // The block centred in `bounds`, measured with `text` at `text_scale`.
    // The action rectangle is as wide as the label needs as a button, but at
    // least four button heights, and one button height high.
    static EmptyStateGeometry compute_geometry(
        EmptyStateContent const& content, Rect bounds, TextRenderer& text, double text_scale);

    EmptyStateGeometry const& geometry() const { return m_geometry; }
    // The rectangle for the owner's action button; nothing without an action label.
    std::optional<Rect> action_rect() const { return m_geometry.action; }

    void build_layout(Rect bounds, LayoutContext& context) override;
    void apply_layout(Rect bounds) override;
    void draw(Painter& painter) override;
    AccessNode accessibility() const override;

private:
    EmptyStateContent m_content;
    EmptyStateGeometry m_geometry;
    double m_text_scale { 1.0 };
};

}
