#include "model/entry.h"

#include <algorithm>
#include <ctime>

namespace files::model {

namespace {

    // Days since 1970-01-01 to a civil date (proleptic Gregorian calendar).
    void civil_from_days(std::int64_t days, std::int64_t& year, unsigned& month, unsigned& day)
    {
        days += 719468;
        std::int64_t const era = (days >= 0 ? days : days - 146096) / 146097;
        auto const day_of_era = static_cast<unsigned>(days - era * 146097);
        unsigned const year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
        unsigned const day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
        unsigned const month_index = (5 * day_of_year + 2) / 153;
        day = day_of_year - (153 * month_index + 2) / 5 + 1;
        month = month_index < 10 ? month_index + 3 : month_index - 9;
        year = static_cast<std::int64_t>(year_of_era) + era * 400 + (month <= 2 ? 1 : 0);
    }

    std::int64_t floor_divide(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}

LocalDateTime::Calendar LocalDateTime::calendar() const
{
    std::int64_t const local = unix_seconds + utc_offset_seconds;
    std::int64_t const days = floor_divide(local, 86400);
    auto const seconds_of_day = static_cast<unsigned>(local - days * 86400);
    Calendar calendar {};
    civil_from_days(days, calendar.year, calendar.month, calendar.day);
    calendar.hour = seconds_of_day / 3600;
    calendar.minute = seconds_of_day / 60 % 60;
    calendar.second = seconds_of_day % 60;
    return calendar;
}

LocalDateTime to_local_date_time(std::int64_t unix_seconds, std::uint32_t nanoseconds)
{
    LocalDateTime local { unix_seconds, nanoseconds, 0 };
    auto const seconds = static_cast<std::time_t>(unix_seconds);
    std::tm broken_down {};
    if (localtime_r(&seconds, &broken_down))
        local.utc_offset_seconds = static_cast<std::int32_t>(broken_down.tm_gmtoff);
    return local;
}

EntryIdentity EntryIdentity::of(Entry const& entry)
{
    if (entry.record_id)
        return EntryIdentity(*entry.record_id);
    return EntryIdentity(entry.path);
}

bool EntryIdentity::matches(EntryIdentity const& other) const
{
    if (m_value.index() != other.m_value.index())
        return false;
    if (auto const* record = std::get_if<RecordId>(&m_value))
        return *record == std::get<RecordId>(other.m_value);
    return same_path(std::get<std::string>(m_value), std::get<std::string>(other.m_value));
}

namespace {

    // Walks the components of a path text, skipping the empty ones that repeated
    // and trailing separators produce. A leading separator is a component of its
    // own, so "/a" and "a" differ.
    class Components {
    public:
        explicit Components(std::string_view text)
            : m_rest(text)
            , m_rooted(!text.empty() && text.front() == '/')
        {
        }

        std::optional<std::string_view> next()
        {
            if (m_rooted) {
                m_rooted = false;
                return std::string_view("/");
            }
            while (!m_rest.empty() && m_rest.front() == '/')
                m_rest.remove_prefix(1);
            if (m_rest.empty())
                return std::nullopt;
            auto const end = std::min(m_rest.find('/'), m_rest.size());
            auto component = m_rest.substr(0, end);
            m_rest.remove_prefix(end);
            return component;
        }

    private:
        std::string_view m_rest;
        bool m_rooted;
    };

}

std::string EntryIdentity::key() const
{
    if (auto const* record = std::get_if<RecordId>(&m_value)) {
        std::string key(1, 'r');
        key.append(record->bytes.begin(), record->bytes.end());
        return key;
    }
    // Components are joined with NUL, which no file name contains.
    std::string key(1, 'p');
    Components components(std::get<std::string>(m_value));
    while (auto component = components.next()) {
        key.append(*component);
        key.push_back('\0');
    }
    return key;
}

bool same_path(std::string_view a, std::string_view b)
{
    Components left(a);
    Components right(b);
    while (true) {
        auto const l = left.next();
        auto const r = right.next();
        if (l != r)
            return false;
        if (!l)
            return true;
    }
}

}
