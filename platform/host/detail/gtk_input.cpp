#include "host/detail/gtk_input.h"

#include <array>
#include <utility>

namespace host::detail {

namespace {

    constexpr std::array<std::pair<guint, ui::Key>, 42> key_table { {
        { GDK_KEY_Return, ui::Key::Enter },
        { GDK_KEY_KP_Enter, ui::Key::Enter },
        { GDK_KEY_ISO_Enter, ui::Key::Enter },
        { GDK_KEY_Escape, ui::Key::Escape },
        { GDK_KEY_Tab, ui::Key::Tab },
        { GDK_KEY_ISO_Left_Tab, ui::Key::Tab },
        { GDK_KEY_KP_Tab, ui::Key::Tab },
        { GDK_KEY_BackSpace, ui::Key::Backspace },
        { GDK_KEY_Delete, ui::Key::Delete },
        { GDK_KEY_KP_Delete, ui::Key::Delete },
        { GDK_KEY_Insert, ui::Key::Insert },
        { GDK_KEY_KP_Insert, ui::Key::Insert },
        { GDK_KEY_Left, ui::Key::Left },
        { GDK_KEY_KP_Left, ui::Key::Left },
        { GDK_KEY_Right, ui::Key::Right },
        { GDK_KEY_KP_Right, ui::Key::Right },
        { GDK_KEY_Up, ui::Key::Up },
        { GDK_KEY_KP_Up, ui::Key::Up },
        { GDK_KEY_Down, ui::Key::Down },
        { GDK_KEY_KP_Down, ui::Key::Down },
        { GDK_KEY_Home, ui::Key::Home },
        { GDK_KEY_KP_Home, ui::Key::Home },
        { GDK_KEY_End, ui::Key::End },
        { GDK_KEY_KP_End, ui::Key::End },
        { GDK_KEY_Page_Up, ui::Key::PageUp },
        { GDK_KEY_KP_Page_Up, ui::Key::PageUp },
        { GDK_KEY_Page_Down, ui::Key::PageDown },
        { GDK_KEY_KP_Page_Down, ui::Key::PageDown },
        { GDK_KEY_space, ui::Key::Space },
        { GDK_KEY_Menu, ui::Key::Menu },
        { GDK_KEY_F1, ui::Key::F1 },
        { GDK_KEY_F2, ui::Key::F2 },
        { GDK_KEY_F3, ui::Key::F3 },
        { GDK_KEY_F4, ui::Key::F4 },
        { GDK_KEY_F5, ui::Key::F5 },
        { GDK_KEY_F6, ui::Key::F6 },
        { GDK_KEY_F7, ui::Key::F7 },
        { GDK_KEY_F8, ui::Key::F8 },
        { GDK_KEY_F9, ui::Key::F9 },
        { GDK_KEY_F10, ui::Key::F10 },
        { GDK_KEY_F11, ui::Key::F11 },
        { GDK_KEY_F12, ui::Key::F12 },
    } };

}

ui::Modifiers modifiers_from_gdk(GdkModifierType state)
{
    ui::Modifiers modifiers;
    modifiers.shift = (state & GDK_SHIFT_MASK) != 0;
    modifiers.control = (state & GDK_CONTROL_MASK) != 0;
    modifiers.alt = (state & GDK_ALT_MASK) != 0;
    modifiers.super = (state & (GDK_SUPER_MASK | GDK_META_MASK)) != 0;
    return modifiers;
}

std::optional<ui::Key> key_from_keyval(guint keyval)
{
    for (auto const& [value, key] : key_table) {
        if (value == keyval)
            return key;
    }
    return std::nullopt;
}

std::optional<ui::PointerButton> button_from_gdk(guint button)
{
    switch (button) {
    case GDK_BUTTON_PRIMARY:
        return ui::PointerButton::Primary;
    case GDK_BUTTON_SECONDARY:
        return ui::PointerButton::Secondary;
    case GDK_BUTTON_MIDDLE:
        return ui::PointerButton::Middle;
    default:
        return std::nullopt;
    }
}

}
