#pragma once

// The process locale: a BCP 47 language identifier decided once from the
// environment (LC_ALL, then LANGUAGE, then LANG) and fixed for the life of
// the process.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace files::i18n {

// language[-Script][-REGION][-variant]*, in canonical case.
struct LanguageId {
    std::string language;
    std::string script;
    std::string region;
    std::vector<std::string> variants;

    std::string to_string() const;
    bool operator==(LanguageId const&) const = default;
};

LanguageId en_us();

// Parses a BCP 47 language identifier ("de-AT", "sr-Latn-RS", "qps").
// Extensions, private-use parts and malformed tags give nothing.
std::optional<LanguageId> parse_language_id(std::string_view tag);

// Reads an environment variable's raw bytes, or nothing when it is unset.
using EnvironmentLookup = std::function<std::optional<std::string>(char const* name)>;

// The locale the given environment asks for. Each of LC_ALL, LANGUAGE and
// LANG in turn is skipped when unset, not UTF-8, blank, or unparsable; the
// first entry of a colon-separated list is taken without its codeset and
// modifier; "C" and "POSIX" give en-US and end the search. Without any
// usable variable the locale is en-US.
LanguageId detect_locale(EnvironmentLookup const& lookup);

// The process locale, detected from the real environment on first use.
// Callable from any thread; the reference stays valid and unchanged.
LanguageId const& current_locale();

}
