// Formatting one message of a catalogue file, compared with the explorer's
// own lookup, and the number arguments of the command line.

#include "ftl_tool/format_message.h"
#include "i18n/resources.h"
#include "i18n/translate.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace files::ftl_tool {
namespace {

    using ::testing::ElementsAre;
    using ::testing::IsEmpty;
    namespace fluent = i18n::fluent;

    i18n::LanguageId locale(char const* tag) { return *i18n::parse_language_id(tag); }

    TEST(FormatMessage, AgreesWithTheExplorersLookup)
    {
        struct Case {
            char const* id;
            fluent::Arguments arguments;
        };
        std::vector<Case> const cases = {
            { "files-app-title", {} },
            { "files-item-count", { { "count", 1 } } },
            { "files-item-count", { { "count", 2 } } },
            { "files-item-count", { { "count", 0 } } },
            { "files-moved-to-trash", { { "count", 3 } } },
            { "files-moved-to-trash", { { "count", std::uint64_t { 18446744073709551615u } } } },
            { "files-selected-count", { { "base", "12 items" }, { "count", 1 } } },
            { "files-property-dimensions", { { "width", 640 }, { "height", 480 } } },
            { "files-moved-with-failures", { { "moved", 2 }, { "destination", "Documents" }, { "failed", 1 } } },
            { "files-directory-read-failed", { { "error", "Permission denied" } } },
            { "files-a11y-file", { { "size", "1.5 MB" } } },
            { "files-share-refused", { { "code", 7 } } },
        };
        struct Locale {
            char const* tag;
            std::string_view source;
        };
        Locale const locales[] = {
            { "en-US", i18n::en_us_resource() },
            { "de-DE", i18n::de_de_resource() },
            { "qps", i18n::en_us_resource() },
        };
        for (auto const& [tag, source] : locales) {
            for (auto const& test : cases) {
                SCOPED_TRACE(std::string(tag) + " " + test.id);
                FormatOutcome const outcome
                    = format_message(source, FormatRequest { test.id, std::nullopt, locale(tag), test.arguments });
                EXPECT_THAT(outcome.errors, IsEmpty());
                EXPECT_EQ(outcome.text, i18n::translate_in(locale(tag), test.id, test.arguments));
            }
        }
    }

    TEST(FormatMessage, ErrorsAreListedAndTheMarkedTextKept)
    {
        std::string_view const source = "plain = Hello { $name }, { -missing }\n"
                                        "menu =\n"
                                        "    .label = Open { $what }\n";
        struct Case {
            char const* id;
            std::optional<std::string> attribute;
            fluent::Arguments arguments;
            char const* text;
            std::vector<std::string> errors;
        };
        std::vector<Case> const cases = {
            { "plain", std::nullopt, { { "name", "Ann" } }, "Hello Ann, {-missing}", { "Unknown term: -missing" } },
            { "plain", std::nullopt, {}, "Hello {$name}, {-missing}",
                { "Unknown variable: $name", "Unknown term: -missing" } },
            { "menu", std::string("label"), { { "what", "it" } }, "Open it", {} },
            { "menu", std::nullopt, {}, "menu", { "No value: menu" } },
            { "menu", std::string("title"), {}, "menu.title", { "Unknown attribute: menu.title" } },
            { "absent", std::nullopt, {}, "absent", { "Unknown message: absent" } },
        };
        for (auto const& test : cases) {
            SCOPED_TRACE(std::string(test.id) + (test.attribute ? "." + *test.attribute : ""));
            FormatOutcome const outcome
                = format_message(source, FormatRequest { test.id, test.attribute, i18n::en_us(), test.arguments });
            EXPECT_EQ(outcome.text, test.text);
            EXPECT_EQ(outcome.errors, test.errors);
        }
    }

    TEST(FormatMessage, PluralRulesFollowTheRequestedLocale)
    {
        std::string_view const source = "n = { $n ->\n [one] one\n [few] few\n *[other] other\n}\n";
        auto format = [&](char const* tag, int n) {
            return format_message(source, FormatRequest { "n", std::nullopt, locale(tag), { { "n", n } } }).text;
        };
        EXPECT_EQ(format("en-US", 3), "other");
        EXPECT_EQ(format("pl", 3), "few");
        // The pseudo-locale selects like English and then accents the text.
        EXPECT_EQ(format("qps", 1), "[óñé !!]");
    }

    TEST(FormatMessage, NumberArguments)
    {
        struct Case {
            char const* text;
            std::optional<std::string> plain;
        };
        Case const cases[] = {
            { "0", "0" },
            { "-12", "-12" },
            { "18446744073709551615", "18446744073709551615" },
            { "1.50", "1.50" },
            { "-0.5", "-0.5" },
            { "", std::nullopt },
            { "-", std::nullopt },
            { "1.", std::nullopt },
            { ".5", std::nullopt },
            { "1e5", std::nullopt },
            { "inf", std::nullopt },
            { "12 ", std::nullopt },
            { "0x10", std::nullopt },
        };
        for (auto const& test : cases) {
            SCOPED_TRACE(test.text);
            auto const number = parse_number_argument(test.text);
            ASSERT_EQ(number.has_value(), test.plain.has_value());
            if (number) {
                EXPECT_EQ(number->plain_text(), *test.plain);
            }
        }
        // Past the 64-bit range a whole number is still a number, as a double.
        EXPECT_TRUE(parse_number_argument("36893488147419103232").has_value());
    }

}
}
