#include "ui/image.h"

#include <cstring>

#include <gtest/gtest.h>

namespace {

void put(ui::Image& image, int x, int y, std::uint32_t argb)
{
    std::memcpy(image.mutable_data() + y * image.stride() + x * 4, &argb, 4);
}

std::uint32_t get(ui::Image const& image, int x, int y)
{
    std::uint32_t value;
    std::memcpy(&value, image.data() + y * image.stride() + x * 4, 4);
    return value;
}

}

TEST(Image, PngRoundTripKeepsEveryPixel)
{
    ui::Image image = ui::Image::create(3, 2);
    ASSERT_FALSE(image.is_null());
    // Opaque colours and full transparency survive premultiplication exactly.
    std::uint32_t const pixels[2][3] = {
        { 0xFFFF0000, 0xFF00FF00, 0xFF0000FF },
        { 0xFF123456, 0x00000000, 0xFFFFFFFF },
    };
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            put(image, x, y, pixels[y][x]);

    auto png = ui::encode_png(image);
    ASSERT_TRUE(png) << png.error().text();
    ASSERT_GE(png->size(), 8u);
    EXPECT_EQ(std::memcmp(png->data(), "\x89PNG\r\n\x1a\n", 8), 0);

    auto decoded = ui::decode_png(*png);
    ASSERT_TRUE(decoded) << decoded.error().text();
    ASSERT_EQ(decoded->width(), 3);
    ASSERT_EQ(decoded->height(), 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
            EXPECT_EQ(get(*decoded, x, y), pixels[y][x]);
        }
    }
    ui::Color c = decoded->pixel(0, 1);
    EXPECT_DOUBLE_EQ(c.r, 0x12 / 255.0);
    EXPECT_DOUBLE_EQ(c.g, 0x34 / 255.0);
    EXPECT_DOUBLE_EQ(c.b, 0x56 / 255.0);
    EXPECT_DOUBLE_EQ(c.a, 1.0);
}

TEST(Image, PixelUnpremultipliesAndIsSafeOutside)
{
    ui::Image image = ui::Image::create(2, 1);
    put(image, 0, 0, 0x80400000); // half-transparent, premultiplied red 0x40
    ui::Color c = image.pixel(0, 0);
    EXPECT_NEAR(c.r, 0x40 / static_cast<double>(0x80), 1e-9);
    EXPECT_NEAR(c.a, 0x80 / 255.0, 1e-9);
    EXPECT_EQ(image.pixel(5, 0), (ui::Color { 0, 0, 0, 0 }));
    EXPECT_EQ(image.pixel(-1, 0), (ui::Color { 0, 0, 0, 0 }));
}

TEST(Image, RejectsBadInput)
{
    EXPECT_TRUE(ui::Image::create(0, 10).is_null());
    EXPECT_TRUE(ui::Image::create(10, -1).is_null());
    // A buffer shorter than stride × height is not wrapped.
    EXPECT_TRUE(ui::Image::from_argb32(4, 4, 16, std::vector<std::uint8_t>(63)).is_null());

    auto empty = ui::encode_png(ui::Image {});
    ASSERT_FALSE(empty);
    EXPECT_EQ(empty.error().text(), "cannot encode an empty image as PNG");

    auto garbage = ui::decode_png(std::vector<std::uint8_t> { 'n', 'o', 't', ' ', 'p', 'n', 'g' });
    ASSERT_FALSE(garbage);
    EXPECT_EQ(garbage.error().text(), "cannot decode PNG: error while reading from input stream");

    auto png = ui::encode_png(ui::Image::create(8, 8));
    ASSERT_TRUE(png);
    png->resize(png->size() / 2);
    auto truncated = ui::decode_png(*png);
    ASSERT_FALSE(truncated);
    EXPECT_EQ(truncated.error().text(), "cannot decode PNG: error while reading from input stream");
}
