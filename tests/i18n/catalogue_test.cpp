// Both embedded resources against the declared message table: no junk, the
// same ids in the same order, the same variables, plural selectors on every
// count, and every message formatting cleanly in both languages.

#include "i18n/fluent/bundle.h"
#include "i18n/fluent/parser.h"
#include "i18n/message_ids.h"
#include "i18n/resources.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

namespace files::i18n {
namespace {

    struct NamedResource {
        char const* locale;
        std::string_view source;
    };

    std::vector<NamedResource> resources() { return { { "en-US", en_us_resource() }, { "de-DE", de_de_resource() } }; }

    // Collects variable references and the variables that select expressions
    // switch on, through placeables, selectors and variant values.
    struct VariableUse {
        std::set<std::string> referenced;
        std::set<std::string> selected;
    };

    void collect(fluent::Pattern const& pattern, VariableUse& use);

    void collect(fluent::Expression const& expression, VariableUse& use)
    {
        if (auto const* variable = std::get_if<fluent::VariableReference>(&expression.node)) {
            use.referenced.insert(variable->id);
        } else if (auto const* select = std::get_if<fluent::SelectExpression>(&expression.node)) {
            if (auto const* selector = std::get_if<fluent::VariableReference>(&select->selector->node))
                use.selected.insert(selector->id);
            collect(*select->selector, use);
            for (auto const& variant : select->variants)
                collect(variant.value, use);
        } else if (auto const* placeable = std::get_if<fluent::Placeable>(&expression.node)) {
            collect(*placeable->expression, use);
        }
    }

    void collect(fluent::Pattern const& pattern, VariableUse& use)
    {
        for (auto const& element : pattern.elements) {
            if (auto const* placeable = std::get_if<fluent::Placeable>(&element))
                collect(*placeable->expression, use);
        }
    }

    TEST(Catalogue, ResourcesDeclareExactlyTheTableInOrder)
    {
        auto const declared = declared_messages();
        ASSERT_EQ(declared.size(), 426u);
        for (auto const& [locale, source] : resources()) {
            SCOPED_TRACE(locale);
            fluent::Resource const resource = fluent::parse(source);
            std::vector<fluent::Message const*> messages;
            for (auto const& entry : resource.body) {
                if (auto const* junk = std::get_if<fluent::Junk>(&entry))
                    ADD_FAILURE() << "junk at " << junk->line << ":" << junk->column << ": " << junk->reason;
                if (auto const* message = std::get_if<fluent::Message>(&entry))
                    messages.push_back(message);
            }
            ASSERT_EQ(messages.size(), declared.size());
            for (std::size_t i = 0; i < declared.size(); ++i) {
                SCOPED_TRACE(declared[i].id);
                ASSERT_EQ(messages[i]->id, declared[i].id);
                ASSERT_TRUE(messages[i]->value.has_value());
                VariableUse use;
                collect(*messages[i]->value, use);
                auto const names = declared[i].variable_names();
                EXPECT_EQ(use.referenced, std::set<std::string>(names.begin(), names.end()));
                for (auto const name : names) {
                    if (is_count_variable(name)) {
                        EXPECT_TRUE(use.selected.contains(std::string(name))) << "no plural selector on $" << name;
                    }
                }
            }
        }
    }

    fluent::Arguments arguments_for(MessageDeclaration const& declaration, int count)
    {
        fluent::Arguments arguments;
        for (auto const name : declaration.variable_names()) {
            if (is_number_variable(name))
                arguments.emplace_back(name, count);
            else
                arguments.emplace_back(name, "«" + std::string(name) + "»");
        }
        return arguments;
    }

    TEST(Catalogue, EveryMessageFormatsWithoutErrorInBothLanguages)
    {
        for (auto const& [locale, source] : resources()) {
            SCOPED_TRACE(locale);
            fluent::Bundle bundle({ locale });
            EXPECT_TRUE(bundle.add_resource(fluent::parse(source)).empty());
            for (auto const& declaration : declared_messages()) {
                SCOPED_TRACE(declaration.id);
                fluent::Message const* message = bundle.message(declaration.id);
                ASSERT_NE(message, nullptr);
                for (int count : { 0, 1, 2, 5, 21 }) {
                    fluent::FormatErrors errors;
                    auto const arguments = arguments_for(declaration, count);
                    std::string const formatted = bundle.format_pattern(*message->value, &arguments, errors);
                    EXPECT_TRUE(errors.empty()) << errors.front().text;
                    EXPECT_FALSE(formatted.empty());
                    for (auto const& argument : arguments)
                        EXPECT_NE(formatted.find(fluent::value_text(argument.value)), std::string::npos) << formatted;
                }
            }
        }
    }

}
}
