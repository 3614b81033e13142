// Time per frame for a screen of list rows (icon, name, size, date) drawn
// through the painter and its text cache, against a baseline in the same
// run: the same rectangle fills plus one cairo_show_text per row, with no
// shaping or caching at all. Also shows the painter with a cold cache.
//
//   bench/frame [frames] [--png path]

#include "ui/image.h"
#include "ui/painter.h"
#include "ui/text_renderer.h"
#include "ui/theme.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <cairo.h>

namespace {

constexpr int width = 1280;
constexpr int height = 800;
constexpr int row_count = 40;
constexpr double row_height = 20;

struct Row {
    std::string name;
    std::string size;
    std::string modified;
    ui::Icon icon;
};

std::vector<Row> make_rows()
{
    static char const* const stems[] = { "Quarterly report final version", "holiday-photo", "Project notes",
        "backup of the old laptop home folder", "song", "main", "presentation draft with comments", "invoice" };
    static char const* const extensions[] = { ".pdf", ".jpg", ".txt", ".tar.gz", ".flac", ".cpp", ".odp", "" };
    std::vector<Row> rows;
    for (int i = 0; i < row_count; ++i) {
        std::string name = std::string(stems[i % 8]) + " " + std::to_string(i + 1) + extensions[i % 8];
        bool folder = i % 8 == 7;
        rows.push_back({ name, folder ? "—" : std::to_string((i * 7919) % 900 + 1) + " kB",
            "11 Dec 2026, " + std::to_string(9 + i % 12) + ":" + std::to_string(10 + i % 50),
            ui::icon_for_path(name, folder ? ui::PathKind::Folder : ui::PathKind::File) });
    }
    return rows;
}

void paint_rows(ui::Painter& painter, std::vector<Row> const& rows)
{
    ui::Theme const& theme = painter.theme();
    painter.fill_rect({ 0, 0, width, height }, theme.surface);
    ui::TextStyle name_style { { 13, ui::FontWeight::Regular, false }, theme.primary, ui::TextAlign::Start,
        ui::Ellipsize::Middle };
    ui::TextStyle detail_style { { 12, ui::FontWeight::Regular, false }, theme.muted, ui::TextAlign::End,
        ui::Ellipsize::End };
    for (int i = 0; i < row_count; ++i) {
        Row const& row = rows[static_cast<std::size_t>(i)];
        ui::Rect rect = ui::Rect::from_xywh(8, i * row_height, width - 16, row_height);
        if (i % 5 == 2)
            painter.fill_rounded_rect(rect, 5, theme.selection);
        bool folder = row.icon == ui::Icon::Folder;
        painter.draw_icon(row.icon, ui::Rect::from_xywh(rect.left + 8, rect.top + 2, 16, 16),
            folder ? theme.folder_icon : theme.file_icon);
        painter.draw_text(row.name, { rect.left + 32, rect.top, rect.left + 700, rect.bottom }, name_style);
        painter.draw_text(row.size, { rect.left + 720, rect.top, rect.left + 860, rect.bottom }, detail_style);
        painter.draw_text(row.modified, { rect.left + 900, rect.top, rect.right - 12, rect.bottom }, detail_style);
    }
}

void paint_baseline(cairo_t* cr, std::vector<Row> const& rows)
{
    ui::Theme const& theme = ui::Theme::light();
    cairo_set_source_rgb(cr, theme.surface.r, theme.surface.g, theme.surface.b);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_fill(cr);
    cairo_select_font_face(cr, "Inter", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 13);
    for (int i = 0; i < row_count; ++i) {
        double top = i * row_height;
        cairo_set_source_rgb(cr, theme.selection.r, theme.selection.g, theme.selection.b);
        cairo_rectangle(cr, 8, top, width - 16, row_height);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, theme.primary.r, theme.primary.g, theme.primary.b);
        cairo_move_to(cr, 40, top + 14);
        cairo_show_text(cr, rows[static_cast<std::size_t>(i)].name.c_str());
    }
}

double ms_per_frame(int frames, std::function<void()> const& frame)
{
    frame(); // warm-up: fonts loaded, caches filled
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i)
        frame();
    std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / frames;
}

}

int main(int argc, char** argv)
{
    int frames = 200;
    char const* png_path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc)
            png_path = argv[++i];
        else
            frames = std::max(1, std::atoi(argv[i]));
    }

    std::vector<Row> rows = make_rows();
    ui::Image image = ui::Image::create(width, height);
    cairo_surface_t* surface
        = cairo_image_surface_create_for_data(image.mutable_data(), CAIRO_FORMAT_ARGB32, width, height, image.stride());
    cairo_t* cr = cairo_create(surface);

    ui::TextRenderer text;
    ui::Painter painter(cr, text, ui::Theme::light());
    double cached = ms_per_frame(frames, [&] { paint_rows(painter, rows); });
    std::size_t layouts = text.layouts_created();
    double cold = ms_per_frame(std::max(1, frames / 10), [&] {
        ui::TextRenderer fresh;
        ui::Painter uncached(cr, fresh, ui::Theme::light());
        paint_rows(uncached, rows);
    });
    double baseline = ms_per_frame(frames, [&] { paint_baseline(cr, rows); });

    std::printf("frame: %d rows of icon + 3 texts at %dx%d, %d frames\n", row_count, width, height, frames);
    std::printf("  painter, cached layouts:     %8.3f ms/frame (%zu layouts shaped in all)\n", cached, layouts);
    std::printf("  painter, cold cache:         %8.3f ms/frame\n", cold);
    std::printf("  baseline, fills + show_text: %8.3f ms/frame\n", baseline);
    std::printf("  ratio painter / baseline:    %8.2f\n", cached / baseline);
    std::printf("  ratio cold / cached:         %8.2f\n", cold / cached);

    if (png_path) {
        paint_rows(painter, rows);
        cairo_surface_flush(surface);
        auto png = ui::encode_png(image);
        if (png)
            std::ofstream(png_path, std::ios::binary)
                .write(reinterpret_cast<char const*>(png->data()), static_cast<std::streamsize>(png->size()));
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return 0;
}
