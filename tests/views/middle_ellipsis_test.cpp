#include "views/middle_ellipsis.h"

#include <gtest/gtest.h>

namespace {

using files::views::middle_ellipsis;

// Every character, the ellipsis included, is one unit wide.
double count_characters(std::string_view text)
{
    double count = 0;
    for (unsigned char c : text)
        count += (c & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

TEST(MiddleEllipsis, KeepsTwoThirdsFromTheEnd)
{
    struct Case {
        char const* text;
        double width;
        char const* want;
    };
    Case const cases[] = {
        { "holiday-photo-2024.jpeg", 10, "hol…4.jpeg" }, // 9 kept: first 3, last 6
        { "holiday-photo-2024.jpeg", 23, "holiday-photo-2024.jpeg" },
        { "holiday-photo-2024.jpeg", 22, "holiday…hoto-2024.jpeg" }, // 21 kept: 7 + 14
        { "holiday-photo-2024.jpeg", 2, "…g" }, // 1 kept: the last one
        { "holiday-photo-2024.jpeg", 1, "…" }, { "holiday-photo-2024.jpeg", 0.5, "…" },
        { "holiday-photo-2024.jpeg", 0, "" }, { "holiday-photo-2024.jpeg", -3, "" }, { "", 5, "" },
        { "Ürlaubsfotos-ß.png", 8, "Ür…ß.png" }, // characters, not bytes
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " in " << c.width);
        EXPECT_EQ(middle_ellipsis(c.text, c.width, count_characters), c.want);
    }
}

TEST(MiddleEllipsis, ProportionalWidthsGiveTheLongestFittingCandidate)
{
    // Wide capitals and narrow lower case: the search must not stop at the
    // first candidate that fits but find the longest.
    auto measure = [](std::string_view text) {
        double width = 0;
        for (char c : text)
            width += (c >= 'A' && c <= 'Z') ? 3 : 1;
        return width;
    };
    std::string const text = "WWWWWWWWaaaaaaaa.txt";
    // The ellipsis measures 3 here (three bytes); the whole text 36.
    for (double width = 3; width < measure(text); width += 1) {
        SCOPED_TRACE(width);
        std::string got = middle_ellipsis(text, width, measure);
        EXPECT_LE(measure(got), width);
        // Linear reference: the first k from the top that fits.
        std::string want;
        for (std::size_t k = text.size() - 1; want.empty(); --k) {
            if (measure(files::views::middle_ellipsis_candidate(text, k)) <= width)
                want = files::views::middle_ellipsis_candidate(text, k);
        }
        EXPECT_EQ(got, want);
    }
}

}
