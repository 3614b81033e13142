#pragma once

// The values a Fluent pattern is formatted with: named arguments that are
// strings or numbers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace files::i18n::fluent {

enum class PluralType {
    Cardinal,
    Ordinal,
};

// A number argument. Integers are kept exactly (a 64-bit byte count is not
// rounded through a double); the text form is plain decimal without digit
// grouping, and without fraction digits for whole numbers.
class Number {
public:
    Number() = default;
    static Number from_signed(std::int64_t value);
    static Number from_unsigned(std::uint64_t value);
    static Number from_double(double value);

    double as_double() const;
    // Exact comparison of the values, whatever their representation.
    bool equals(Number const& other) const;
    std::string plain_text() const;

    // Options set by the NUMBER function.
    void set_minimum_fraction_digits(int digits) { m_minimum_fraction_digits = digits; }
    void set_maximum_fraction_digits(int digits) { m_maximum_fraction_digits = digits; }
    void set_plural_type(PluralType type) { m_plural_type = type; }
    PluralType plural_type() const { return m_plural_type; }

private:
    std::variant<std::int64_t, std::uint64_t, double> m_value { std::int64_t { 0 } };
    int m_minimum_fraction_digits { 0 };
    std::optional<int> m_maximum_fraction_digits;
    PluralType m_plural_type { PluralType::Cardinal };
};

using Value = std::variant<std::string, Number>;

// The text an argument contributes to a formatted message.
std::string value_text(Value const& value);

// One named argument. Built implicitly from a name and a string or number,
// so callers can write {{"count", 3}, {"name", file_name}}.
struct Argument {
    Argument(std::string_view argument_name, std::string_view text)
        : name(argument_name)
        , value(std::string(text))
    {
    }
    Argument(std::string_view argument_name, char const* text)
        : Argument(argument_name, std::string_view(text))
    {
    }
    Argument(std::string_view argument_name, std::string text)
        : name(argument_name)
        , value(std::move(text))
    {
    }
    template<typename T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char>)
        Argument(std::string_view argument_name, T number)
        : name(argument_name)
        , value(std::is_signed_v<T> ? Number::from_signed(static_cast<std::int64_t>(number))
                                    : Number::from_unsigned(static_cast<std::uint64_t>(number)))
    {
    }
    Argument(std::string_view argument_name, double number)
        : name(argument_name)
        , value(Number::from_double(number))
    {
    }
    Argument(std::string_view argument_name, Number number)
        : name(argument_name)
        , value(number)
    {
    }

    std::string name;
    Value value;
};

// Arguments in the order the caller gave them.
using Arguments = std::vector<Argument>;

Value const* find_argument(Arguments const& arguments, std::string_view name);

}
