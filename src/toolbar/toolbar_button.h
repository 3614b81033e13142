#pragma once

// The toolbar's flat buttons: an icon, optionally followed by the label. The
// label is always the accessible name, also when only the icon is drawn.

#include "ui/button.h"

namespace files::toolbar {

enum class LabelDisplay : std::uint8_t {
    IconOnly,
    IconAndText,
};

class ToolbarButton : public ui::Button {
public:
    ToolbarButton(std::string control_id, std::string label, ui::Icon icon, LabelDisplay display);

    ui::Icon icon() const { return m_icon; }
    LabelDisplay label_display() const { return m_display; }

    void draw(ui::Painter& painter) override;

private:
    ui::Icon m_icon;
    LabelDisplay m_display;
};

}
