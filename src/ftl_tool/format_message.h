#pragma once

// Formatting one message of a catalogue file exactly as the explorer's
// lookup formats it: the same parser, the same bundle and, for the "qps"
// pseudo-locale, the same pseudo-localisation with English plural rules.

#include "i18n/fluent/value.h"
#include "i18n/locale.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace files::ftl_tool {

struct FormatRequest {
    std::string message_id;
    // Formats this attribute of the message instead of its value.
    std::optional<std::string> attribute;
    i18n::LanguageId locale;
    i18n::fluent::Arguments arguments;
};

struct FormatOutcome {
    // The formatted text with "{…}" marks where formatting failed; the
    // message id (or "id.attribute") when there is nothing to format.
    std::string text;
    // One text per problem, such as "Unknown variable: $count".
    std::vector<std::string> errors;
};

FormatOutcome format_message(std::string_view source, FormatRequest const& request);

// Parses a number argument as given on the command line: an optional "-",
// decimal digits, and optionally "." and more digits. Whole numbers are kept
// exactly (up to the 64-bit range); nothing else is a number.
std::optional<i18n::fluent::Number> parse_number_argument(std::string_view text);

}
