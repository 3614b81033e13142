#include "i18n/locale.h"
#include "i18n/translate.h"
#include "places_sidebar/places_sidebar.h"
#include "ui/painter.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace files::places_sidebar {

using favorites::Place;

namespace {

    constexpr double row_radius = 6;
    constexpr double icon_inset = 12;
    constexpr double icon_size = 17;
    constexpr double label_gap = 8;
    constexpr double header_font_size = 11;

    std::string upper_case(std::string const& text)
    {
        std::string upper;
        UErrorCode status = U_ZERO_ERROR;
        auto locale = icu::Locale::forLanguageTag(i18n::current_locale().to_string(), status);
        if (U_FAILURE(status))
            locale = icu::Locale::getRoot();
        icu::UnicodeString::fromUTF8(text).toUpper(locale).toUTF8String(upper);
        return upper;
    }

    // Icon and label of a place inside its row rectangle.
    void draw_row_content(ui::Painter& painter, Place const& place, ui::Rect rect, bool emphasised)
    {
        auto const& theme = painter.theme();
        double const centre = (rect.top + rect.bottom) / 2;
        ui::Rect icon { rect.left + icon_inset, centre - icon_size / 2, rect.left + icon_inset + icon_size,
            centre + icon_size / 2 };
        painter.draw_icon(place_icon(place.kind), icon, emphasised ? theme.accent : theme.muted);
        ui::Rect label { icon.right + label_gap, rect.top, std::max(icon.right + label_gap, rect.right - label_gap),
            rect.bottom };
        ui::TextStyle style;
        style.font.size = theme.base_font_size;
        style.font.weight = emphasised ? ui::FontWeight::Medium : ui::FontWeight::Regular;
        style.color = theme.primary;
        painter.draw_text(resolve_label(place.label), label, style);
    }

}

void PlacesSidebar::draw(ui::Painter& painter)
{
    refresh_geometry();
    auto const& theme = painter.theme();
    painter.fill_rect(m_bounds, theme.panel);
    painter.fill_rect({ m_bounds.right - 1, m_bounds.top, m_bounds.right, m_bounds.bottom }, theme.quiet);
    if (m_geometry.favourites_header)
        draw_header(painter, *m_geometry.favourites_header, "files-place-favourites");
    draw_header(painter, m_geometry.system_header, "files-place-system");

    auto const all = places();
    bool const lifted = m_drag && m_drag->lifted;
    for (std::size_t row = 0; row < all.size(); ++row) {
        ui::Rect rect = m_geometry.rows[row];
        if (lifted && row == m_drag->from)
            continue; // drawn as the card, above everything
        if (lifted && m_geometry.is_favourite(row))
            rect = rect.translated(0, shifted_row_top(m_geometry, row, m_drag->from, m_drag->drop) - rect.top);
        draw_row(painter, all[row], rect, row);
    }
    if (lifted)
        draw_lifted_card(painter, all);
    set_needs_redraw(false);
}

void PlacesSidebar::draw_header(ui::Painter& painter, ui::Rect rect, char const* message_id) const
{
    ui::TextStyle style;
    style.font.size = header_font_size * m_scale;
    style.font.weight = ui::FontWeight::Semibold;
    style.color = painter.theme().muted;
    ui::Rect text { rect.left + icon_inset, rect.top, std::max(rect.left + icon_inset, rect.right), rect.bottom };
    painter.draw_text(upper_case(i18n::translate(message_id)), text, style);
}

void PlacesSidebar::draw_row(ui::Painter& painter, Place const& place, ui::Rect rect, std::size_t row) const
{
    auto const& theme = painter.theme();
    bool const selected = is_current(row);
    bool const hovered = !m_drag && m_hover == row;
    if (selected || hovered)
        painter.fill_rounded_rect(rect.inset(0, 2), row_radius, selected ? theme.selection : theme.selection_soft);
    if (has_focus() && m_focus == row)
        painter.stroke_rounded_rect(rect.inset(1), row_radius, theme.focus, 2);
    draw_row_content(painter, place, rect, selected);
}

void PlacesSidebar::draw_lifted_card(ui::Painter& painter, std::vector<Place> const& places) const
{
    ui::Rect const slot = m_geometry.rows[m_drag->from];
    ui::Rect const card { slot.left, m_drag->card_top(), slot.right, m_drag->card_top() + slot.height() };
    painter.panel_shadow(card, row_radius);
    painter.fill_rounded_rect(card, row_radius, painter.theme().surface);
    draw_row_content(painter, places[m_drag->from], card, is_current(m_drag->from));
}

}
