#pragma once

// A push button. Activating it (a click, Enter or Space while focused, the
// accessibility action "activate", or an invocation of kesu.ui.control.invoke
// carrying its id) records one pending activation that its owner takes with
// take_control_invocation.

#include "ui/icons.h"
#include "ui/widget.h"

#include <optional>
#include <string>

namespace ui {

enum class ButtonStyle : std::uint8_t {
    Ordinary, // neutral surface with a border
    Emphasised, // accent fill: the one main action of a panel
    Destructive, // red fill: deletes or loses data
    Quiet, // no chrome until hovered: toolbars
};

class Button : public Widget {
public:
    Button(std::string control_id, std::string label, ButtonStyle style = ButtonStyle::Ordinary);

    // The height of a button with the default text size.
    static constexpr double base_height = 32;

    Button& with_icon(Icon icon);
    Button& with_description(std::string description);

    std::string const& control_id() const { return m_control_id; }
    std::string const& label() const { return m_label; }
    void set_label(std::string label);
    ButtonStyle style() const { return m_style; }
    void set_disabled(bool disabled);
    bool is_disabled() const { return m_disabled; }
    bool is_hovered() const { return m_hovered; }
    bool is_pressed() const { return m_pressed; }

    // Records one activation, unless the button is disabled.
    void activate();

    Size measure(Size available, LayoutContext& context) override;
    void build_layout(Rect bounds, LayoutContext& context) override;
    void draw(Painter& painter) override;
    EventResult handle_event(Event const& event) override;
    AccessNode accessibility() const override;
    bool perform_action(std::string const& node_id, std::string const& action) override;
    std::vector<Resource> resources() const override;
    InvokeResult invoke(ActionInvocation const& invocation) override;
    std::optional<ControlInvocation> take_control_invocation() override;
    void set_focus(bool focused) override;

private:
    EventResult handle_pointer_press(PointerPressed const& press);
    EventResult handle_pointer_release(PointerReleased const& release);
    EventResult handle_key(KeyPressed const& key);
    void set_hovered(bool hovered);

    std::string m_control_id;
    std::string m_label;
    std::string m_description;
    ButtonStyle m_style;
    std::optional<Icon> m_icon;
    bool m_disabled { false };
    bool m_hovered { false };
    bool m_pressed { false };
    double m_text_scale { 1.0 };
    int m_pending_activations { 0 };
};

}
