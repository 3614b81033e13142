#include "ftl_tool/message_shape.h"

#include <algorithm>
#include <map>

namespace files::ftl_tool {

namespace {

    namespace fluent = i18n::fluent;

    std::string arguments_text(fluent::CallArguments const& arguments)
    {
        std::string text = "(";
        auto separate = [&] {
            if (text.size() > 1)
                text += ", ";
        };
        for (auto const& positional : arguments.positional) {
            separate();
            text += expression_text(positional);
        }
        for (auto const& named : arguments.named) {
            separate();
            text += named.name + ": ";
            if (auto const* string = std::get_if<fluent::StringLiteral>(&named.value))
                text += "\"" + string->raw + "\"";
            else
                text += std::get<fluent::NumberLiteral>(named.value).source;
        }
        return text + ")";
    }

    std::string key_text(fluent::VariantKey const& key)
    {
        if (auto const* name = std::get_if<std::string>(&key))
            return *name;
        return std::get<fluent::NumberLiteral>(key).source;
    }

    class ShapeCollector {
    public:
        explicit ShapeCollector(MessageShape& shape)
            : m_shape(shape)
        {
        }

        void visit_pattern(fluent::Pattern const& pattern)
        {
            for (auto const& element : pattern.elements) {
                if (auto const* placeable = std::get_if<fluent::Placeable>(&element))
                    visit_expression(*placeable->expression);
            }
        }

    private:
        void visit_arguments(fluent::CallArguments const& call)
        {
            for (auto const& positional : call.positional)
                visit_expression(positional);
        }

        void visit_select(fluent::SelectExpression const& select)
        {
            SelectorShape selector { expression_text(*select.selector), {}, {} };
            for (auto const& variant : select.variants) {
                selector.keys.insert(key_text(variant.key));
                if (variant.is_default)
                    selector.default_key = key_text(variant.key);
            }
            m_shape.selectors.push_back(std::move(selector));
            visit_expression(*select.selector);
            for (auto const& variant : select.variants)
                visit_pattern(variant.value);
        }

        void visit_expression(fluent::Expression const& expression)
        {
            auto const& node = expression.node;
            if (auto const* variable = std::get_if<fluent::VariableReference>(&node))
                m_shape.variables.insert(variable->id);
            else if (auto const* term = std::get_if<fluent::TermReference>(&node); term && term->arguments)
                visit_arguments(*term->arguments);
            else if (auto const* function = std::get_if<fluent::FunctionReference>(&node))
                visit_arguments(function->arguments);
            else if (auto const* select = std::get_if<fluent::SelectExpression>(&node))
                visit_select(*select);
            else if (auto const* placeable = std::get_if<fluent::Placeable>(&node))
                visit_expression(*placeable->expression);
        }

        MessageShape& m_shape;
    };

    template<typename Report>
    void compare_sets(std::set<std::string> const& reference, std::set<std::string> const& translation, Report report)
    {
        for (auto const& item : reference) {
            if (!translation.contains(item))
                report(item, true);
        }
        for (auto const& item : translation) {
            if (!reference.contains(item))
                report(item, false);
        }
    }

    void compare_selector(
        SelectorShape const& reference, SelectorShape const& translation, std::vector<std::string>& out)
    {
        std::string const subject = "selector { " + reference.selector + " } ";
        compare_sets(reference.keys, translation.keys, [&](std::string const& key, bool missing) {
            out.push_back(
                subject + (missing ? "lacks branch [" + key + "]" : "has branch [" + key + "] not in the reference"));
        });
        if (reference.default_key != translation.default_key)
            out.push_back(subject + "has default branch [" + translation.default_key + "], the reference ["
                + reference.default_key + "]");
    }

    // Select expressions are paired by selector text, in order of appearance,
    // so a message that selects on the same variable twice is compared one
    // occurrence against the other.
    void compare_selectors(std::vector<SelectorShape> const& reference, std::vector<SelectorShape> const& translation,
        std::vector<std::string>& out)
    {
        std::map<std::string, std::vector<SelectorShape const*>> unmatched;
        for (auto const& selector : translation)
            unmatched[selector.selector].push_back(&selector);
        for (auto const& selector : reference) {
            auto& candidates = unmatched[selector.selector];
            if (candidates.empty()) {
                out.push_back("selector { " + selector.selector + " } of the reference is missing");
                continue;
            }
            compare_selector(selector, *candidates.front(), out);
            candidates.erase(candidates.begin());
        }
        for (auto const& selector : translation) {
            auto& left = unmatched[selector.selector];
            auto const found = std::find(left.begin(), left.end(), &selector);
            if (found != left.end())
                out.push_back("selector { " + selector.selector + " } is not in the reference");
        }
    }

}

std::string expression_text(fluent::Expression const& expression)
{
    auto const& node = expression.node;
    if (auto const* variable = std::get_if<fluent::VariableReference>(&node))
        return "$" + variable->id;
    if (auto const* string = std::get_if<fluent::StringLiteral>(&node))
        return "\"" + string->raw + "\"";
    if (auto const* number = std::get_if<fluent::NumberLiteral>(&node))
        return number->source;
    if (auto const* message = std::get_if<fluent::MessageReference>(&node))
        return message->id + (message->attribute ? "." + *message->attribute : "");
    if (auto const* term = std::get_if<fluent::TermReference>(&node))
        return "-" + term->id + (term->attribute ? "." + *term->attribute : "")
            + (term->arguments ? arguments_text(*term->arguments) : "");
    if (auto const* function = std::get_if<fluent::FunctionReference>(&node))
        return function->id + arguments_text(function->arguments);
    if (auto const* select = std::get_if<fluent::SelectExpression>(&node))
        return expression_text(*select->selector) + " -> …";
    return "{ " + expression_text(*std::get<fluent::Placeable>(node).expression) + " }";
}

MessageShape message_shape(fluent::Message const& message)
{
    MessageShape shape;
    ShapeCollector collector(shape);
    shape.has_value = message.value.has_value();
    if (message.value)
        collector.visit_pattern(*message.value);
    for (auto const& attribute : message.attributes) {
        shape.attributes.insert(attribute.id);
        collector.visit_pattern(attribute.value);
    }
    return shape;
}

std::vector<std::string> compare_shapes(MessageShape const& reference, MessageShape const& translation)
{
    std::vector<std::string> out;
    if (reference.has_value != translation.has_value)
        out.push_back(
            translation.has_value ? "has a value, the reference has none" : "has no value, the reference has one");
    compare_sets(reference.attributes, translation.attributes, [&](std::string const& name, bool missing) {
        out.push_back("attribute ." + name + (missing ? " of the reference is missing" : " is not in the reference"));
    });
    compare_sets(reference.variables, translation.variables, [&](std::string const& name, bool missing) {
        out.push_back("variable $" + name + (missing ? " of the reference is not used" : " is not in the reference"));
    });
    compare_selectors(reference.selectors, translation.selectors, out);
    return out;
}

}
