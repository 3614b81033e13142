#include "ui/theme.h"

namespace ui {

namespace {

    // Cool neutral greys with one blue accent; selection tiers are the accent
    // mixed into white so overlapping fills never darken unexpectedly.
    constexpr Color accent_blue = Color::rgb(0x2F6FEB);

    Theme make_light()
    {
        Theme theme;
        theme.window = Color::rgb(0xF5F6F8);
        theme.surface = Color::rgb(0xFFFFFF);
        theme.panel = Color::rgb(0xEEF0F3);
        theme.primary = Color::rgb(0x1D2330);
        theme.muted = Color::rgb(0x687180);
        theme.accent = accent_blue;
        theme.selection_soft = Color::rgb(0xFFFFFF).mixed(accent_blue, 0.07);
        theme.selection = Color::rgb(0xFFFFFF).mixed(accent_blue, 0.15);
        theme.selection_strong = Color::rgb(0xFFFFFF).mixed(accent_blue, 0.24);
        theme.focus = accent_blue.with_alpha(0.6);
        theme.destructive = Color::rgb(0xD0362B);
        theme.quiet = Color::rgb(0xDFE2E7);
        theme.attention = Color::rgb(0xD98A0B);
        theme.folder_icon = Color::rgb(0x4A86E8);
        theme.file_icon = Color::rgb(0x7D8696);
        theme.corner_radius = 8;
        theme.base_font_size = 13;
        return theme;
    }

    // Still images have no hover or motion to guide the eye, so the screenshot
    // theme gives text and selection a little more contrast.
    Theme make_screenshot()
    {
        Theme theme = make_light();
        theme.window = Color::rgb(0xF2F4F7);
        theme.panel = Color::rgb(0xEBEEF2);
        theme.primary = Color::rgb(0x161B26);
        theme.muted = Color::rgb(0x5F6877);
        theme.selection = Color::rgb(0xFFFFFF).mixed(accent_blue, 0.17);
        theme.selection_strong = Color::rgb(0xFFFFFF).mixed(accent_blue, 0.27);
        return theme;
    }

}

Theme const& Theme::light()
{
    static Theme const theme = make_light();
    return theme;
}

Theme const& Theme::screenshot()
{
    static Theme const theme = make_screenshot();
    return theme;
}

}
