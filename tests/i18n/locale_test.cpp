// Locale detection from LC_ALL, LANGUAGE and LANG, and language identifiers.

#include "i18n/locale.h"

#include <cstdlib>
#include <map>

#include <gtest/gtest.h>

namespace files::i18n {
namespace {

    TEST(Locale, DetectionFollowsTheVariablesInOrder)
    {
        struct Case {
            char const* name;
            std::map<std::string, std::string> environment;
            char const* locale;
        };
        Case const cases[] = {
            { "nothing set", {}, "en-US" },
            { "codeset dropped", { { "LANG", "de_DE.UTF-8" } }, "de-DE" },
            { "modifier dropped", { { "LANG", "ca_ES@valencia" } }, "ca-ES" },
            { "first of a list", { { "LANGUAGE", "fr:de" } }, "fr" },
            { "LANGUAGE before LANG", { { "LANGUAGE", "de:en" }, { "LANG", "en_US.UTF-8" } }, "de" },
            { "LC_ALL before all", { { "LC_ALL", "it_IT.UTF-8" }, { "LANGUAGE", "de" } }, "it-IT" },
            { "C in LC_ALL wins over LANGUAGE", { { "LC_ALL", "C" }, { "LANGUAGE", "de" } }, "en-US" },
            { "C.UTF-8", { { "LC_ALL", "C.UTF-8" }, { "LANG", "de_DE" } }, "en-US" },
            { "POSIX in any case", { { "LANG", "posix" } }, "en-US" },
            { "nothing before the full stop", { { "LC_ALL", ".UTF-8" }, { "LANG", "de_AT.UTF-8" } }, "de-AT" },
            { "blank skipped", { { "LC_ALL", "   " }, { "LANG", "de" } }, "de" },
            { "surrounding space trimmed", { { "LANG", "  pt_BR  " } }, "pt-BR" },
            { "unparsable skipped", { { "LC_ALL", "not a locale" }, { "LANG", "nl_NL" } }, "nl-NL" },
            { "invalid UTF-8 skipped", { { "LC_ALL", "de\xff" }, { "LANG", "sv_SE" } }, "sv-SE" },
            { "script and variant", { { "LANG", "sr_Latn_RS" } }, "sr-Latn-RS" },
            { "pseudo-locale", { { "LANG", "qps" } }, "qps" },
            { "all unusable", { { "LC_ALL", "" }, { "LANGUAGE", ":" }, { "LANG", "!!" } }, "en-US" },
        };
        for (auto const& test : cases) {
            SCOPED_TRACE(test.name);
            auto const lookup = [&](char const* name) -> std::optional<std::string> {
                auto const found = test.environment.find(name);
                if (found == test.environment.end())
                    return std::nullopt;
                return found->second;
            };
            EXPECT_EQ(detect_locale(lookup).to_string(), test.locale);
        }
    }

    TEST(Locale, ParsesLanguageIdentifiersOnly)
    {
        auto const de_at = parse_language_id("de-AT");
        ASSERT_TRUE(de_at);
        EXPECT_EQ(*de_at, (LanguageId { "de", "", "AT", {} }));
        EXPECT_EQ(parse_language_id("ZH-hant-tw")->to_string(), "zh-Hant-TW");
        EXPECT_EQ(parse_language_id("de-CH-1996")->variants, (std::vector<std::string> { "1996" }));
        for (char const* invalid : { "", "-", "de-", "de--AT", "e", "de-AT-u-co-phonebk", "toolonglanguage", "d3" }) {
            SCOPED_TRACE(invalid);
            EXPECT_FALSE(parse_language_id(invalid).has_value());
        }
    }

    TEST(Locale, ProcessLocaleIsReadFromTheEnvironmentOnce)
    {
        // A fresh process, so the first use happens under this environment.
        EXPECT_EXIT(
            {
                setenv("LC_ALL", "C", 1);
                setenv("LANGUAGE", "de", 1);
                bool const first = current_locale() == en_us();
                setenv("LC_ALL", "de_DE.UTF-8", 1);
                std::exit(first && current_locale() == en_us() ? 0 : 1);
            },
            testing::ExitedWithCode(0), "");
    }

}
}
