// Lookup through the fallback chain, plural branches in both languages,
// and the pseudo-locale.

#include "i18n/catalogue.h"
#include "i18n/pseudo.h"
#include "i18n/translate.h"

#include <thread>

#include <gtest/gtest.h>

namespace files::i18n {
namespace {

    LanguageId locale(char const* tag) { return *parse_language_id(tag); }

    TEST(Translate, PluralBranchesInBothLanguages)
    {
        struct Case {
            char const* locale;
            char const* id;
            int count;
            char const* text;
        };
        Case const cases[] = {
            { "en-US", "files-item-count", 1, "1 item" },
            { "en-US", "files-item-count", 2, "2 items" },
            { "en-US", "files-item-count", 0, "0 items" },
            { "de-DE", "files-item-count", 1, "1 Objekt" },
            { "de-DE", "files-item-count", 2, "2 Objekte" },
            { "en-US", "files-moved-to-trash", 1, "Moved 1 item to Trash" },
            { "en-US", "files-moved-to-trash", 3, "Moved 3 items to Trash" },
            { "de-DE", "files-moved-to-trash", 1, "1 Objekt in den Papierkorb verschoben" },
            { "de-AT", "files-moved-to-trash", 2, "2 Objekte in den Papierkorb verschoben" },
            { "en-US", "files-residency-local", 1048576, "local (1048576 bytes)" },
        };
        for (auto const& test : cases) {
            SCOPED_TRACE(std::string(test.locale) + " " + test.id + " " + std::to_string(test.count));
            EXPECT_EQ(translate_in(locale(test.locale), test.id, { { "count", test.count }, { "bytes", test.count } }),
                test.text);
        }
    }

    TEST(Translate, QuotedTextsAreExact)
    {
        auto const en = en_us();
        EXPECT_EQ(translate_in(en, "files-app-title", {}), "Files");
        EXPECT_EQ(translate_in(en, "files-selected-count", { { "base", "4 items" }, { "count", 3 } }),
            "4 items  ·  3 selected");
        EXPECT_EQ(translate_in(en, "files-directory-read-failed", { { "error", "Permission denied" } }),
            "Could not open this folder: Permission denied");
        EXPECT_EQ(translate_in(en, "files-property-dimensions", { { "width", 1920 }, { "height", 1080 } }),
            "Dimensions: 1920 × 1080 px");
        EXPECT_EQ(translate_in(locale("de-DE"), "files-place-trash", {}), "Papierkorb");
        EXPECT_EQ(translate_in(locale("de-DE"), "files-menu-move-trash", {}), "In den Papierkorb verschieben");
    }

    TEST(Translate, FallsBackFromGermanToEnglishToTheId)
    {
        constexpr char const* english = "both = English { $a }\nonly-english = Only English\n"
                                        "german-needs-more = English { $a }\n";
        constexpr char const* german = "both = Deutsch { $a }\ngerman-needs-more = Deutsch { $a } { $b }\n"
                                       "-broken = { -missing }\n";
        Catalogue const catalogue(locale("de-DE"), english, german);
        fluent::Arguments const only_a { { "a", "x" } };
        EXPECT_EQ(catalogue.format("both", &only_a), "Deutsch x");
        EXPECT_EQ(catalogue.format("only-english", &only_a), "Only English");
        EXPECT_EQ(catalogue.format("german-needs-more", &only_a), "English x");
        EXPECT_EQ(catalogue.format("both", nullptr), "both");
        EXPECT_EQ(catalogue.format("nowhere", &only_a), "nowhere");

        // The same through the embedded catalogues: a missing count in both.
        EXPECT_EQ(translate_in(locale("de-DE"), "files-item-count", {}), "files-item-count");
        EXPECT_EQ(translate_in(locale("de-DE"), "files-no-such-message", {}), "files-no-such-message");
    }

    TEST(Translate, OnlyGermanLanguagesGetTheGermanCatalogue)
    {
        for (char const* tag : { "de", "de-DE", "de-AT", "de-CH" })
            EXPECT_EQ(translate_in(locale(tag), "files-place-favourites", {}), "Favoriten") << tag;
        for (char const* tag : { "en-GB", "fr-FR", "nds" })
            EXPECT_EQ(translate_in(locale(tag), "files-place-favourites", {}), "Favourites") << tag;
    }

    TEST(Translate, PseudoLocaleKeepsArgumentsIntact)
    {
        auto const qps = locale("qps");
        EXPECT_EQ(translate_in(qps, "files-app-title", {}), "[Fílés !!]");
        EXPECT_EQ(translate_in(qps, "files-moved-to-trash", { { "count", 3 } }), "[Móvéd 3 ítéms tó Trásh !!]");
        EXPECT_EQ(translate_in(qps, "files-renamed", { { "error", "unused" } }), "[Réñáméd !!]");
        EXPECT_EQ(translate_in(qps, "files-rename-failed", { { "error", "Access denied" } }),
            "[Çóúld ñót réñámé: Access denied !!]");
        EXPECT_EQ(translate_in(qps, "files-no-such-message", {}), "[fílés-ñó-súçh-mésságé !!]");
    }

    TEST(Translate, PseudoProtectionSurvivesOverlappingAndMarkerLikeArguments)
    {
        // The second argument is the first one's position digit, and the first
        // is a prefix of the third; each must come back exactly.
        fluent::Arguments const arguments { { "a", "Ice" }, { "b", "0" }, { "c", "Iceberg" }, { "d", "" } };
        EXPECT_EQ(pseudolocalize("Ice, 0 and Iceberg on ice", arguments), "[Ice, 0 áñd Iceberg óñ íçé !!]");
        EXPECT_EQ(pseudolocalize("\u00E0 \uE000"
                                 "0\uE001",
                      arguments),
            "[\u00E0 \uE000"
            "0\uE001 !!]");
    }

    TEST(Translate, EachThreadKeepsItsCatalogueUntilTheLocaleChanges)
    {
        auto const de = locale("de-DE");
        Catalogue const* first = &catalogue_for(de);
        EXPECT_EQ(&catalogue_for(de), first);
        Catalogue const* other_thread = nullptr;
        std::string other_text;
        std::thread([&] {
            other_thread = &catalogue_for(de);
            other_text = other_thread->format("files-place-trash", nullptr);
        }).join();
        EXPECT_NE(other_thread, first);
        EXPECT_EQ(other_text, "Papierkorb");
        EXPECT_EQ(catalogue_for(en_us()).locale(), en_us());
        EXPECT_EQ(catalogue_for(de).format("files-place-trash", nullptr), "Papierkorb");
    }

}
}
