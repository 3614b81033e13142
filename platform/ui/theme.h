#pragma once

#include "ui/color.h"

namespace ui {

// Colour roles and a few shared metrics. The light theme is the window's;
// the screenshot theme is the same palette tuned for still images.
struct Theme {
    Color window;          // window background
    Color surface;         // content area
    Color panel;           // sidebars, sheets, menus
    Color primary;         // main text
    Color muted;           // secondary text
    Color accent;          // emphasis, primary buttons
    Color selection_soft;  // hover
    Color selection;       // selected
    Color selection_strong;// selected and focused
    Color focus;           // focus ring
    Color destructive;     // destructive actions
    Color quiet;           // separators, borders
    Color attention;       // warnings, conflicts
    Color folder_icon;
    Color file_icon;

    double corner_radius { 8 };
    double base_font_size { 13 };

    static Theme const& light();
    static Theme const& screenshot();
};

}
