#pragma once

// Shortening a name from its middle so its end, and with it the extension,
// stays readable.

#include <functional>
#include <string>
#include <string_view>

namespace files::views {

// The width of a text in the label's font.
using MeasureText = std::function<double(std::string_view)>;

// The text unchanged when it fits `max_width`; empty when `max_width` is not
// positive; otherwise the longest "head…tail" that fits, where tail keeps
// ceil(2k/3) of the k kept characters (Unicode scalar values); "…" when even
// that does not fit. Widths grow with k, so the longest fitting k is found by
// bisection in O(log n) measurements.
std::string middle_ellipsis(std::string_view text, double max_width, MeasureText const& measure);

// The candidate that keeps `kept` characters of `text`.
std::string middle_ellipsis_candidate(std::string_view text, std::size_t kept);

}
