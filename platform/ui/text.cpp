#include "ui/text.h"

#include "ui/painter.h"
#include "ui/theme.h"

#include <algorithm>

namespace ui {

Text::Text(std::string text, Font font, TextTone tone)
    : m_text(std::move(text))
    , m_font(font)
    , m_tone(tone)
{
}

Text& Text::with_id(std::string id)
{
    m_id = std::move(id);
    return *this;
}

Text& Text::with_align(TextAlign align)
{
    m_align = align;
    return *this;
}

Text& Text::with_ellipsize(Ellipsize ellipsize)
{
    m_ellipsize = ellipsize;
    return *this;
}

Text& Text::with_color(Color color)
{
    m_color = color;
    return *this;
}

void Text::set_text(std::string text)
{
    if (text == m_text)
        return;
    m_text = std::move(text);
    set_needs_layout();
    set_needs_redraw();
}

Font Text::scaled_font() const
{
    Font font = m_font;
    font.size *= m_text_scale;
    return font;
}

Size Text::measure(Size available, LayoutContext& context)
{
    m_text_scale = context.frame.text_scale;
    Size size = context.text.measure(m_text, scaled_font(), available.width, m_ellipsize);
    return { std::min(size.width, available.width), size.height };
}

void Text::build_layout(Rect bounds, LayoutContext& context)
{
    m_text_scale = context.frame.text_scale;
    m_bounds = bounds;
}

TextStyle Text::style(Theme const& theme) const
{
    Color color = theme.primary;
    switch (m_tone) {
    case TextTone::Primary:
        break;
    case TextTone::Muted:
        color = theme.muted;
        break;
    case TextTone::Accent:
        color = theme.accent;
        break;
    case TextTone::Destructive:
        color = theme.destructive;
        break;
    }
    return { scaled_font(), m_color.value_or(color), m_align, m_ellipsize };
}

void Text::draw(Painter& painter) { painter.draw_text(m_text, m_bounds, style(painter.theme())); }

AccessNode Text::accessibility() const
{
    AccessNode node(m_id, AccessRole::Text, m_text);
    node.bounds = m_bounds;
    return node;
}

}
