#include "ftl_tool/format_message.h"

#include "i18n/fluent/bundle.h"
#include "i18n/fluent/parser.h"
#include "i18n/pseudo.h"

#include <charconv>
#include <cmath>

namespace files::ftl_tool {

namespace {

    namespace fluent = i18n::fluent;

    bool is_pseudo_locale(i18n::LanguageId const& locale) { return locale.language == "qps"; }

    // The pseudo-locale has no plural rules of its own; the explorer builds
    // it from the English catalogue under English rules.
    std::string plural_locale(i18n::LanguageId const& locale)
    {
        return is_pseudo_locale(locale) ? i18n::en_us().to_string() : locale.to_string();
    }

    fluent::Pattern const* find_pattern(
        fluent::Bundle const& bundle, FormatRequest const& request, std::vector<std::string>& errors)
    {
        fluent::Message const* message = bundle.message(request.message_id);
        if (!message) {
            errors.push_back("Unknown message: " + request.message_id);
            return nullptr;
        }
        if (!request.attribute) {
            if (!message->value)
                errors.push_back("No value: " + request.message_id);
            return message->value ? &*message->value : nullptr;
        }
        for (auto const& attribute : message->attributes) {
            if (attribute.id == *request.attribute)
                return &attribute.value;
        }
        errors.push_back("Unknown attribute: " + request.message_id + "." + *request.attribute);
        return nullptr;
    }

    bool is_decimal(std::string_view text)
    {
        std::size_t i = text.starts_with('-') ? 1 : 0;
        auto digits = [&] {
            std::size_t const start = i;
            while (i < text.size() && text[i] >= '0' && text[i] <= '9')
                ++i;
            return i > start;
        };
        if (!digits())
            return false;
        if (i < text.size() && text[i] == '.') {
            ++i;
            if (!digits())
                return false;
        }
        return i == text.size();
    }

    template<typename T> std::optional<T> parse_exact(std::string_view text)
    {
        T value {};
        auto const [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size())
            return std::nullopt;
        return value;
    }

}

FormatOutcome format_message(std::string_view source, FormatRequest const& request)
{
    fluent::Bundle bundle({ plural_locale(request.locale) });
    (void)bundle.add_resource(fluent::parse(source));
    FormatOutcome outcome;
    fluent::Pattern const* pattern = find_pattern(bundle, request, outcome.errors);
    if (!pattern) {
        outcome.text = request.message_id + (request.attribute ? "." + *request.attribute : "");
        return outcome;
    }
    fluent::FormatErrors errors;
    outcome.text = bundle.format_pattern(*pattern, &request.arguments, errors);
    for (auto& error : errors)
        outcome.errors.push_back(std::move(error.text));
    if (is_pseudo_locale(request.locale))
        outcome.text = i18n::pseudolocalize(outcome.text, request.arguments);
    return outcome;
}

std::optional<fluent::Number> parse_number_argument(std::string_view text)
{
    if (!is_decimal(text))
        return std::nullopt;
    if (text.find('.') == std::string_view::npos) {
        if (auto const value = parse_exact<std::int64_t>(text))
            return fluent::Number::from_signed(*value);
        if (auto const value = parse_exact<std::uint64_t>(text))
            return fluent::Number::from_unsigned(*value);
    }
    auto const value = parse_exact<double>(text);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    // "1.50" is shown as written, not as 1.5.
    fluent::Number number = fluent::Number::from_double(*value);
    std::size_t const point = text.find('.');
    if (point != std::string_view::npos)
        number.set_minimum_fraction_digits(static_cast<int>(text.size() - point - 1));
    return number;
}

}
