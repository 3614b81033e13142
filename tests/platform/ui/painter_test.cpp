#include "ui/offscreen_renderer.h"
#include "ui/painter.h"

#include <cstring>
#include <functional>

#include <cairo.h>
#include <gtest/gtest.h>

namespace {

// Runs `paint` on a transparent 40×40 surface and returns the image.
struct Canvas {
    ui::Image image = ui::Image::create(40, 40);
    ui::TextRenderer text;
    cairo_status_t status { CAIRO_STATUS_SUCCESS };

    void paint(std::function<void(ui::Painter&)> const& body)
    {
        cairo_surface_t* surface = cairo_image_surface_create_for_data(
            image.mutable_data(), CAIRO_FORMAT_ARGB32, image.width(), image.height(), image.stride());
        cairo_t* cr = cairo_create(surface);
        ui::Painter painter(cr, text, ui::Theme::light());
        body(painter);
        status = cairo_status(cr);
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        cairo_surface_destroy(surface);
    }
};

ui::Image halves(int width, int height)
{
    ui::Image image = ui::Image::create(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t value = x < width / 2 ? 0xFFFF0000 : 0xFF0000FF;
            std::memcpy(image.mutable_data() + y * image.stride() + x * 4, &value, 4);
        }
    }
    return image;
}

}

TEST(Painter, ClipsLimitWhatIsPaintedUntilPopped)
{
    Canvas canvas;
    canvas.paint([](ui::Painter& p) {
        p.push_clip(ui::Rect::from_xywh(0, 0, 20, 40));
        p.fill_rect({ 0, 0, 40, 20 }, ui::Color::rgb(0xFF0000));
        p.pop_clip();
        p.fill_rect({ 0, 20, 40, 40 }, ui::Color::rgb(0x00FF00));
    });
    EXPECT_EQ(canvas.status, CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(canvas.image.pixel(10, 10), ui::Color::rgb(0xFF0000));
    EXPECT_EQ(canvas.image.pixel(30, 10).a, 0);
    EXPECT_EQ(canvas.image.pixel(30, 30), ui::Color::rgb(0x00FF00));
}

TEST(Painter, LayerAlphaAppliesToEverythingInside)
{
    Canvas canvas;
    canvas.paint([](ui::Painter& p) {
        p.push_layer(0.5);
        p.fill_rect({ 0, 0, 40, 40 }, ui::Color::rgb(0x000000));
        p.fill_rect({ 0, 0, 20, 40 }, ui::Color::rgb(0x000000)); // overlap does not darken
        p.pop_layer();
    });
    EXPECT_NEAR(canvas.image.pixel(10, 10).a, 0.5, 0.01);
    EXPECT_NEAR(canvas.image.pixel(30, 10).a, 0.5, 0.01);
}

TEST(Painter, ImageCoverCropsCentredInsideRoundedCorners)
{
    Canvas canvas;
    // 40×20 drawn into 20×20: scaled by 1, the middle 20 columns show, half
    // red and half blue; the corner lies outside the rounded clip.
    ui::Image source = halves(40, 20);
    canvas.paint([&](ui::Painter& p) { p.draw_image_cover(source, ui::Rect::from_xywh(10, 10, 20, 20), 6); });
    EXPECT_EQ(canvas.image.pixel(14, 20), ui::Color::rgb(0xFF0000));
    EXPECT_EQ(canvas.image.pixel(25, 20), ui::Color::rgb(0x0000FF));
    EXPECT_EQ(canvas.image.pixel(10, 10).a, 0);
    EXPECT_EQ(canvas.image.pixel(5, 20).a, 0);
    EXPECT_EQ(canvas.status, CAIRO_STATUS_SUCCESS);
}

TEST(Painter, ShadowDarkensBelowThePanelMoreThanAbove)
{
    Canvas canvas;
    canvas.paint([](ui::Painter& p) { p.panel_shadow(ui::Rect::from_xywh(10, 10, 20, 16), 4); });
    double above = canvas.image.pixel(20, 6).a;
    double below = canvas.image.pixel(20, 30).a;
    EXPECT_GT(below, above);
    EXPECT_GT(below, 0);
    EXPECT_EQ(canvas.image.pixel(0, 0).a, 0);
}

#ifdef NDEBUG
TEST(Painter, UnbalancedPopLeavesTheContextUsable)
{
    Canvas canvas;
    canvas.paint([](ui::Painter& p) {
        p.pop_clip();
        p.pop_layer();
        p.fill_rect({ 0, 0, 40, 40 }, ui::Color::rgb(0x0000FF));
    });
    EXPECT_EQ(canvas.status, CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(canvas.image.pixel(5, 5), ui::Color::rgb(0x0000FF));
}
#else
TEST(PainterDeathTest, UnbalancedPopIsAProgrammerError)
{
    EXPECT_DEATH(Canvas().paint([](ui::Painter& p) { p.pop_clip(); }), "pop_clip without a matching push_clip");
    EXPECT_DEATH(Canvas().paint([](ui::Painter& p) { p.pop_layer(); }), "pop_layer without a matching push_layer");
}
#endif
