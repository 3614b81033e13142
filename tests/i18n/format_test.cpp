// Sizes, times and record ids in the locale's conventions.

#include "i18n/format.h"

#include <cstdlib>
#include <ctime>
#include <limits>

#include <gtest/gtest.h>

namespace files::i18n {
namespace {

    LanguageId locale(char const* tag) { return *parse_language_id(tag); }

    TEST(FormatSize, UnitsRoundingAndSeparators)
    {
        struct Case {
            char const* locale;
            std::uint64_t bytes;
            char const* text;
        };
        Case const cases[] = {
            { "en-US", 0, "0\u00A0B" },
            { "en-US", 999, "999\u00A0B" },
            { "en-US", 1000, "1\u00A0kB" },
            { "en-US", 1049, "1\u00A0kB" },
            { "en-US", 1050, "1.1\u00A0kB" },
            { "en-US", 999949, "999.9\u00A0kB" },
            { "en-US", 999950, "1,000\u00A0kB" },
            { "en-US", 1500000, "1.5\u00A0MB" },
            { "en-US", 1000000000000000000ULL, "1\u00A0EB" },
            { "en-US", std::numeric_limits<std::uint64_t>::max(), "18.4\u00A0EB" },
            { "qps", 1500000, "1.5\u00A0MB" },
            { "de-DE", 1500000, "1,5\u00A0MB" },
            { "de-DE", 999950, "1.000\u00A0kB" },
            { "de-AT", 999950, "1\u00A0000\u00A0kB" },
            { "de-AT", 1500000, "1,5\u00A0MB" },
        };
        for (auto const& test : cases) {
            SCOPED_TRACE(std::string(test.locale) + " " + std::to_string(test.bytes));
            EXPECT_EQ(format_size_in(locale(test.locale), test.bytes), test.text);
        }
    }

    class TimeZone : public testing::Test {
    protected:
        void SetUp() override
        {
            char const* previous = std::getenv("TZ");
            m_previous = previous ? std::optional<std::string>(previous) : std::nullopt;
            setenv("TZ", "Europe/Berlin", 1);
            tzset();
        }
        void TearDown() override
        {
            if (m_previous)
                setenv("TZ", m_previous->c_str(), 1);
            else
                unsetenv("TZ");
            tzset();
        }

    private:
        std::optional<std::string> m_previous;
    };

    std::chrono::local_seconds local(int year, unsigned month, unsigned day, int hour, int minute, int second = 0)
    {
        auto const date = std::chrono::local_days(std::chrono::year(year) / std::chrono::month(month) / day);
        return date + std::chrono::hours(hour) + std::chrono::minutes(minute) + std::chrono::seconds(second);
    }

    TEST_F(TimeZone, LocalTimesShowDateHourAndMinuteInTheLocaleStyle)
    {
        auto const time = local(2024, 3, 9, 14, 5, 59);
        EXPECT_EQ(format_local_time_in(locale("en-US"), time), "Mar 9, 2024, 2:05\u202FPM");
        EXPECT_EQ(format_local_time_in(locale("qps"), time), "Mar 9, 2024, 2:05\u202FPM");
        EXPECT_EQ(format_local_time_in(locale("de-DE"), time), "9. März 2024, 14:05");
        EXPECT_EQ(format_local_time_in(locale("de-AT"), time), "9. März 2024, 14:05");
        // Far outside any calendar the formatter handles: the fixed pattern.
        auto const far = std::chrono::local_seconds(std::chrono::seconds(std::int64_t { 157766400000000 }));
        EXPECT_EQ(format_local_time_in(locale("en-US"), far), "5001388-03-12 00:00");
    }

    TEST_F(TimeZone, EpochMillisecondsUseTheZoneOffsetAtThatInstant)
    {
        auto const en = locale("en-US");
        // 2024-01-15 12:00 UTC is 13:00 in winter; 2024-07-15 12:00 UTC is 14:00.
        EXPECT_EQ(format_epoch_ms_in(en, 1705320000000ULL), "Jan 15, 2024, 1:00\u202FPM");
        EXPECT_EQ(format_epoch_ms_in(en, 1721044800000ULL), "Jul 15, 2024, 2:00\u202FPM");
        EXPECT_EQ(format_epoch_ms_in(locale("de-DE"), 0), "1. Jan. 1970, 01:00");
        EXPECT_EQ(format_epoch_ms_in(en, 185480451504000000ULL), "unknown time");
        EXPECT_EQ(format_epoch_ms_in(en, std::numeric_limits<std::uint64_t>::max()), "unknown time");
        EXPECT_EQ(format_epoch_ms_in(locale("de-DE"), 185480451504000000ULL), "unbekannte Zeit");
        EXPECT_NE(format_epoch_ms_in(en, 185480451503999999ULL), "unknown time");
    }

    TEST(FormatRecordId, LowerCaseHexWithoutHyphens)
    {
        std::array<std::uint8_t, 16> const uuid { 0x12, 0x3e, 0x45, 0x67, 0xE8, 0x9B, 0x12, 0xd3, 0xa4, 0x56, 0x42,
            0x66, 0x14, 0x17, 0x40, 0x00 };
        EXPECT_EQ(format_record_id(uuid), "123e4567e89b12d3a456426614174000");
    }

}
}
