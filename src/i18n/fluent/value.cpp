#include "i18n/fluent/value.h"

#include <array>
#include <charconv>
#include <cmath>

namespace files::i18n::fluent {

namespace {

    template<typename T> std::string integer_text(T value)
    {
        std::array<char, 24> buffer {};
        auto const result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
        return std::string(buffer.data(), result.ptr);
    }

    std::string fixed_text(double value, std::optional<int> precision)
    {
        // Large enough for any double in fixed notation with up to 20 fraction digits.
        std::array<char, 400> buffer {};
        char* const end = buffer.data() + buffer.size();
        auto result = precision ? std::to_chars(buffer.data(), end, value, std::chars_format::fixed, *precision)
                                : std::to_chars(buffer.data(), end, value, std::chars_format::fixed);
        if (result.ec != std::errc())
            result = std::to_chars(buffer.data(), end, value);
        return std::string(buffer.data(), result.ptr);
    }

    // Pads or trims the fraction of a plain decimal text to the given bounds.
    std::string apply_fraction_bounds(std::string text, int minimum)
    {
        auto dot = text.find('.');
        if (dot != std::string::npos) {
            while (text.size() - dot - 1 > static_cast<std::size_t>(minimum) && text.back() == '0')
                text.pop_back();
            if (text.back() == '.')
                text.pop_back();
        }
        dot = text.find('.');
        std::size_t const present = dot == std::string::npos ? 0 : text.size() - dot - 1;
        if (minimum > 0 && dot == std::string::npos)
            text += '.';
        if (present < static_cast<std::size_t>(minimum))
            text.append(static_cast<std::size_t>(minimum) - present, '0');
        return text;
    }

}

Number Number::from_signed(std::int64_t value)
{
    Number number;
    number.m_value = value;
    return number;
}

Number Number::from_unsigned(std::uint64_t value)
{
    Number number;
    number.m_value = value;
    return number;
}

Number Number::from_double(double value)
{
    Number number;
    number.m_value = value;
    return number;
}

double Number::as_double() const
{
    return std::visit([](auto value) { return static_cast<double>(value); }, m_value);
}

bool Number::equals(Number const& other) const
{
    auto const* a = std::get_if<std::int64_t>(&m_value);
    auto const* b = std::get_if<std::int64_t>(&other.m_value);
    if (a && b)
        return *a == *b;
    auto const* ua = std::get_if<std::uint64_t>(&m_value);
    auto const* ub = std::get_if<std::uint64_t>(&other.m_value);
    if (ua && ub)
        return *ua == *ub;
    return as_double() == other.as_double();
}

std::string Number::plain_text() const
{
    if (auto const* real = std::get_if<double>(&m_value)) {
        if (std::isnan(*real))
            return "NaN";
        if (std::isinf(*real))
            return *real < 0 ? "-∞" : "∞";
        return apply_fraction_bounds(fixed_text(*real, m_maximum_fraction_digits), m_minimum_fraction_digits);
    }
    std::string text = std::visit(
        [](auto value) {
            if constexpr (std::is_same_v<decltype(value), double>)
                return std::string();
            else
                return integer_text(value);
        },
        m_value);
    return apply_fraction_bounds(std::move(text), m_minimum_fraction_digits);
}

std::string value_text(Value const& value)
{
    if (auto const* text = std::get_if<std::string>(&value))
        return *text;
    return std::get<Number>(value).plain_text();
}

Value const* find_argument(Arguments const& arguments, std::string_view name)
{
    for (auto const& argument : arguments) {
        if (argument.name == name)
            return &argument.value;
    }
    return nullptr;
}

}
