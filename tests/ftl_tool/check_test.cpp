// The check report: junk with its position and reason, missing and extra
// messages, and structural differences from the reference.

#include "ftl_tool/check.h"
#include "i18n/fluent/parser.h"
#include "i18n/resources.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace files::ftl_tool {
namespace {

    using ::testing::ElementsAre;
    using ::testing::IsEmpty;

    NamedResource named(std::string path, std::string_view source)
    {
        return NamedResource { std::move(path), i18n::fluent::parse(source) };
    }

    TEST(Check, TheShippedResourcesAgreeWithEachOther)
    {
        NamedResource const english = named("en-US.ftl", i18n::en_us_resource());
        NamedResource const german = named("de-DE.ftl", i18n::de_de_resource());
        EXPECT_THAT(check_report(german, &english), IsEmpty());
        EXPECT_THAT(check_report(english, &german), IsEmpty());
    }

    TEST(Check, ReportsJunkMissingAndExtraMessagesAndStructure)
    {
        NamedResource const reference = named("en-US.ftl",
            "files-open = Open\n"
            "files-item-count =\n"
            "    { $count ->\n"
            "        [one] { $count } item\n"
            "       *[other] { $count } items\n"
            "    }\n"
            "files-renamed = Renamed { $name }\n"
            "files-gone = Gone\n");
        NamedResource const translation = named("de-DE.ftl",
            "files-open = Öffnen\n"
            "files-item-count =\n"
            "    { $count ->\n"
            "       *[other] { $count } Objekte\n"
            "    }\n"
            "files-renamed = Umbenannt { $nom }\n"
            "files-broken = { $x\n"
            "files-extra = Extra\n"
            "files-open = Noch einmal\n");
        EXPECT_THAT(check_report(translation, &reference),
            ElementsAre("de-DE.ftl:8:1: junk: Expected token: \"}\"",
                "de-DE.ftl: message \"files-open\" is defined more than once",
                "de-DE.ftl: missing message \"files-gone\" of en-US.ftl",
                "de-DE.ftl: extra message \"files-extra\", not in en-US.ftl",
                "de-DE.ftl: message \"files-item-count\": selector { $count } lacks branch [one]",
                "de-DE.ftl: message \"files-renamed\": variable $name of the reference is not used",
                "de-DE.ftl: message \"files-renamed\": variable $nom is not in the reference"));
    }

    TEST(Check, WithoutAReferenceOnlySyntaxAndRepeatedIdsCount)
    {
        NamedResource const resource = named("fr.ftl",
            "-brand = Fichiers\n"
            "-brand = Encore\n"
            "= no id\n"
            "files-open = Ouvrir\n");
        EXPECT_THAT(check_report(resource, nullptr),
            ElementsAre(
                "fr.ftl:3:1: junk: Expected an entry start", "fr.ftl: term \"-brand\" is defined more than once"));
        EXPECT_THAT(check_report(named("ok.ftl", "a = A\n-b = B\n"), nullptr), IsEmpty());
    }

    TEST(Check, JunkInTheReferenceIsReportedUnderItsOwnPath)
    {
        NamedResource const reference = named("en-US.ftl", "a = A\nb = { \n");
        NamedResource const translation = named("de-DE.ftl", "a = A\n");
        EXPECT_THAT(
            check_report(translation, &reference), ElementsAre("en-US.ftl:3:1: junk: Expected an inline expression"));
    }

    TEST(Check, StructuralDifferences)
    {
        struct Case {
            char const* name;
            char const* reference;
            char const* translation;
            std::vector<std::string> differences;
        };
        Case const cases[] = {
            { "same structure, other words",
                "m = { $n ->\n [one] One\n *[other] { $n } many\n}\n    .title = T { $t }\n",
                "m = { $n ->\n *[other] { $n } viele\n [one] Eins\n}\n    .title = Titel { $t }\n", {} },
            { "attribute missing and added", "m = A\n    .title = T\n", "m = A\n    .label = L\n",
                { "attribute .title of the reference is missing", "attribute .label is not in the reference" } },
            { "value missing", "m = A\n    .title = T\n", "m =\n    .title = T\n",
                { "has no value, the reference has one" } },
            { "default branch moved", "m = { $n ->\n [one] a\n *[other] b\n}\n",
                "m = { $n ->\n *[one] a\n [other] b\n}\n",
                { "selector { $n } has default branch [one], the reference [other]" } },
            { "selection dropped", "m = { $n ->\n [one] a\n *[other] b { $n }\n}\n", "m = b { $n }\n",
                { "selector { $n } of the reference is missing" } },
            { "selection added on another variable", "m = { $n }\n", "m = { $n } { $g ->\n *[a] x\n}\n",
                { "variable $g is not in the reference", "selector { $g } is not in the reference" } },
            { "numeric branch added inside a nested selection",
                "m = { NUMBER($n, type: \"ordinal\") ->\n *[other] { $k ->\n *[other] x\n}\n}\n",
                "m = { NUMBER($n, type: \"ordinal\") ->\n *[other] { $k ->\n [0] none\n *[other] x\n}\n}\n",
                { "selector { $k } has branch [0] not in the reference" } },
            { "selector function options differ", "m = { NUMBER($n, type: \"ordinal\") ->\n *[other] x\n}\n",
                "m = { NUMBER($n) ->\n *[other] x\n}\n",
                { "selector { NUMBER($n, type: \"ordinal\") } of the reference is missing",
                    "selector { NUMBER($n) } is not in the reference" } },
            { "variable only inside a term argument", "m = { -brand(case: \"x\") } { $a }\n", "m = { -brand($a) }\n",
                {} },
        };
        for (auto const& test : cases) {
            SCOPED_TRACE(test.name);
            NamedResource const reference = named("r.ftl", test.reference);
            NamedResource const translation = named("t.ftl", test.translation);
            std::vector<std::string> expected;
            for (auto const& difference : test.differences)
                expected.push_back("t.ftl: message \"m\": " + difference);
            EXPECT_EQ(check_report(translation, &reference), expected);
        }
    }

}
}
