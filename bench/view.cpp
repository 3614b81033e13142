// Cost of one 1280 x 800 frame (layout and drawing) of the file view inside
// its scroll container, for a folder of 100,000 entries scrolled to the
// middle, against the same view over 50 entries in the same run. Only the
// visible rows should count, so the ratio should stay near 1. Each frame
// moves the pointer to a new row so hover and text caches see real work.
//
// Then scrolls a grid of real images through the thumbnail service.
//
//   bench/view [frames] [images]

#include "model/entry.h"
#include "ui/painter.h"
#include "ui/scrollable.h"
#include "ui/selection_model.h"
#include "ui/text_renderer.h"
#include "ui/theme.h"
#include "views/file_view.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <cairo.h>
#include <unistd.h>

namespace {

using files::views::FileView;
using files::views::ViewMode;

constexpr int width = 1280;
constexpr int height = 800;

std::vector<files::model::Entry> make_entries(std::size_t count)
{
    static char const* const stems[] = { "Quarterly report final version", "holiday-photo", "Project notes",
        "backup of the old laptop home folder", "song", "main", "presentation draft with comments", "invoice" };
    static char const* const extensions[] = { ".pdf", ".jpg", ".txt", ".tar.gz", ".flac", ".cpp", ".odp", "" };
    std::vector<files::model::Entry> entries(count);
    for (std::size_t i = 0; i < count; ++i) {
        auto& entry = entries[i];
        entry.name = std::string(stems[i % 8]) + " " + std::to_string(i + 1) + extensions[i % 8];
        entry.path = "/home/user/big/" + entry.name;
        entry.is_dir = i % 8 == 7;
        entry.size = (i * 7919) % 9'000'000 + 1;
        entry.modified = files::model::LocalDateTime { 1'700'000'000 + static_cast<std::int64_t>(i) * 37, 0, 0 };
    }
    return entries;
}

struct Scene {
    std::vector<files::model::Entry> entries;
    ui::SelectionModel selection;
    std::shared_ptr<ui::ScrollOffset> offset = std::make_shared<ui::ScrollOffset>();
    FileView* view { nullptr };
    std::unique_ptr<ui::Scrollable> root;

    Scene(std::size_t count, ViewMode mode)
        : entries(make_entries(count))
    {
        auto child = std::make_unique<FileView>(selection);
        view = child.get();
        view->set_entries(entries);
        view->set_view_mode(mode);
        view->set_focus(true);
        root = std::make_unique<ui::Scrollable>(std::move(child));
        root->with_persisted_offset(offset);
    }
};

// Milliseconds per frame over `frames` frames after a warm-up frame.
double time_frames(Scene& scene, int frames, ui::TextRenderer& text)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    ui::Painter painter(cr, text, ui::Theme::light());
    ui::LayoutContext layout { text, {} };
    ui::Rect bounds { 0, 0, width, height };

    auto frame = [&](int i) {
        scene.root->build_layout(bounds, layout);
        // Halfway down the content, wherever that is for this folder.
        scene.offset->y = scene.root->max_offset() / 2;
        scene.root->apply_layout(bounds);
        double row_y = 60 + (i % 20) * 34;
        scene.root->handle_event(ui::PointerMoved { { 400, row_y }, {} });
        scene.view->take_messages();
        scene.root->draw(painter);
    };
    frame(0);
    auto start = std::chrono::steady_clock::now();
    for (int i = 1; i <= frames; ++i)
        frame(i);
    auto spent = std::chrono::steady_clock::now() - start;
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return std::chrono::duration<double, std::milli>(spent).count() / frames;
}

void compare(ViewMode mode, char const* name, int frames, ui::TextRenderer& text)
{
    Scene small(50, mode);
    Scene large(100'000, mode);
    // Interleave the two so drift of the machine affects both alike.
    double small_ms = 0;
    double large_ms = 0;
    for (int round = 0; round < 3; ++round) {
        small_ms += time_frames(small, frames, text);
        large_ms += time_frames(large, frames, text);
    }
    small_ms /= 3;
    large_ms /= 3;
    std::printf("%-5s  50 entries: %7.3f ms/frame   100,000 entries (middle): %7.3f ms/frame   ratio %.2fx\n", name,
        small_ms, large_ms, large_ms / small_ms);
}

// Scrolls a grid of real images from top to bottom, one row a frame, and
// reports how often each thumbnail was queued and the most memory the
// decoded thumbnails held.
void scroll_images(std::size_t count, ui::TextRenderer& text)
{
    std::filesystem::path folder
        = std::filesystem::temp_directory_path() / ("bench-view-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "images");
    Scene scene(0, ViewMode::Grid);
    scene.entries.clear();
    cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 320, 240);
    for (std::size_t i = 0; i < count; ++i) {
        cairo_t* cr = cairo_create(picture);
        cairo_set_source_rgb(cr, (i % 7) / 7.0, (i % 11) / 11.0, (i % 13) / 13.0);
        cairo_paint(cr);
        cairo_destroy(cr);
        files::model::Entry entry;
        entry.name = "photo-" + std::to_string(i) + ".png";
        entry.path = (folder / "images" / entry.name).string();
        cairo_surface_write_to_png(picture, entry.path.c_str());
        entry.size = std::filesystem::file_size(entry.path);
        scene.entries.push_back(std::move(entry));
    }
    cairo_surface_destroy(picture);
    auto thumbnails = services::ThumbnailService::create(folder / "cache");
    scene.view->set_entries(scene.entries);
    scene.view->set_thumbnails(thumbnails);

    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    ui::Painter painter(cr, text, ui::Theme::light());
    ui::LayoutContext layout { text, {} };
    ui::Rect bounds { 0, 0, width, height };
    std::size_t peak = 0;
    auto start = std::chrono::steady_clock::now();
    for (double y = 0;; y += scene.view->grid().height + scene.view->grid().gap) {
        scene.root->build_layout(bounds, layout);
        scene.offset->y = std::min(y, scene.root->max_offset());
        scene.root->apply_layout(bounds);
        scene.root->draw(painter);
        peak = std::max(peak, thumbnails->memory_bytes());
        if (y >= scene.root->max_offset())
            break;
    }
    auto scrolled = std::chrono::steady_clock::now() - start;
    // As in the window, every finished thumbnail wakes the loop and the
    // next frame is drawn, until nothing is pending.
    while (thumbnails->pending() > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(4));
        scene.root->draw(painter);
        peak = std::max(peak, thumbnails->memory_bytes());
    }
    // The last screen is in memory now: a frame full of ready thumbnails.
    constexpr int ready_frames = 20;
    auto ready_start = std::chrono::steady_clock::now();
    for (int i = 0; i < ready_frames; ++i) {
        scene.root->build_layout(bounds, layout);
        scene.root->apply_layout(bounds);
        scene.root->draw(painter);
    }
    double ready_ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - ready_start).count()
        / ready_frames;
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    std::printf("grid   a screen of ready thumbnails: %7.3f ms/frame\n", ready_ms);
    std::printf("thumbnails  %zu images scrolled in %.0f ms: %zu jobs queued (%.2f per image), peak %.1f MiB of "
                "%.0f MiB budget\n",
        count, std::chrono::duration<double, std::milli>(scrolled).count(), thumbnails->jobs_queued(),
        static_cast<double>(thumbnails->jobs_queued()) / static_cast<double>(count),
        static_cast<double>(peak) / (1 << 20),
        static_cast<double>(services::ThumbnailOptions {}.memory_budget_bytes) / (1 << 20));
    thumbnails.reset();
    std::filesystem::remove_all(folder);
}

}

int main(int argc, char** argv)
{
    int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    std::size_t images = argc > 2 ? static_cast<std::size_t>(std::max(1, std::atoi(argv[2]))) : 10'000;
    ui::TextRenderer text;
    compare(ViewMode::List, "list", frames, text);
    compare(ViewMode::Grid, "grid", frames, text);
    scroll_images(images, text);
    return 0;
}
