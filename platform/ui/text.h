#pragma once

// A one-line label. Its colour follows the theme through a tone unless a
// fixed colour is given.

#include "ui/color.h"
#include "ui/text_renderer.h"
#include "ui/widget.h"

#include <optional>
#include <string>

namespace ui {

struct Theme;

enum class TextTone : std::uint8_t {
    Primary,
    Muted,
    Accent,
    Destructive,
};

class Text : public Widget {
public:
    explicit Text(std::string text, Font font = {}, TextTone tone = TextTone::Primary);

    Text& with_id(std::string id);
    Text& with_align(TextAlign align);
    Text& with_ellipsize(Ellipsize ellipsize);
    Text& with_color(Color color);

    std::string const& text() const { return m_text; }
    void set_text(std::string text);
    Font const& font() const { return m_font; }

    // The text's one-line size, ellipsized to the available width.
    Size measure(Size available, LayoutContext& context) override;
    void build_layout(Rect bounds, LayoutContext& context) override;
    void draw(Painter& painter) override;
    AccessNode accessibility() const override;

private:
    TextStyle style(Theme const& theme) const;
    Font scaled_font() const;

    std::string m_text;
    std::string m_id;
    Font m_font;
    TextTone m_tone;
    TextAlign m_align { TextAlign::Start };
    Ellipsize m_ellipsize { Ellipsize::End };
    std::optional<Color> m_color;
    // The desktop's text scale as of the last layout; drawing follows it.
    double m_text_scale { 1.0 };
};

}
