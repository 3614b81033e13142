#include "ui/events.h"

#include <array>
#include <utility>

namespace ui {

namespace {

constexpr std::array<std::pair<Key, std::string_view>, 28> key_names { {
    { Key::Enter, "Enter" },
    { Key::Escape, "Escape" },
    { Key::Tab, "Tab" },
    { Key::Backspace, "Backspace" },
    { Key::Delete, "Delete" },
    { Key::Insert, "Insert" },
    { Key::Left, "Left" },
    { Key::Right, "Right" },
    { Key::Up, "Up" },
    { Key::Down, "Down" },
    { Key::Home, "Home" },
    { Key::End, "End" },
    { Key::PageUp, "PageUp" },
    { Key::PageDown, "PageDown" },
    { Key::Space, "Space" },
    { Key::Menu, "Menu" },
    { Key::F1, "F1" },
    { Key::F2, "F2" },
    { Key::F3, "F3" },
    { Key::F4, "F4" },
    { Key::F5, "F5" },
    { Key::F6, "F6" },
    { Key::F7, "F7" },
    { Key::F8, "F8" },
    { Key::F9, "F9" },
    { Key::F10, "F10" },
    { Key::F11, "F11" },
    { Key::F12, "F12" },
} };

}

std::string_view key_name(Key key)
{
    for (auto const& [k, name] : key_names) {
        if (k == key)
            return name;
    }
    return {};
}

std::optional<Key> key_from_name(std::string_view name)
{
    for (auto const& [k, n] : key_names) {
        if (n == name)
            return k;
    }
    return std::nullopt;
}

std::optional<Point> event_position(Event const& event)
{
    return std::visit(
        [](auto const& e) -> std::optional<Point> {
            using E = std::decay_t<decltype(e)>;
            if constexpr (requires { e.position; })
                return e.position;
            else {
                (void)sizeof(E);
                return std::nullopt;
            }
        },
        event);
}

}
