#pragma once

// A sidebar over five favourites and the two system places, laid out in a
// 240 × 600 column with real text measurement.

#include "places_sidebar/places_sidebar.h"
#include "ui/text_renderer.h"

#include <gtest/gtest.h>

namespace sidebar_test {

using namespace files::places_sidebar;
using files::favorites::Favourite;
using files::favorites::Label;
using files::favorites::PlaceKind;

inline std::vector<Favourite> five_favourites()
{
    return {
        { Label::message("files-place-home"), "/home/ada", PlaceKind::Home },
        { Label::message("files-place-documents"), "/home/ada/Documents", PlaceKind::Documents },
        { Label::literal("Projects"), "/srv/Projects", PlaceKind::Folder },
        { Label::message("files-place-music"), "/home/ada/Music", PlaceKind::Music },
        { Label::literal("Team Files"), "/var/workspace/Team Files", PlaceKind::Folder },
    };
}

class SidebarTest : public testing::Test {
protected:
    void lay_out(ui::Rect bounds = { 0, 0, 240, 600 })
    {
        ui::LayoutContext context { m_text, {} };
        m_sidebar.build_layout(bounds, context);
        m_sidebar.apply_layout(bounds);
    }

    ui::Point centre_of(std::size_t row) const { return m_sidebar.geometry().rows.at(row).center(); }

    void press(ui::Point at, ui::PointerButton button = ui::PointerButton::Primary)
    {
        m_last_result = m_sidebar.handle_event(ui::PointerPressed { at, button, {}, 1 });
    }
    void move(ui::Point to) { m_sidebar.handle_event(ui::PointerMoved { to, {} }); }
    void release(ui::Point at) { m_sidebar.handle_event(ui::PointerReleased { at, ui::PointerButton::Primary, {} }); }
    ui::EventResult key(ui::Key k, ui::Modifiers modifiers = {})
    {
        return m_sidebar.handle_event(ui::KeyPressed { k, {}, modifiers, false });
    }

    ui::TextRenderer m_text;
    std::vector<Favourite> m_favourites { five_favourites() };
    PlacesSidebar m_sidebar { m_favourites, files::favorites::system_places(std::filesystem::path("/t/Trash/files")) };
    ui::EventResult m_last_result { ui::EventResult::Ignored };
};

}
