#pragma once

#include <cstdint>

namespace ui {

// A straight (not premultiplied) RGBA colour, components 0…1.
struct Color {
    double r { 0 };
    double g { 0 };
    double b { 0 };
    double a { 1 };

    // 0xRRGGBB, opaque.
    static constexpr Color rgb(std::uint32_t hex)
    {
        return { static_cast<double>((hex >> 16) & 0xFF) / 255.0, static_cast<double>((hex >> 8) & 0xFF) / 255.0,
            static_cast<double>(hex & 0xFF) / 255.0, 1.0 };
    }
    constexpr Color with_alpha(double alpha) const { return { r, g, b, alpha }; }
    // Linear mix: t = 0 gives *this, t = 1 gives `other`.
    constexpr Color mixed(Color other, double t) const
    {
        return { r + (other.r - r) * t, g + (other.g - g) * t, b + (other.b - b) * t, a + (other.a - a) * t };
    }
    bool operator==(Color const&) const = default;
};

}
