#pragma once

// Sizes, times and record ids as the explorer writes them. Sizes and times
// follow the number and date conventions of the formatting locale: the
// process locale, except that the pseudo-locale formats like en-US.

#include "i18n/locale.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

namespace files::i18n {

// Decimal SI units, one fraction digit at most, rounded half up and never
// promoted to the next unit after rounding: 1050 gives "1.1 kB", 999950
// gives "1,000 kB" (en-US). A no-break space separates number and unit.
std::string format_size(std::uint64_t bytes);
std::string format_size_in(LanguageId const& locale, std::uint64_t bytes);

// A local date and time with year, month, day, hour and minute, no seconds,
// in the locale's style; "2024-03-09 14:05" where the locale's formatter
// cannot represent the time.
std::string format_local_time(std::chrono::local_seconds time);
std::string format_local_time_in(LanguageId const& locale, std::chrono::local_seconds time);

// An instant in milliseconds since the Unix epoch, converted to local time
// under the current TZ; the text of files-time-unknown when the value is
// 185480451504000000 or more or gives no calendar date.
std::string format_epoch_ms(std::uint64_t milliseconds);
std::string format_epoch_ms_in(LanguageId const& locale, std::uint64_t milliseconds);

// The 32 lower-case hexadecimal digits of a UUID, without hyphens.
std::string format_record_id(std::span<std::uint8_t const, 16> uuid);

}
