#pragma once

// Translation of GTK's input into toolkit events.

#include "ui/events.h"

#include <optional>

#include <gdk/gdk.h>

namespace host::detail {

ui::Modifiers modifiers_from_gdk(GdkModifierType state);
// The named key of a keyval, if it is one of ui::Key.
std::optional<ui::Key> key_from_keyval(guint keyval);
// GTK numbers buttons from 1 (primary), 2 (middle), 3 (secondary).
std::optional<ui::PointerButton> button_from_gdk(guint button);
// Logical pixels per wheel step for discrete scrolling.
inline constexpr double scroll_step_pixels = 48;

}
