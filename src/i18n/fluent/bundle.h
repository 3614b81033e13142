#pragma once

// A Fluent bundle: the messages and terms of one or more resources for one
// locale, and the formatter that turns a pattern and arguments into text.
//
// Formatting never fails as a whole. Problems (a variable the caller did not
// pass, a reference to a missing message or term, a cyclic reference, more
// than max_placeables placeables expanded) are appended to an error list and
// the text carries a "{…}" stand-in where the value would be. Arguments are
// inserted without bidirectional isolation marks; numbers are written in
// plain decimal form. A bundle is used by one thread at a time.

#include "i18n/fluent/resource.h"
#include "i18n/fluent/value.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace files::i18n::fluent {

// Formatting one message may expand at most this many placeables, counting
// those of every message and term it references.
inline constexpr int max_placeables = 100;

enum class FormatErrorKind {
    UnknownVariable,
    UnknownMessage,
    UnknownAttribute,
    NoValue,
    UnknownTerm,
    UnknownFunction,
    InvalidArgument,
    CyclicReference,
    TooManyPlaceables,
};

struct FormatError {
    FormatErrorKind kind;
    // For example "Unknown variable: $count".
    std::string text;
};

using FormatErrors = std::vector<FormatError>;

class Bundle {
public:
    // The first locale (a BCP 47 tag) decides the plural rules.
    explicit Bundle(std::vector<std::string> locales);
    ~Bundle();
    Bundle(Bundle&&) noexcept;
    Bundle& operator=(Bundle&&) noexcept;

    std::vector<std::string> const& locales() const;

    // Takes the messages and terms of a parsed resource; comments and junk
    // are dropped. An id that is already defined keeps its first definition
    // and is returned ("-name" for terms), the rest of the resource is still
    // added.
    std::vector<std::string> add_resource(Resource resource);

    Message const* message(std::string_view id) const;
    Term const* term(std::string_view id) const;

    // Formats a message value or attribute; arguments may be null.
    std::string format_pattern(Pattern const& pattern, Arguments const* arguments, FormatErrors& errors) const;

    // The CLDR plural category ("zero", "one", "two", "few", "many",
    // "other") of a number under the first locale.
    std::string plural_category(Number const& number) const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

}
