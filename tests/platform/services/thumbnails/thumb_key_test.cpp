#include "services/thumbnails/thumb_key.h"

#include <array>

#include <gtest/gtest.h>

namespace {

using services::category_for_path;
using services::ThumbKey;

TEST(ThumbKey, PathMetaKeysChangeWithEveryInputAndAreFileNameSafe)
{
    ThumbKey base = ThumbKey::of_path_meta("/home/a/photo.jpg", 1000, 1700000000, 5);
    EXPECT_EQ(base, ThumbKey::of_path_meta("/home/a/photo.jpg", 1000, 1700000000, 5));
    EXPECT_NE(base, ThumbKey::of_path_meta("/home/a/photo2.jpg", 1000, 1700000000, 5));
    EXPECT_NE(base, ThumbKey::of_path_meta("/home/a/photo.jpg", 1001, 1700000000, 5));
    EXPECT_NE(base, ThumbKey::of_path_meta("/home/a/photo.jpg", 1000, 1700000001, 5));
    EXPECT_NE(base, ThumbKey::of_path_meta("/home/a/photo.jpg", 1000, 1700000000, 6));
    // An unknown time is not the same as the epoch.
    EXPECT_NE(ThumbKey::of_path_meta("/x", 1, std::nullopt), ThumbKey::of_path_meta("/x", 1, 0));
    ASSERT_EQ(base.text().size(), 66u);
    EXPECT_EQ(base.text().substr(0, 2), "p-");
    EXPECT_EQ(base.text().find_first_not_of("p-0123456789abcdef"), std::string::npos);
}

TEST(ThumbKey, ContentHashKeyIsTheDigestInHex)
{
    std::array<std::uint8_t, 32> digest {};
    digest[0] = 0xAB;
    digest[31] = 0x01;
    EXPECT_EQ(ThumbKey::of_content_hash(digest).text(), "c-ab" + std::string(60, '0') + "01");
}

TEST(Category, ByExtensionIgnoringCaseAndHiddenNames)
{
    struct Case {
        char const* path;
        std::uint8_t category;
    };
    Case const cases[] = {
        { "/p/holiday.JPEG", services::image_category },
        { "/p/report.pdf", 11 },
        { "/p/sheet.ods", 0 },
        { "/p/book.epub", 8 },
        { "/p/archive.tar.gz", 9 },
        { "/p/README", services::category_other },
        { "/p/.bashrc", services::category_other },
        { "/p/trailing.", services::category_other },
        { "/p.d/noext", services::category_other },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(category_for_path(c.path), c.category);
    }
}

}
