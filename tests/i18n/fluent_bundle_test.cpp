// The Fluent formatter: arguments, references, selection, and the errors
// that make a lookup fall back instead of showing a broken text.

#include "i18n/fluent/bundle.h"
#include "i18n/fluent/parser.h"

#include <gtest/gtest.h>

namespace files::i18n::fluent {
namespace {

    Bundle bundle_of(char const* locale, std::string_view source)
    {
        Bundle bundle({ locale });
        EXPECT_TRUE(bundle.add_resource(parse(source)).empty());
        return bundle;
    }

    struct Formatted {
        std::string text;
        FormatErrors errors;
    };

    Formatted format(Bundle const& bundle, std::string_view id, Arguments const& arguments = {})
    {
        Formatted result;
        Message const* message = bundle.message(id);
        EXPECT_NE(message, nullptr) << id;
        if (message && message->value)
            result.text = bundle.format_pattern(*message->value, &arguments, result.errors);
        return result;
    }

    constexpr char const* catalogue = R"(
-brand = Files
    .gender = neuter
-thing = { $case ->
    [dative] dem Ding
   *[nominative] das Ding
}
count = { $n ->
    [0] no items
    [one] { $n } item
   *[other] { $n } items
}
kind = { $kind ->
    [folder] a folder
   *[other] something else
}
about = About { -brand }
gendered = { -brand.gender ->
    [neuter] it
   *[other] they
}
with-thing = mit { -thing(case: "dative") }, ohne { -thing }
outer = [{ inner }]
inner = { $name }
no-value =
    .label = Label
uses-no-value = { no-value }
uses-label = { no-value.label }
missing-ref = { nowhere }
missing-term = { -nowhere }
missing-attribute = { no-value.nothing }
unknown-function = { PLURAL($n) }
number = { $n } / { NUMBER($n, minimumFractionDigits: 2) }
ordinal = { NUMBER($n, type: "ordinal") ->
    [one] { $n }st
    [two] { $n }nd
    [few] { $n }rd
   *[other] { $n }th
}
cycle-a = a { cycle-b }
cycle-b = b { cycle-a }
self = { self }
)";

    TEST(FluentBundle, FormatsArgumentsReferencesAndTerms)
    {
        Bundle const bundle = bundle_of("en-US", catalogue);
        struct Case {
            char const* id;
            Arguments arguments;
            char const* text;
        };
        Case const cases[] = {
            { "about", {}, "About Files" },
            { "gendered", {}, "it" },
            { "with-thing", {}, "mit dem Ding, ohne das Ding" },
            { "outer", { { "name", "x" } }, "[x]" },
            { "uses-label", {}, "Label" },
            { "kind", { { "kind", "folder" } }, "a folder" },
            { "kind", { { "kind", "file" } }, "something else" },
            { "number", { { "n", 1234567 } }, "1234567 / 1234567.00" },
            { "number", { { "n", 2.5 } }, "2.5 / 2.50" },
            { "number", { { "n", std::uint64_t { 18446744073709551615ULL } } },
                "18446744073709551615 / 18446744073709551615.00" },
            { "ordinal", { { "n", 22 } }, "22nd" },
        };
        for (auto const& test : cases) {
            SCOPED_TRACE(test.id);
            Formatted const result = format(bundle, test.id, test.arguments);
            EXPECT_EQ(result.text, test.text);
            EXPECT_TRUE(result.errors.empty());
        }
    }

    TEST(FluentBundle, ExactNumberKeyWinsOverPluralCategory)
    {
        Bundle const english = bundle_of("en-US", catalogue);
        EXPECT_EQ(format(english, "count", { { "n", 0 } }).text, "no items");
        EXPECT_EQ(format(english, "count", { { "n", 1 } }).text, "1 item");
        EXPECT_EQ(format(english, "count", { { "n", 2 } }).text, "2 items");
        EXPECT_EQ(format(english, "count", { { "n", 1.5 } }).text, "1.5 items");
        // Polish has a "few" category; without a [few] variant the default wins.
        Bundle const polish = bundle_of("pl", catalogue);
        EXPECT_EQ(format(polish, "count", { { "n", 3 } }).text, "3 items");
        EXPECT_EQ(polish.plural_category(Number::from_signed(3)), "few");
    }

    TEST(FluentBundle, ReportsEachKindOfFormattingError)
    {
        Bundle const bundle = bundle_of("en-US", catalogue);
        struct Case {
            char const* id;
            FormatErrorKind kind;
            char const* error;
            char const* text;
        };
        Case const cases[] = {
            { "inner", FormatErrorKind::UnknownVariable, "Unknown variable: $name", "{$name}" },
            { "missing-ref", FormatErrorKind::UnknownMessage, "Unknown message: nowhere", "{nowhere}" },
            { "missing-term", FormatErrorKind::UnknownTerm, "Unknown term: -nowhere", "{-nowhere}" },
            { "missing-attribute", FormatErrorKind::UnknownAttribute, "Unknown attribute: no-value.nothing",
                "{no-value.nothing}" },
            { "uses-no-value", FormatErrorKind::NoValue, "No value: no-value", "{no-value}" },
            { "unknown-function", FormatErrorKind::UnknownFunction, "Unknown function: PLURAL()", "{PLURAL()}" },
            { "self", FormatErrorKind::CyclicReference, "Cyclic reference", "{???}" },
            { "cycle-a", FormatErrorKind::CyclicReference, "Cyclic reference", "a b {???}" },
        };
        for (auto const& test : cases) {
            SCOPED_TRACE(test.id);
            Formatted const result = format(bundle, test.id);
            ASSERT_EQ(result.errors.size(), 1u);
            EXPECT_EQ(result.errors[0].kind, test.kind);
            EXPECT_EQ(result.errors[0].text, test.error);
            EXPECT_EQ(result.text, test.text);
        }
    }

    TEST(FluentBundle, RunawayExpansionStopsAtThePlaceableLimit)
    {
        // Ten levels of ten references each would expand ten billion times.
        std::string source = "lol0 = lol\n";
        for (int level = 1; level <= 10; ++level) {
            source += "lol" + std::to_string(level) + " =";
            for (int i = 0; i < 10; ++i)
                source += " { lol" + std::to_string(level - 1) + " }";
            source += "\n";
        }
        Bundle const bundle = bundle_of("en-US", source);
        Formatted const result = format(bundle, "lol10");
        ASSERT_EQ(result.errors.size(), 1u);
        EXPECT_EQ(result.errors[0].kind, FormatErrorKind::TooManyPlaceables);
        EXPECT_LT(result.text.size(), 1000u);
    }

    TEST(FluentBundle, RedefinitionKeepsTheFirstAndAddsTheRest)
    {
        Bundle bundle({ "en-US" });
        EXPECT_TRUE(bundle.add_resource(parse("a = first\n-t = term\n")).empty());
        auto const redefined = bundle.add_resource(parse("a = second\n-t = again\nb = new\n"));
        EXPECT_EQ(redefined, (std::vector<std::string> { "a", "-t" }));
        EXPECT_EQ(format(bundle, "a").text, "first");
        EXPECT_EQ(format(bundle, "b").text, "new");
    }

    TEST(FluentBundle, InsertsArgumentsWithoutIsolationMarks)
    {
        Bundle const bundle = bundle_of("ar", "m = «{ $name }»\n");
        EXPECT_EQ(format(bundle, "m", { { "name", "ملف" } }).text, "«ملف»");
    }

}
}
