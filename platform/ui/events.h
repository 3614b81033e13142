#pragma once

// Input events as the hosts deliver them to the widget tree. Positions are in
// logical pixels relative to the window.

#include "ui/geometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace ui {

// Button 0 is the primary button, 1 the secondary one; others pass through.
enum class PointerButton : std::uint8_t {
    Primary = 0,
    Secondary = 1,
    Middle = 2,
};

struct Modifiers {
    bool shift { false };
    bool control { false };
    bool alt { false };
    bool super { false };

    // The primary modifier of shortcuts and toggle-clicks: Control or Super.
    bool primary() const { return control || super; }
    bool none() const { return !shift && !control && !alt && !super; }
    bool operator==(Modifiers const&) const = default;
};

enum class Key : std::uint8_t {
    Enter,
    Escape,
    Tab,
    Backspace,
    Delete,
    Insert,
    Left,
    Right,
    Up,
    Down,
    Home,
    End,
    PageUp,
    PageDown,
    Space,
    Menu,
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
};

// The stable name of a key, as the automation endpoint spells it ("Enter",
// "PageDown", "F2"), and back. Unknown names give nothing.
std::string_view key_name(Key key);
std::optional<Key> key_from_name(std::string_view name);

struct PointerMoved {
    Point position;
    Modifiers modifiers;
};

struct PointerPressed {
    Point position;
    PointerButton button { PointerButton::Primary };
    Modifiers modifiers;
    // 1 for a single click, 2 for a double click within the desktop's interval.
    int click_count { 1 };
};

struct PointerReleased {
    Point position;
    PointerButton button { PointerButton::Primary };
    Modifiers modifiers;
};

// The pointer left the window.
struct PointerLeft { };

// Scroll deltas in logical pixels; positive dy scrolls the content up (reveals
// what is below).
struct Scrolled {
    Point position;
    double dx { 0 };
    double dy { 0 };
    Modifiers modifiers;
};

// A key press carries either a named key or the text it types (a printable
// character with the modifiers applied by the keyboard layout), never both.
// While an input method is composing, `composing` is set and `text` holds the
// preedit; a commit arrives as plain text with `composing` cleared.
struct KeyPressed {
    std::optional<Key> key;
    std::string text;
    Modifiers modifiers;
    bool composing { false };

    bool is(Key k) const { return key && *key == k; }
};

using Event = std::variant<PointerMoved, PointerPressed, PointerReleased, PointerLeft, Scrolled, KeyPressed>;

// The position of a pointer event, if it has one.
std::optional<Point> event_position(Event const& event);

}
