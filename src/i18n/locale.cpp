#include "i18n/locale.h"

#include <array>
#include <cstdlib>

#include <unicode/uchar.h>
#include <unicode/uloc.h>
#include <unicode/utf8.h>

namespace files::i18n {

namespace {

    bool is_valid_utf8(std::string_view text)
    {
        auto const* bytes = reinterpret_cast<uint8_t const*>(text.data());
        auto const length = static_cast<int32_t>(text.size());
        for (int32_t i = 0; i < length;) {
            UChar32 c = 0;
            U8_NEXT(bytes, i, length, c);
            if (c < 0)
                return false;
        }
        return true;
    }

    // Trims Unicode white space at both ends of valid UTF-8.
    std::string_view trim(std::string_view text)
    {
        auto const* bytes = reinterpret_cast<uint8_t const*>(text.data());
        auto const length = static_cast<int32_t>(text.size());
        int32_t begin = -1;
        int32_t end = 0;
        for (int32_t i = 0; i < length;) {
            int32_t const start = i;
            UChar32 c = 0;
            U8_NEXT(bytes, i, length, c);
            if (u_isUWhiteSpace(c))
                continue;
            if (begin < 0)
                begin = start;
            end = i;
        }
        if (begin < 0)
            return {};
        return text.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin));
    }

    bool equals_ignoring_ascii_case(std::string_view a, std::string_view b)
    {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
            if (lower(a[i]) != lower(b[i]))
                return false;
        }
        return true;
    }

    std::string lowercase_ascii(std::string text)
    {
        for (char& c : text) {
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
        return text;
    }

    template<typename Getter> std::string locale_part(char const* locale_id, Getter getter)
    {
        std::array<char, ULOC_FULLNAME_CAPACITY> buffer {};
        UErrorCode status = U_ZERO_ERROR;
        int32_t const length = getter(locale_id, buffer.data(), static_cast<int32_t>(buffer.size()), &status);
        if (U_FAILURE(status) || length <= 0)
            return {};
        return std::string(buffer.data(), static_cast<std::size_t>(length));
    }

    std::vector<std::string> split_variants(std::string const& text)
    {
        std::vector<std::string> variants;
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t const end = text.find('_', start);
            std::string part = text.substr(start, end - start);
            if (!part.empty())
                variants.push_back(lowercase_ascii(std::move(part)));
            start = end == std::string::npos ? text.size() : end + 1;
        }
        return variants;
    }

    // What one variable says: a locale, an explicit "C", or nothing usable.
    enum class Verdict {
        Locale,
        Posix,
        Skip,
    };

    Verdict examine(std::optional<std::string> const& value, LanguageId& out)
    {
        if (!value || !is_valid_utf8(*value))
            return Verdict::Skip;
        std::string_view text = trim(*value);
        if (text.empty())
            return Verdict::Skip;
        text = trim(text.substr(0, text.find(':')));
        text = text.substr(0, text.find_first_of(".@"));
        if (equals_ignoring_ascii_case(text, "C") || equals_ignoring_ascii_case(text, "POSIX"))
            return Verdict::Posix;
        if (text.empty())
            return Verdict::Skip;
        std::string tag(text);
        for (char& c : tag) {
            if (c == '_')
                c = '-';
        }
        auto parsed = parse_language_id(tag);
        if (!parsed)
            return Verdict::Skip;
        out = std::move(*parsed);
        return Verdict::Locale;
    }

}

std::string LanguageId::to_string() const
{
    std::string tag = language;
    for (auto const* part : { &script, &region }) {
        if (!part->empty())
            tag += "-" + *part;
    }
    for (auto const& variant : variants)
        tag += "-" + variant;
    return tag;
}

LanguageId en_us() { return LanguageId { "en", "", "US", {} }; }

std::optional<LanguageId> parse_language_id(std::string_view tag)
{
    if (tag.empty() || tag.size() >= ULOC_FULLNAME_CAPACITY)
        return std::nullopt;
    std::string const input(tag);
    std::array<char, ULOC_FULLNAME_CAPACITY> locale_id {};
    int32_t parsed_length = 0;
    UErrorCode status = U_ZERO_ERROR;
    uloc_forLanguageTag(
        input.c_str(), locale_id.data(), static_cast<int32_t>(locale_id.size()), &parsed_length, &status);
    if (U_FAILURE(status) || status == U_STRING_NOT_TERMINATED_WARNING
        || parsed_length != static_cast<int32_t>(input.size()))
        return std::nullopt;
    std::string_view const id(locale_id.data());
    // Keywords come from extensions; a language identifier has none.
    if (id.find('@') != std::string_view::npos)
        return std::nullopt;
    LanguageId result;
    result.language = locale_part(locale_id.data(), uloc_getLanguage);
    if (result.language.empty()) {
        if (!equals_ignoring_ascii_case(tag.substr(0, 3), "und") || (tag.size() > 3 && tag[3] != '-'))
            return std::nullopt;
        result.language = "und";
    }
    result.script = locale_part(locale_id.data(), uloc_getScript);
    result.region = locale_part(locale_id.data(), uloc_getCountry);
    result.variants = split_variants(locale_part(locale_id.data(), uloc_getVariant));
    return result;
}

LanguageId detect_locale(EnvironmentLookup const& lookup)
{
    for (char const* name : { "LC_ALL", "LANGUAGE", "LANG" }) {
        LanguageId locale;
        switch (examine(lookup(name), locale)) {
        case Verdict::Locale:
            return locale;
        case Verdict::Posix:
            return en_us();
        case Verdict::Skip:
            break;
        }
    }
    return en_us();
}

LanguageId const& current_locale()
{
    // A function-local static is initialised exactly once, even when several
    // threads ask at the same time, and is never written again.
    static LanguageId const locale = detect_locale([](char const* name) -> std::optional<std::string> {
        char const* value = std::getenv(name);
        if (!value)
            return std::nullopt;
        return std::string(value);
    });
    return locale;
}

}
