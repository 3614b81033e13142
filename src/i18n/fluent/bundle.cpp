#include "i18n/fluent/bundle.h"

#include "i18n/fluent/detail/resolver.h"

#include <functional>
#include <unordered_map>

#include <unicode/locid.h>
#include <unicode/plurrule.h>
#include <unicode/unistr.h>

namespace files::i18n::fluent {

namespace {

    struct StringHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view> {}(text); }
    };

    template<typename T> using IdMap = std::unordered_map<std::string, T const*, StringHash, std::equal_to<>>;

    std::unique_ptr<icu::PluralRules> make_plural_rules(std::string const& tag, UPluralType type)
    {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale const locale = icu::Locale::forLanguageTag(tag, status);
        if (U_FAILURE(status))
            return nullptr;
        std::unique_ptr<icu::PluralRules> rules(icu::PluralRules::forLocale(locale, type, status));
        if (U_FAILURE(status))
            return nullptr;
        return rules;
    }

}

struct Bundle::State {
    std::vector<std::string> locales;
    std::vector<std::unique_ptr<Resource>> resources;
    IdMap<Message> messages;
    IdMap<Term> terms;
    std::unique_ptr<icu::PluralRules> cardinal;
    std::unique_ptr<icu::PluralRules> ordinal;
};

Bundle::Bundle(std::vector<std::string> locales)
    : m_state(std::make_unique<State>())
{
    m_state->locales = std::move(locales);
    std::string const tag = m_state->locales.empty() ? std::string("en-US") : m_state->locales.front();
    m_state->cardinal = make_plural_rules(tag, UPLURAL_TYPE_CARDINAL);
    m_state->ordinal = make_plural_rules(tag, UPLURAL_TYPE_ORDINAL);
}

Bundle::~Bundle() = default;
Bundle::Bundle(Bundle&&) noexcept = default;
Bundle& Bundle::operator=(Bundle&&) noexcept = default;

std::vector<std::string> const& Bundle::locales() const { return m_state->locales; }

std::vector<std::string> Bundle::add_resource(Resource resource)
{
    std::vector<std::string> redefined;
    auto& stored = *m_state->resources.emplace_back(std::make_unique<Resource>(std::move(resource)));
    for (auto const& entry : stored.body) {
        if (auto const* message = std::get_if<Message>(&entry)) {
            if (!m_state->messages.try_emplace(message->id, message).second)
                redefined.push_back(message->id);
        } else if (auto const* term = std::get_if<Term>(&entry)) {
            if (!m_state->terms.try_emplace(term->id, term).second)
                redefined.push_back("-" + term->id);
        }
    }
    return redefined;
}

Message const* Bundle::message(std::string_view id) const
{
    auto const found = m_state->messages.find(id);
    return found == m_state->messages.end() ? nullptr : found->second;
}

Term const* Bundle::term(std::string_view id) const
{
    auto const found = m_state->terms.find(id);
    return found == m_state->terms.end() ? nullptr : found->second;
}

std::string Bundle::format_pattern(Pattern const& pattern, Arguments const* arguments, FormatErrors& errors) const
{
    return detail::resolve_pattern(*this, pattern, arguments, errors);
}

std::string Bundle::plural_category(Number const& number) const
{
    auto const& rules = number.plural_type() == PluralType::Ordinal ? m_state->ordinal : m_state->cardinal;
    if (!rules)
        return "other";
    std::string category;
    rules->select(number.as_double()).toUTF8String(category);
    return category;
}

}
