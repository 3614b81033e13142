// The syntax-tree dump: node shapes of the reference tree for each kind of
// entry and expression, and every message and term of the shipped
// resources present with its attributes and variants.

#include "ftl_tool/ast_json.h"
#include "i18n/fluent/parser.h"
#include "i18n/resources.h"

#include <gtest/gtest.h>

namespace files::ftl_tool {
namespace {

    namespace fluent = i18n::fluent;
    using Json = nlohmann::ordered_json;

    TEST(Dump, NodesHaveTheShapesOfTheReferenceTree)
    {
        fluent::Resource const resource = fluent::parse("### Note\n"
                                                        "\n"
                                                        "# About the brand\n"
                                                        "-brand = Files\n"
                                                        "    .gender = neuter\n"
                                                        "\n"
                                                        "## Group\n"
                                                        "key = { \"a\\\"b\" }{ NUMBER($n, style: \"x\") }{ { 1.50 } }\n"
                                                        "    .sel = { -brand.gender ->\n"
                                                        "        [0] zero\n"
                                                        "       *[other] { -brand(case: 2) }{ other.attr }\n"
                                                        "    }\n"
                                                        "broken = {\n");
        Json const expected = Json::parse(R"({"type": "Resource", "body": [
            {"type": "ResourceComment", "content": "Note"},
            {"type": "Term", "id": {"type": "Identifier", "name": "brand"},
             "value": {"type": "Pattern", "elements": [{"type": "TextElement", "value": "Files"}]},
             "attributes": [{"type": "Attribute", "id": {"type": "Identifier", "name": "gender"},
                             "value": {"type": "Pattern", "elements": [{"type": "TextElement", "value": "neuter"}]}}],
             "comment": {"type": "Comment", "content": "About the brand"}},
            {"type": "GroupComment", "content": "Group"},
            {"type": "Message", "id": {"type": "Identifier", "name": "key"},
             "value": {"type": "Pattern", "elements": [
                {"type": "Placeable", "expression": {"type": "StringLiteral", "value": "a\\\"b"}},
                {"type": "Placeable", "expression":
                    {"type": "FunctionReference", "id": {"type": "Identifier", "name": "NUMBER"},
                     "arguments": {"type": "CallArguments",
                        "positional": [{"type": "VariableReference", "id": {"type": "Identifier", "name": "n"}}],
                        "named": [{"type": "NamedArgument", "name": {"type": "Identifier", "name": "style"},
                                   "value": {"type": "StringLiteral", "value": "x"}}]}}},
                {"type": "Placeable", "expression":
                    {"type": "Placeable", "expression": {"type": "NumberLiteral", "value": "1.50"}}}]},
             "attributes": [{"type": "Attribute", "id": {"type": "Identifier", "name": "sel"},
                "value": {"type": "Pattern", "elements": [{"type": "Placeable", "expression": {
                    "type": "SelectExpression",
                    "selector": {"type": "TermReference", "id": {"type": "Identifier", "name": "brand"},
                                 "attribute": {"type": "Identifier", "name": "gender"}, "arguments": null},
                    "variants": [
                        {"type": "Variant", "key": {"type": "NumberLiteral", "value": "0"},
                         "value": {"type": "Pattern", "elements": [{"type": "TextElement", "value": "zero"}]},
                         "default": false},
                        {"type": "Variant", "key": {"type": "Identifier", "name": "other"},
                         "value": {"type": "Pattern", "elements": [
                            {"type": "Placeable", "expression":
                                {"type": "TermReference", "id": {"type": "Identifier", "name": "brand"},
                                 "attribute": null, "arguments": {"type": "CallArguments", "positional": [],
                                    "named": [{"type": "NamedArgument", "name": {"type": "Identifier", "name": "case"},
                                               "value": {"type": "NumberLiteral", "value": "2"}}]}}},
                            {"type": "Placeable", "expression":
                                {"type": "MessageReference", "id": {"type": "Identifier", "name": "other"},
                                 "attribute": {"type": "Identifier", "name": "attr"}}}]},
                         "default": true}]}}]}}],
             "comment": null},
            {"type": "Junk", "annotations": [], "content": "broken = {\n"}
        ]})");
        EXPECT_EQ(resource_to_json(resource).dump(2), expected.dump(2));
    }

    // What must survive the dump of an entry: its kind and id, its attribute
    // ids in order, and every variant's key and default flag in document order.
    struct Outline {
        std::string entry;
        std::vector<std::string> attributes;
        std::vector<std::string> variants;
        bool operator==(Outline const&) const = default;
    };

    void variants_of(fluent::Pattern const& pattern, std::vector<std::string>& out);

    void variants_of(fluent::Expression const& expression, std::vector<std::string>& out)
    {
        if (auto const* placeable = std::get_if<fluent::Placeable>(&expression.node))
            return variants_of(*placeable->expression, out);
        auto const* select = std::get_if<fluent::SelectExpression>(&expression.node);
        if (!select)
            return;
        for (auto const& variant : select->variants) {
            auto const* name = std::get_if<std::string>(&variant.key);
            out.push_back(
                (variant.is_default ? "*" : "") + (name ? *name : std::get<fluent::NumberLiteral>(variant.key).source));
            variants_of(variant.value, out);
        }
    }

    void variants_of(fluent::Pattern const& pattern, std::vector<std::string>& out)
    {
        for (auto const& element : pattern.elements) {
            if (auto const* placeable = std::get_if<fluent::Placeable>(&element))
                variants_of(*placeable->expression, out);
        }
    }

    template<typename Entry> Outline outline_of(char const* kind, Entry const& entry, fluent::Pattern const* value)
    {
        Outline outline { std::string(kind) + " " + entry.id, {}, {} };
        if (value)
            variants_of(*value, outline.variants);
        for (auto const& attribute : entry.attributes) {
            outline.attributes.push_back(attribute.id);
            variants_of(attribute.value, outline.variants);
        }
        return outline;
    }

    std::vector<Outline> outlines_of(fluent::Resource const& resource)
    {
        std::vector<Outline> outlines;
        for (auto const& entry : resource.body) {
            if (auto const* message = std::get_if<fluent::Message>(&entry))
                outlines.push_back(outline_of("Message", *message, message->value ? &*message->value : nullptr));
            else if (auto const* term = std::get_if<fluent::Term>(&entry))
                outlines.push_back(outline_of("Term", *term, &term->value));
        }
        return outlines;
    }

    // Walks the JSON alone, without the parser's types, depth first in
    // member order.
    void variants_of(Json const& node, std::vector<std::string>& out)
    {
        if (node.is_object() && node.value("type", "") == "Variant") {
            Json const& key = node.at("key");
            std::string const text = key.at("type") == "Identifier" ? key.at("name") : key.at("value");
            out.push_back((node.at("default").get<bool>() ? "*" : "") + text);
        }
        if (node.is_structured()) {
            for (auto const& child : node)
                variants_of(child, out);
        }
    }

    std::vector<Outline> outlines_of(Json const& resource)
    {
        std::vector<Outline> outlines;
        for (auto const& entry : resource.at("body")) {
            std::string const type = entry.at("type");
            if (type != "Message" && type != "Term")
                continue;
            Outline outline { type + " " + entry.at("id").at("name").get<std::string>(), {}, {} };
            variants_of(entry.at("value"), outline.variants);
            for (auto const& attribute : entry.at("attributes")) {
                outline.attributes.push_back(attribute.at("id").at("name"));
                variants_of(attribute.at("value"), outline.variants);
            }
            outlines.push_back(std::move(outline));
        }
        return outlines;
    }

    TEST(Dump, ShippedResourcesRoundTrip)
    {
        for (auto const source : { i18n::en_us_resource(), i18n::de_de_resource() }) {
            fluent::Resource const resource = fluent::parse(source);
            // The dump is printed and read back, as a comparison script would.
            Json const dumped = Json::parse(resource_to_json(resource).dump(4));
            std::vector<Outline> const expected = outlines_of(resource);
            std::vector<Outline> const actual = outlines_of(dumped);
            EXPECT_EQ(expected.size(), 426u);
            EXPECT_TRUE(actual == expected);
            std::size_t variants = 0;
            for (auto const& outline : actual)
                variants += outline.variants.size();
            EXPECT_GT(variants, 0u);
        }
    }

}
}
