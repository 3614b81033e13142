#include "i18n/format.h"

#include "base/hex.h"
#include "i18n/translate.h"

#include <array>
#include <ctime>
#include <memory>

#include <unicode/dtptngen.h>
#include <unicode/numberformatter.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

namespace files::i18n {

namespace {

    constexpr std::array<char const*, 7> units { "B", "kB", "MB", "GB", "TB", "PB", "EB" };
    constexpr std::uint64_t unknown_time_threshold = 185480451504000000ULL;
    // Beyond about 275 000 years either way the locale's calendar formatter is
    // not relied on; the fixed pattern takes over.
    constexpr double calendar_limit_ms = 8.64e15;

    LanguageId formatting_locale(LanguageId const& locale) { return locale.language == "qps" ? en_us() : locale; }

    // ICU formatters for one locale, built once per thread because making them
    // costs far more than using them.
    struct Formatters {
        std::string tag;
        std::optional<icu::number::LocalizedNumberFormatter> whole;
        std::optional<icu::number::LocalizedNumberFormatter> tenths;
        std::unique_ptr<icu::DateFormat> date_time;
    };

    Formatters build_formatters(std::string tag)
    {
        Formatters formatters;
        formatters.tag = std::move(tag);
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale const locale = icu::Locale::forLanguageTag(formatters.tag, status);
        if (U_FAILURE(status))
            return formatters;
        auto const base = icu::number::NumberFormatter::withLocale(locale);
        formatters.whole = base.precision(icu::number::Precision::integer());
        formatters.tenths = base.precision(icu::number::Precision::fixedFraction(1));
        std::unique_ptr<icu::DateTimePatternGenerator> generator(
            icu::DateTimePatternGenerator::createInstance(locale, status));
        if (U_FAILURE(status))
            return formatters;
        icu::UnicodeString const pattern = generator->getBestPattern(icu::UnicodeString(u"yMMMdjmm"), status);
        if (U_FAILURE(status))
            return formatters;
        auto date_time = std::make_unique<icu::SimpleDateFormat>(pattern, locale, status);
        if (U_FAILURE(status))
            return formatters;
        // The value given is already local time, so it is formatted as if in UTC.
        date_time->setTimeZone(*icu::TimeZone::getGMT());
        formatters.date_time = std::move(date_time);
        return formatters;
    }

    Formatters const& formatters_for(LanguageId const& locale)
    {
        thread_local std::unique_ptr<Formatters> cached;
        std::string tag = formatting_locale(locale).to_string();
        if (!cached || cached->tag != tag)
            cached = std::make_unique<Formatters>(build_formatters(std::move(tag)));
        return *cached;
    }

    std::string plain_tenths(std::uint64_t tenths)
    {
        std::string text = std::to_string(tenths / 10);
        if (tenths % 10 != 0)
            text += "." + std::to_string(tenths % 10);
        return text;
    }

    std::string size_number(LanguageId const& locale, std::uint64_t tenths)
    {
        auto const& formatters = formatters_for(locale);
        bool const whole = tenths % 10 == 0;
        auto const& formatter = whole ? formatters.whole : formatters.tenths;
        if (!formatter)
            return plain_tenths(tenths);
        UErrorCode status = U_ZERO_ERROR;
        double const value = whole ? static_cast<double>(tenths / 10) : static_cast<double>(tenths) / 10.0;
        icu::UnicodeString const text = formatter->formatDouble(value, status).toString(status);
        if (U_FAILURE(status))
            return plain_tenths(tenths);
        std::string out;
        text.toUTF8String(out);
        return out;
    }

    // Days since 1970-01-01 to a proleptic Gregorian date, for any 64-bit day.
    struct CivilDate {
        std::int64_t year;
        unsigned month;
        unsigned day;
    };

    CivilDate civil_from_days(std::int64_t days)
    {
        days += 719468;
        std::int64_t const era = (days >= 0 ? days : days - 146096) / 146097;
        auto const day_of_era = static_cast<std::uint64_t>(days - era * 146097);
        std::uint64_t const year_of_era
            = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
        std::uint64_t const day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
        std::uint64_t const month_index = (5 * day_of_year + 2) / 153;
        auto const day = static_cast<unsigned>(day_of_year - (153 * month_index + 2) / 5 + 1);
        auto const month = static_cast<unsigned>(month_index < 10 ? month_index + 3 : month_index - 9);
        std::int64_t const year = static_cast<std::int64_t>(year_of_era) + era * 400 + (month <= 2 ? 1 : 0);
        return { year, month, day };
    }

    std::int64_t days_from_civil(std::int64_t year, unsigned month, unsigned day)
    {
        year -= month <= 2 ? 1 : 0;
        std::int64_t const era = (year >= 0 ? year : year - 399) / 400;
        auto const year_of_era = static_cast<std::uint64_t>(year - era * 400);
        std::uint64_t const shifted_month = month > 2 ? month - 3 : month + 9;
        std::uint64_t const day_of_year = (153 * shifted_month + 2) / 5 + day - 1;
        std::uint64_t const day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
        return era * 146097 + static_cast<std::int64_t>(day_of_era) - 719468;
    }

    std::string two_digits(std::int64_t value)
    {
        return value < 10 ? "0" + std::to_string(value) : std::to_string(value);
    }

    std::string fixed_pattern(std::chrono::local_seconds time)
    {
        std::int64_t const seconds = time.time_since_epoch().count();
        std::int64_t const days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
        std::int64_t const of_day = seconds - days * 86400;
        CivilDate const date = civil_from_days(days);
        std::string year = std::to_string(date.year < 0 ? -date.year : date.year);
        if (year.size() < 4)
            year.insert(0, 4 - year.size(), '0');
        return (date.year < 0 ? "-" : "") + year + "-" + two_digits(date.month) + "-" + two_digits(date.day) + " "
            + two_digits(of_day / 3600) + ":" + two_digits(of_day / 60 % 60);
    }

}

std::string format_size(std::uint64_t bytes) { return format_size_in(current_locale(), bytes); }

std::string format_size_in(LanguageId const& locale, std::uint64_t bytes)
{
    std::size_t unit = 0;
    std::uint64_t scale = 1;
    while (unit + 1 < units.size() && bytes / 1000 >= scale) {
        scale *= 1000;
        ++unit;
    }
    std::uint64_t tenths = bytes * 10;
    if (unit > 0) {
        __extension__ using Wide = unsigned __int128;
        tenths = static_cast<std::uint64_t>((static_cast<Wide>(bytes) * 10 + scale / 2) / scale);
    }
    return size_number(locale, tenths) + "\u00A0" + units[unit];
}

std::string format_local_time(std::chrono::local_seconds time) { return format_local_time_in(current_locale(), time); }

std::string format_local_time_in(LanguageId const& locale, std::chrono::local_seconds time)
{
    double const milliseconds = static_cast<double>(time.time_since_epoch().count()) * 1000.0;
    auto const& formatters = formatters_for(locale);
    if (!formatters.date_time || milliseconds > calendar_limit_ms || milliseconds < -calendar_limit_ms)
        return fixed_pattern(time);
    icu::UnicodeString text;
    formatters.date_time->format(milliseconds, text);
    std::string out;
    text.toUTF8String(out);
    return out;
}

std::string format_epoch_ms(std::uint64_t milliseconds) { return format_epoch_ms_in(current_locale(), milliseconds); }

std::string format_epoch_ms_in(LanguageId const& locale, std::uint64_t milliseconds)
{
    if (milliseconds >= unknown_time_threshold)
        return translate_in(locale, "files-time-unknown", {});
    auto const seconds = static_cast<std::time_t>(milliseconds / 1000);
    std::tm local {};
    tzset();
    if (!localtime_r(&seconds, &local))
        return translate_in(locale, "files-time-unknown", {});
    std::int64_t const days = days_from_civil(static_cast<std::int64_t>(local.tm_year) + 1900,
        static_cast<unsigned>(local.tm_mon + 1), static_cast<unsigned>(local.tm_mday));
    std::int64_t const local_seconds = days * 86400 + local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
    return format_local_time_in(locale, std::chrono::local_seconds(std::chrono::seconds(local_seconds)));
}

std::string format_record_id(std::span<std::uint8_t const, 16> uuid) { return base::hex_text(uuid); }

}
