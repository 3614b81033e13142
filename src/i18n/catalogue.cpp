#include "i18n/catalogue.h"

#include "i18n/fluent/parser.h"
#include "i18n/resources.h"

#include <memory>

namespace files::i18n {

namespace {

    fluent::Bundle make_bundle(std::vector<std::string> locales, std::string_view source)
    {
        fluent::Bundle bundle(std::move(locales));
        // Lenient: junk entries are dropped by the bundle and a redefined id
        // keeps its first definition; neither stops the catalogue from loading.
        (void)bundle.add_resource(fluent::parse(source));
        return bundle;
    }

}

Catalogue::Catalogue(LanguageId locale)
    : Catalogue(std::move(locale), en_us_resource(), de_de_resource())
{
}

Catalogue::Catalogue(LanguageId locale, std::string_view english_source, std::string_view german_source)
    : m_locale(std::move(locale))
    , m_fallback(make_bundle({ "en-US" }, english_source))
{
    if (m_locale.language == "de")
        m_primary = make_bundle({ m_locale.to_string(), "en-US" }, german_source);
}

std::optional<std::string> Catalogue::format_in(
    fluent::Bundle const& bundle, std::string_view id, fluent::Arguments const* arguments)
{
    fluent::Message const* message = bundle.message(id);
    if (!message || !message->value)
        return std::nullopt;
    fluent::FormatErrors errors;
    std::string text = bundle.format_pattern(*message->value, arguments, errors);
    if (!errors.empty())
        return std::nullopt;
    return text;
}

std::string Catalogue::format(std::string_view id, fluent::Arguments const* arguments) const
{
    if (m_primary) {
        if (auto text = format_in(*m_primary, id, arguments))
            return std::move(*text);
    }
    if (auto text = format_in(m_fallback, id, arguments))
        return std::move(*text);
    return std::string(id);
}

Catalogue const& catalogue_for(LanguageId const& locale)
{
    thread_local std::unique_ptr<Catalogue> cached;
    if (!cached || cached->locale() != locale)
        cached = std::make_unique<Catalogue>(locale);
    return *cached;
}

}
