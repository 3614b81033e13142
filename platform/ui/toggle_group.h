#pragma once

// A segmented control: a row of options of which exactly one is selected.
// Choosing an option (a click, Left/Right/Home/End while focused, the
// accessibility action "activate" on an option, or an invocation of
// kesu.ui.control.invoke with the group's id, which moves to the next option)
// records one pending change that the owner takes with take_selection_change
// or take_control_invocation. Setting the selection from outside records none.

#include "ui/icons.h"
#include "ui/widget.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace ui {

struct ToggleOption {
    // Always the option's accessible name; drawn unless `icon_only`.
    std::string label;
    std::optional<Icon> icon;
    bool icon_only { false };
};

class ToggleGroup : public Widget {
public:
    // `selected` is clamped to the options; there must be at least one.
    ToggleGroup(std::string control_id, std::string label, std::vector<ToggleOption> options, std::size_t selected = 0);

    static constexpr double base_height = 32;

    std::string const& control_id() const { return m_control_id; }
    std::vector<ToggleOption> const& options() const { return m_options; }
    std::size_t selected() const { return m_selected; }
    // Selects an option without reporting a change (the owner's own state).
    void set_selected(std::size_t index);
    std::optional<std::size_t> hovered() const { return m_hovered; }
    // The rectangle of each option as of the last layout.
    std::vector<Rect> const& option_rects() const { return m_option_rects; }

    // The option chosen by the user since the last call, if any.
    std::optional<std::size_t> take_selection_change();

    Size measure(Size available, LayoutContext& context) override;
    void build_layout(Rect bounds, LayoutContext& context) override;
    void apply_layout(Rect bounds) override;
    void draw(Painter& painter) override;
    EventResult handle_event(Event const& event) override;
    AccessNode accessibility() const override;
    bool perform_action(std::string const& node_id, std::string const& action) override;
    std::vector<Resource> resources() const override;
    InvokeResult invoke(ActionInvocation const& invocation) override;
    // The group's id while a change is pending; the owner reads selected().
    std::optional<ControlInvocation> take_control_invocation() override;
    void set_focus(bool focused) override;

    // The accessibility node id of option `index`.
    std::string option_node_id(std::size_t index) const;

private:
    void choose(std::size_t index);
    void measure_options(TextRenderer& text);
    void place_options();
    std::optional<std::size_t> option_at(Point position) const;
    EventResult handle_key(KeyPressed const& key);

    std::string m_control_id;
    std::string m_label;
    std::vector<ToggleOption> m_options;
    std::size_t m_selected { 0 };
    std::optional<std::size_t> m_pending;
    std::optional<std::size_t> m_hovered;
    std::optional<std::size_t> m_pressed;
    std::vector<double> m_option_widths;
    std::vector<Rect> m_option_rects;
    double m_text_scale { 1.0 };
};

}
