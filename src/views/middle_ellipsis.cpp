#include "views/middle_ellipsis.h"

#include <optional>
#include <vector>

namespace files::views {

namespace {

    constexpr std::string_view ellipsis = "\xE2\x80\xA6";

    // Byte offsets of each scalar value's start, plus the end. Continuation
    // bytes never start a character, so malformed input still splits on
    // byte boundaries that keep every well-formed sequence whole.
    std::vector<std::size_t> boundaries(std::string_view text)
    {
        std::vector<std::size_t> starts;
        starts.reserve(text.size() + 1);
        for (std::size_t i = 0; i < text.size(); ++i) {
            if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
                starts.push_back(i);
        }
        starts.push_back(text.size());
        return starts;
    }

    std::string candidate(std::string_view text, std::vector<std::size_t> const& starts, std::size_t kept)
    {
        std::size_t count = starts.size() - 1;
        std::size_t tail = (2 * kept + 2) / 3;
        std::size_t head = kept - tail;
        std::string result(text.substr(0, starts[head]));
        result += ellipsis;
        result += text.substr(starts[count - tail]);
        return result;
    }

}

std::string middle_ellipsis_candidate(std::string_view text, std::size_t kept)
{
    auto starts = boundaries(text);
    if (kept >= starts.size() - 1)
        return std::string(text);
    return candidate(text, starts, kept);
}

std::string middle_ellipsis(std::string_view text, double max_width, MeasureText const& measure)
{
    if (max_width <= 0)
        return {};
    if (measure(text) <= max_width)
        return std::string(text);
    auto starts = boundaries(text);
    std::size_t count = starts.size() - 1;
    if (count == 0)
        return {};
    // Find the largest k in [0, count - 1] whose candidate fits.
    std::size_t low = 0;
    std::size_t high = count; // exclusive
    std::optional<std::string> best;
    while (low < high) {
        std::size_t mid = low + (high - low) / 2;
        std::string attempt = candidate(text, starts, mid);
        if (measure(attempt) <= max_width) {
            best = std::move(attempt);
            low = mid + 1;
        } else {
            high = mid;
        }
    }
    return best ? *best : std::string(ellipsis);
}

}
