// Each picture is a few shapes and gradients in its own palette: enough to
// read as a photograph, a map or a cover at thumbnail size.

#include "scenes/detail/picture_painters.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

#include <cairo.h>

namespace files::scenes::detail {

namespace {

    struct Rgb {
        double r, g, b;
    };

    constexpr Rgb hex(std::uint32_t value)
    {
        return { static_cast<double>((value >> 16) & 0xFF) / 255.0, static_cast<double>((value >> 8) & 0xFF) / 255.0,
            static_cast<double>(value & 0xFF) / 255.0 };
    }

    void set(cairo_t* cr, std::uint32_t color, double alpha = 1.0)
    {
        auto c = hex(color);
        cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
    }

    void stop(cairo_pattern_t* pattern, double offset, std::uint32_t color, double alpha = 1.0)
    {
        auto c = hex(color);
        cairo_pattern_add_color_stop_rgba(pattern, offset, c.r, c.g, c.b, alpha);
    }

    // Fills the rectangle with a vertical gradient through `stops`.
    template<std::size_t N>
    void vertical_gradient(cairo_t* cr, double x, double y, double w, double h,
        std::array<std::pair<double, std::uint32_t>, N> const& stops)
    {
        cairo_pattern_t* pattern = cairo_pattern_create_linear(0, y, 0, y + h);
        for (auto const& [offset, color] : stops)
            stop(pattern, offset, color);
        cairo_set_source(cr, pattern);
        cairo_rectangle(cr, x, y, w, h);
        cairo_fill(cr);
        cairo_pattern_destroy(pattern);
    }

    void circle(cairo_t* cr, double x, double y, double radius)
    {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x, y, radius, 0, 2 * std::numbers::pi);
    }

    void glow(cairo_t* cr, double x, double y, double radius, std::uint32_t color, double alpha)
    {
        cairo_pattern_t* pattern = cairo_pattern_create_radial(x, y, 0, x, y, radius);
        stop(pattern, 0, color, alpha);
        stop(pattern, 1, color, 0);
        cairo_set_source(cr, pattern);
        circle(cr, x, y, radius);
        cairo_fill(cr);
        cairo_pattern_destroy(pattern);
    }

    // A ridge of hills along `base`, rising to `height` at its peaks.
    void hills(cairo_t* cr, double w, double base, double height, double phase, std::uint32_t color)
    {
        cairo_move_to(cr, 0, base);
        for (int i = 0; i <= 48; ++i) {
            double x = w * i / 48.0;
            double t = x / w * 2 * std::numbers::pi;
            double y = base - height * (0.55 + 0.3 * std::sin(t * 1.7 + phase) + 0.15 * std::sin(t * 4.3 + phase * 2));
            cairo_line_to(cr, x, y);
        }
        cairo_line_to(cr, w, base);
        cairo_close_path(cr);
        set(cr, color);
        cairo_fill(cr);
    }

    void paint_sunset(cairo_t* cr, double w, double h)
    {
        double const horizon = h * 0.64;
        vertical_gradient<4>(
            cr, 0, 0, w, horizon, { { { 0, 0x23174A }, { 0.45, 0x7B2D6B }, { 0.8, 0xE0605A }, { 1, 0xF9B45C } } });
        double const sun = std::min(w, h) * 0.13;
        glow(cr, w * 0.5, horizon, sun * 3.2, 0xFFC46B, 0.55);
        set(cr, 0xFFE2A0);
        circle(cr, w * 0.5, horizon, sun);
        cairo_fill(cr);
        hills(cr, w, horizon, h * 0.09, 0.4, 0x3B1F4E);
        vertical_gradient<3>(
            cr, 0, horizon, w, h - horizon, { { { 0, 0x5A2E5E }, { 0.5, 0x2E1D45 }, { 1, 0x160F2B } } });
        // The sun's path on the water.
        for (int i = 0; i < 9; ++i) {
            double y = horizon + (h - horizon) * (0.08 + i * 0.1);
            double half = sun * (0.9 - i * 0.07) + (i % 2) * sun * 0.25;
            set(cr, 0xFFC46B, 0.75 - i * 0.07);
            cairo_rectangle(cr, w * 0.5 - half, y, half * 2, std::max(1.0, h * 0.012));
            cairo_fill(cr);
        }
    }

    void house(cairo_t* cr, double x, double base, double width, double height, std::uint32_t wall, std::uint32_t roof)
    {
        set(cr, wall);
        cairo_rectangle(cr, x, base - height, width, height);
        cairo_fill(cr);
        set(cr, roof);
        cairo_move_to(cr, x - width * 0.06, base - height);
        cairo_line_to(cr, x + width * 0.5, base - height - width * 0.45);
        cairo_line_to(cr, x + width * 1.06, base - height);
        cairo_close_path(cr);
        cairo_fill(cr);
        set(cr, 0x1E3A4C, 0.7);
        cairo_rectangle(cr, x + width * 0.3, base - height * 0.62, width * 0.4, height * 0.3);
        cairo_fill(cr);
    }

    void boat(cairo_t* cr, double x, double waterline, double length, std::uint32_t hull, std::uint32_t sail)
    {
        set(cr, hull);
        cairo_move_to(cr, x, waterline - length * 0.16);
        cairo_line_to(cr, x + length, waterline - length * 0.16);
        cairo_line_to(cr, x + length * 0.82, waterline);
        cairo_line_to(cr, x + length * 0.14, waterline);
        cairo_close_path(cr);
        cairo_fill(cr);
        set(cr, 0x3A3A3A);
        cairo_set_line_width(cr, std::max(1.0, length * 0.025));
        cairo_move_to(cr, x + length * 0.5, waterline - length * 0.16);
        cairo_line_to(cr, x + length * 0.5, waterline - length * 0.95);
        cairo_stroke(cr);
        set(cr, sail);
        cairo_move_to(cr, x + length * 0.54, waterline - length * 0.92);
        cairo_line_to(cr, x + length * 0.54, waterline - length * 0.24);
        cairo_line_to(cr, x + length * 0.95, waterline - length * 0.24);
        cairo_close_path(cr);
        cairo_fill(cr);
    }

    void paint_harbour(cairo_t* cr, double w, double h)
    {
        double const shore = h * 0.56;
        vertical_gradient<2>(cr, 0, 0, w, shore, { { { 0, 0x7CC3E8 }, { 1, 0xDDF1FA } } });
        set(cr, 0xFFFFFF, 0.85);
        circle(cr, w * 0.2, h * 0.16, h * 0.05);
        circle(cr, w * 0.26, h * 0.14, h * 0.065);
        circle(cr, w * 0.32, h * 0.17, h * 0.045);
        cairo_fill(cr);
        constexpr std::array<std::pair<std::uint32_t, std::uint32_t>, 7> houses { {
            { 0xE76F51, 0x8C3B2E },
            { 0xF4A261, 0x7A4A2A },
            { 0xE9C46A, 0x8A6D2B },
            { 0x2A9D8F, 0x1D5E57 },
            { 0xF1FAEE, 0x6C7A89 },
            { 0xE76F51, 0x5A2A22 },
            { 0x8AB17D, 0x4A6A42 },
        } };
        double const width = w / 9.5;
        for (std::size_t i = 0; i < houses.size(); ++i) {
            double x = w * 0.08 + static_cast<double>(i) * width * 1.22;
            double height = h * (0.11 + 0.04 * static_cast<double>((i * 5) % 3));
            house(cr, x, shore, width, height, houses[i].first, houses[i].second);
        }
        set(cr, 0x6B5B4B);
        cairo_rectangle(cr, 0, shore - h * 0.012, w, h * 0.024);
        cairo_fill(cr);
        vertical_gradient<2>(cr, 0, shore + h * 0.012, w, h - shore, { { { 0, 0x2A7F9E }, { 1, 0x0E3B57 } } });
        for (int i = 0; i < 14; ++i) {
            double y = shore + (h - shore) * (0.12 + 0.062 * i);
            double x = w * (0.05 + 0.37 * ((i * 7) % 5) / 4.0);
            set(cr, 0xFFFFFF, 0.22);
            cairo_rectangle(cr, x, y, w * 0.16, std::max(1.0, h * 0.006));
            cairo_fill(cr);
        }
        boat(cr, w * 0.12, h * 0.8, w * 0.22, 0xC0392B, 0xFDF6E3);
        boat(cr, w * 0.52, h * 0.74, w * 0.16, 0xF1F1F1, 0xF4D35E);
        boat(cr, w * 0.74, h * 0.9, w * 0.2, 0x264653, 0xE9EDF0);
    }

    void tree(cairo_t* cr, double x, double ground, double trunk, double height, std::uint32_t leaves)
    {
        set(cr, 0x3E2A1E);
        cairo_rectangle(cr, x - trunk / 2, ground - height, trunk, height);
        cairo_fill(cr);
        set(cr, leaves);
        circle(cr, x, ground - height, trunk * 3.2);
        circle(cr, x - trunk * 2.2, ground - height * 0.86, trunk * 2.4);
        circle(cr, x + trunk * 2.1, ground - height * 0.9, trunk * 2.6);
        cairo_fill(cr);
    }

    void paint_forest_path(cairo_t* cr, double w, double h)
    {
        vertical_gradient<3>(cr, 0, 0, w, h, { { { 0, 0xD7EBB5 }, { 0.45, 0x5E9C4E }, { 1, 0x1F4A2B } } });
        glow(cr, w * 0.55, h * 0.12, w * 0.7, 0xFFF6C8, 0.65);
        // The path narrows towards the light.
        cairo_move_to(cr, w * 0.18, h);
        cairo_curve_to(cr, w * 0.42, h * 0.78, w * 0.36, h * 0.6, w * 0.5, h * 0.38);
        cairo_line_to(cr, w * 0.56, h * 0.38);
        cairo_curve_to(cr, w * 0.5, h * 0.6, w * 0.72, h * 0.78, w * 0.86, h);
        cairo_close_path(cr);
        cairo_pattern_t* path = cairo_pattern_create_linear(0, h * 0.38, 0, h);
        stop(path, 0, 0xEADBB8);
        stop(path, 1, 0xA9825A);
        cairo_set_source(cr, path);
        cairo_fill(cr);
        cairo_pattern_destroy(path);
        constexpr std::array<std::uint32_t, 4> greens { 0x2F6B3A, 0x3F7F45, 0x24552E, 0x4C8C4A };
        for (int i = 0; i < 10; ++i) {
            bool left = i % 2 == 0;
            double depth = 1.0 - i / 12.0;
            double x = left ? w * (0.02 + 0.05 * (i / 2)) : w * (0.98 - 0.05 * (i / 2));
            double ground = h * (0.55 + 0.45 * depth);
            tree(cr, x, ground, w * 0.05 * depth, h * 0.5 * depth, greens[static_cast<std::size_t>(i) % greens.size()]);
        }
    }

    void paint_bloom(cairo_t* cr, double w, double h)
    {
        cairo_pattern_t* ground = cairo_pattern_create_radial(w * 0.5, h * 0.45, 0, w * 0.5, h * 0.45, w * 0.75);
        stop(ground, 0, 0xFFF1F5);
        stop(ground, 0.6, 0xF7B8CE);
        stop(ground, 1, 0xC2557F);
        cairo_set_source(cr, ground);
        cairo_paint(cr);
        cairo_pattern_destroy(ground);
        double const cx = w * 0.5;
        double const cy = h * 0.46;
        double const r = std::min(w, h);
        set(cr, 0x3D7A3A);
        cairo_set_line_width(cr, r * 0.025);
        cairo_move_to(cr, cx, cy);
        cairo_curve_to(cr, cx - r * 0.05, cy + r * 0.25, cx + r * 0.06, cy + r * 0.4, cx, h);
        cairo_stroke(cr);
        for (auto [x, angle] : std::array<std::pair<double, double>, 2> { { { -1, -0.5 }, { 1, 0.5 } } }) {
            cairo_save(cr);
            cairo_translate(cr, cx + x * r * 0.09, cy + r * 0.36);
            cairo_rotate(cr, angle);
            cairo_scale(cr, r * 0.12, r * 0.045);
            circle(cr, 0, 0, 1);
            cairo_restore(cr);
            set(cr, 0x4E944A);
            cairo_fill(cr);
        }
        for (int ring = 0; ring < 2; ++ring) {
            for (int i = 0; i < 10; ++i) {
                double angle = i * 2 * std::numbers::pi / 10 + ring * std::numbers::pi / 10;
                cairo_save(cr);
                cairo_translate(cr, cx, cy);
                cairo_rotate(cr, angle);
                cairo_translate(cr, r * (ring == 0 ? 0.17 : 0.11), 0);
                cairo_scale(cr, r * (ring == 0 ? 0.16 : 0.11), r * (ring == 0 ? 0.07 : 0.05));
                circle(cr, 0, 0, 1);
                cairo_restore(cr);
                set(cr, ring == 0 ? 0xD81B60 : 0xF06292, 0.92);
                cairo_fill(cr);
            }
        }
        set(cr, 0xFFC940);
        circle(cr, cx, cy, r * 0.065);
        cairo_fill(cr);
        set(cr, 0xE59A00);
        for (int i = 0; i < 12; ++i) {
            double angle = i * 2 * std::numbers::pi / 12;
            circle(cr, cx + std::cos(angle) * r * 0.038, cy + std::sin(angle) * r * 0.038, r * 0.008);
        }
        cairo_fill(cr);
    }

    void paint_study(cairo_t* cr, double w, double h)
    {
        vertical_gradient<2>(cr, 0, 0, w, h * 0.72, { { { 0, 0xE9D8BC }, { 1, 0xD9C19C } } });
        // Window with an evening sky.
        double const wx = w * 0.6, wy = h * 0.12, ww = w * 0.3, wh = h * 0.36;
        vertical_gradient<2>(cr, wx, wy, ww, wh, { { { 0, 0x4A6FA5 }, { 1, 0xF2B880 } } });
        set(cr, 0xF7F1E3);
        cairo_set_line_width(cr, std::max(2.0, w * 0.008));
        cairo_rectangle(cr, wx, wy, ww, wh);
        cairo_move_to(cr, wx + ww / 2, wy);
        cairo_line_to(cr, wx + ww / 2, wy + wh);
        cairo_move_to(cr, wx, wy + wh / 2);
        cairo_line_to(cr, wx + ww, wy + wh / 2);
        cairo_stroke(cr);
        // Shelf with books.
        set(cr, 0x7A4E2D);
        cairo_rectangle(cr, w * 0.06, h * 0.38, w * 0.42, h * 0.025);
        cairo_fill(cr);
        constexpr std::array<std::uint32_t, 9> spines { 0x264653, 0xE76F51, 0x2A9D8F, 0xE9C46A, 0x6D597A, 0xB56576,
            0x355070, 0xF4A261, 0x588157 };
        double x = w * 0.08;
        for (std::size_t i = 0; i < spines.size(); ++i) {
            double bw = w * (0.03 + 0.008 * static_cast<double>(i % 3));
            double bh = h * (0.14 + 0.025 * static_cast<double>((i * 2) % 3));
            set(cr, spines[i]);
            cairo_rectangle(cr, x, h * 0.38 - bh, bw, bh);
            cairo_fill(cr);
            x += bw + w * 0.004;
        }
        // Desk, lamp and its light.
        glow(cr, w * 0.3, h * 0.66, w * 0.32, 0xFFE3A3, 0.6);
        set(cr, 0x8B5A3C);
        cairo_rectangle(cr, 0, h * 0.72, w, h * 0.28);
        cairo_fill(cr);
        set(cr, 0x6B4029);
        cairo_rectangle(cr, 0, h * 0.72, w, h * 0.03);
        cairo_fill(cr);
        set(cr, 0x2F3E46);
        cairo_set_line_width(cr, std::max(2.0, w * 0.008));
        cairo_move_to(cr, w * 0.26, h * 0.72);
        cairo_line_to(cr, w * 0.22, h * 0.56);
        cairo_line_to(cr, w * 0.3, h * 0.45);
        cairo_stroke(cr);
        set(cr, 0x2E7D6B);
        cairo_move_to(cr, w * 0.25, h * 0.43);
        cairo_line_to(cr, w * 0.37, h * 0.43);
        cairo_line_to(cr, w * 0.34, h * 0.53);
        cairo_line_to(cr, w * 0.28, h * 0.53);
        cairo_close_path(cr);
        cairo_fill(cr);
        set(cr, 0xFDFDF8);
        cairo_rectangle(cr, w * 0.44, h * 0.66, w * 0.2, h * 0.05);
        cairo_fill(cr);
        set(cr, 0xC9ADA7);
        cairo_rectangle(cr, w * 0.47, h * 0.62, w * 0.05, h * 0.1);
        cairo_fill(cr);
    }

    void paint_trail_map(cairo_t* cr, double w, double h)
    {
        set(cr, 0xF3ECD7);
        cairo_paint(cr);
        set(cr, 0xB9D8A8);
        circle(cr, w * 0.22, h * 0.3, h * 0.22);
        circle(cr, w * 0.78, h * 0.72, h * 0.26);
        cairo_fill(cr);
        set(cr, 0xC9B98F, 0.8);
        cairo_set_line_width(cr, std::max(0.8, h * 0.012));
        for (int i = 1; i <= 3; ++i) {
            circle(cr, w * 0.62, h * 0.3, h * 0.07 * i);
            cairo_stroke(cr);
        }
        set(cr, 0x5AA9D6);
        cairo_set_line_width(cr, std::max(2.0, h * 0.06));
        cairo_move_to(cr, -2, h * 0.62);
        cairo_curve_to(cr, w * 0.3, h * 0.5, w * 0.45, h * 0.95, w + 2, h * 0.88);
        cairo_stroke(cr);
        set(cr, 0xD1495B);
        cairo_set_line_width(cr, std::max(1.5, h * 0.03));
        double dash[] = { std::max(2.0, h * 0.06), std::max(1.5, h * 0.04) };
        cairo_set_dash(cr, dash, 2, 0);
        cairo_move_to(cr, w * 0.1, h * 0.9);
        cairo_curve_to(cr, w * 0.3, h * 0.3, w * 0.55, h * 0.7, w * 0.62, h * 0.3);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
        set(cr, 0xD1495B);
        circle(cr, w * 0.62, h * 0.3, h * 0.05);
        cairo_fill(cr);
    }

    void paint_cover_art(cairo_t* cr, double w, double h)
    {
        set(cr, 0x1B1F3B);
        cairo_paint(cr);
        constexpr std::array<std::uint32_t, 5> rings { 0xFF6B6B, 0xFFD93D, 0x6BCB77, 0x4D96FF, 0xC77DFF };
        double const r = std::min(w, h);
        for (std::size_t i = 0; i < rings.size(); ++i) {
            set(cr, rings[i], 0.9);
            circle(
                cr, w * 0.38 + static_cast<double>(i) * w * 0.06, h * 0.5, r * (0.42 - 0.07 * static_cast<double>(i)));
            cairo_fill(cr);
        }
    }

    void paint_lantern_cover(cairo_t* cr, double w, double h)
    {
        vertical_gradient<3>(cr, 0, 0, w, h, { { { 0, 0x0B1D3A }, { 0.6, 0x1D3B5C }, { 1, 0x2D4F5C } } });
        set(cr, 0xFFFFFF, 0.8);
        for (int i = 0; i < 24; ++i) {
            double x = w * ((i * 37) % 100) / 100.0;
            double y = h * 0.5 * ((i * 53) % 100) / 100.0;
            circle(cr, x, y, std::max(0.8, w * 0.004 * (1 + i % 3)));
        }
        cairo_fill(cr);
        double const cx = w * 0.5, cy = h * 0.5;
        glow(cr, cx, cy, w * 0.45, 0xFFB347, 0.55);
        set(cr, 0x2B2B2B);
        cairo_set_line_width(cr, std::max(2.0, w * 0.012));
        cairo_move_to(cr, cx, cy - h * 0.16);
        cairo_line_to(cr, cx, cy - h * 0.1);
        cairo_stroke(cr);
        cairo_arc(cr, cx, cy - h * 0.17, w * 0.03, 0, 2 * std::numbers::pi);
        cairo_stroke(cr);
        set(cr, 0x3A3A3A);
        cairo_rectangle(cr, cx - w * 0.1, cy - h * 0.1, w * 0.2, h * 0.025);
        cairo_rectangle(cr, cx - w * 0.1, cy + h * 0.1, w * 0.2, h * 0.025);
        cairo_fill(cr);
        set(cr, 0xFFD27F);
        cairo_rectangle(cr, cx - w * 0.08, cy - h * 0.075, w * 0.16, h * 0.175);
        cairo_fill(cr);
        set(cr, 0xFFF4D6);
        circle(cr, cx, cy + h * 0.01, w * 0.035);
        cairo_fill(cr);
        set(cr, 0xF5E6C8);
        cairo_select_font_face(cr, "Serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        cairo_set_font_size(cr, w * 0.085);
        for (auto [line, y] :
            std::array<std::pair<char const*, double>, 2> { { { "The", 0.74 }, { "Lantern-Keeper", 0.83 } } }) {
            cairo_text_extents_t extents;
            cairo_text_extents(cr, line, &extents);
            cairo_move_to(cr, cx - extents.width / 2 - extents.x_bearing, h * y);
            cairo_show_text(cr, line);
        }
    }

}

void paint_picture(cairo_t* cr, Picture picture, double width, double height)
{
    switch (picture) {
    case Picture::Sunset:
        return paint_sunset(cr, width, height);
    case Picture::Harbour:
        return paint_harbour(cr, width, height);
    case Picture::ForestPath:
        return paint_forest_path(cr, width, height);
    case Picture::Bloom:
        return paint_bloom(cr, width, height);
    case Picture::Study:
        return paint_study(cr, width, height);
    case Picture::TrailMap:
        return paint_trail_map(cr, width, height);
    case Picture::CoverArt:
        return paint_cover_art(cr, width, height);
    case Picture::LanternCover:
        return paint_lantern_cover(cr, width, height);
    }
}

}
