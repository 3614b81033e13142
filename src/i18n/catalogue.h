#pragma once

// The catalogues of one locale: the English fallback bundle, always, and the
// German primary bundle when the language is German, with the lookup that
// falls back from one to the other and finally to the message id.

#include "i18n/fluent/bundle.h"
#include "i18n/locale.h"

#include <optional>
#include <string>
#include <string_view>

namespace files::i18n {

class Catalogue {
public:
    // The catalogues compiled into the program.
    explicit Catalogue(LanguageId locale);
    // Catalogues from the given resource texts: English always, German only
    // for a German locale. Entries with syntax errors are skipped.
    Catalogue(LanguageId locale, std::string_view english_source, std::string_view german_source);

    LanguageId const& locale() const { return m_locale; }

    // The first bundle in which the message exists, has a value and formats
    // without error; the id itself when there is none.
    std::string format(std::string_view id, fluent::Arguments const* arguments) const;

private:
    static std::optional<std::string> format_in(
        fluent::Bundle const& bundle, std::string_view id, fluent::Arguments const* arguments);

    LanguageId m_locale;
    std::optional<fluent::Bundle> m_primary;
    fluent::Bundle m_fallback;
};

// This thread's embedded catalogue for the locale, rebuilt only when the
// locale differs from the one this thread used last.
Catalogue const& catalogue_for(LanguageId const& locale);

}
