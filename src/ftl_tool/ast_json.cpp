#include "ftl_tool/ast_json.h"

namespace files::ftl_tool {

namespace {

    namespace fluent = i18n::fluent;
    using Json = nlohmann::ordered_json;

    Json node(char const* type)
    {
        Json object = Json::object();
        object["type"] = type;
        return object;
    }

    Json identifier(std::string const& name)
    {
        Json object = node("Identifier");
        object["name"] = name;
        return object;
    }

    Json optional_identifier(std::optional<std::string> const& name)
    {
        return name ? identifier(*name) : Json(nullptr);
    }

    Json pattern_json(fluent::Pattern const& pattern);
    Json expression_json(fluent::Expression const& expression);

    Json literal_json(fluent::StringLiteral const& literal)
    {
        Json object = node("StringLiteral");
        object["value"] = literal.raw;
        return object;
    }

    Json literal_json(fluent::NumberLiteral const& literal)
    {
        Json object = node("NumberLiteral");
        object["value"] = literal.source;
        return object;
    }

    Json arguments_json(fluent::CallArguments const& arguments)
    {
        Json object = node("CallArguments");
        object["positional"] = Json::array();
        for (auto const& positional : arguments.positional)
            object["positional"].push_back(expression_json(positional));
        object["named"] = Json::array();
        for (auto const& named : arguments.named) {
            Json argument = node("NamedArgument");
            argument["name"] = identifier(named.name);
            argument["value"] = std::visit([](auto const& literal) { return literal_json(literal); }, named.value);
            object["named"].push_back(std::move(argument));
        }
        return object;
    }

    Json variant_json(fluent::Variant const& variant)
    {
        Json object = node("Variant");
        if (auto const* name = std::get_if<std::string>(&variant.key))
            object["key"] = identifier(*name);
        else
            object["key"] = literal_json(std::get<fluent::NumberLiteral>(variant.key));
        object["value"] = pattern_json(variant.value);
        object["default"] = variant.is_default;
        return object;
    }

    Json placeable_json(fluent::Placeable const& placeable)
    {
        Json object = node("Placeable");
        object["expression"] = expression_json(*placeable.expression);
        return object;
    }

    struct ExpressionVisitor {
        Json operator()(fluent::StringLiteral const& literal) const { return literal_json(literal); }
        Json operator()(fluent::NumberLiteral const& literal) const { return literal_json(literal); }
        Json operator()(fluent::VariableReference const& reference) const
        {
            Json object = node("VariableReference");
            object["id"] = identifier(reference.id);
            return object;
        }
        Json operator()(fluent::MessageReference const& reference) const
        {
            Json object = node("MessageReference");
            object["id"] = identifier(reference.id);
            object["attribute"] = optional_identifier(reference.attribute);
            return object;
        }
        Json operator()(fluent::TermReference const& reference) const
        {
            Json object = node("TermReference");
            object["id"] = identifier(reference.id);
            object["attribute"] = optional_identifier(reference.attribute);
            object["arguments"] = reference.arguments ? arguments_json(*reference.arguments) : Json(nullptr);
            return object;
        }
        Json operator()(fluent::FunctionReference const& reference) const
        {
            Json object = node("FunctionReference");
            object["id"] = identifier(reference.id);
            object["arguments"] = arguments_json(reference.arguments);
            return object;
        }
        Json operator()(fluent::SelectExpression const& select) const
        {
            Json object = node("SelectExpression");
            object["selector"] = expression_json(*select.selector);
            object["variants"] = Json::array();
            for (auto const& variant : select.variants)
                object["variants"].push_back(variant_json(variant));
            return object;
        }
        Json operator()(fluent::Placeable const& placeable) const { return placeable_json(placeable); }
    };

    Json expression_json(fluent::Expression const& expression)
    {
        return std::visit(ExpressionVisitor {}, expression.node);
    }

    Json pattern_json(fluent::Pattern const& pattern)
    {
        Json object = node("Pattern");
        object["elements"] = Json::array();
        for (auto const& element : pattern.elements) {
            if (auto const* text = std::get_if<fluent::TextElement>(&element)) {
                Json text_element = node("TextElement");
                text_element["value"] = text->value;
                object["elements"].push_back(std::move(text_element));
            } else {
                object["elements"].push_back(placeable_json(std::get<fluent::Placeable>(element)));
            }
        }
        return object;
    }

    Json attributes_json(std::vector<fluent::Attribute> const& attributes)
    {
        Json list = Json::array();
        for (auto const& attribute : attributes) {
            Json object = node("Attribute");
            object["id"] = identifier(attribute.id);
            object["value"] = pattern_json(attribute.value);
            list.push_back(std::move(object));
        }
        return list;
    }

    // The parser keeps an attached comment as its text; an empty text means
    // none was attached.
    Json attached_comment(std::string const& comment)
    {
        if (comment.empty())
            return nullptr;
        Json object = node("Comment");
        object["content"] = comment;
        return object;
    }

    char const* comment_type(fluent::CommentLevel level)
    {
        switch (level) {
        case fluent::CommentLevel::Comment:
            return "Comment";
        case fluent::CommentLevel::Group:
            return "GroupComment";
        case fluent::CommentLevel::Resource:
            return "ResourceComment";
        }
        return "Comment";
    }

    struct EntryVisitor {
        Json operator()(fluent::Message const& message) const
        {
            Json object = node("Message");
            object["id"] = identifier(message.id);
            object["value"] = message.value ? pattern_json(*message.value) : Json(nullptr);
            object["attributes"] = attributes_json(message.attributes);
            object["comment"] = attached_comment(message.comment);
            return object;
        }
        Json operator()(fluent::Term const& term) const
        {
            Json object = node("Term");
            object["id"] = identifier(term.id);
            object["value"] = pattern_json(term.value);
            object["attributes"] = attributes_json(term.attributes);
            object["comment"] = attached_comment(term.comment);
            return object;
        }
        Json operator()(fluent::Comment const& comment) const
        {
            Json object = node(comment_type(comment.level));
            object["content"] = comment.content;
            return object;
        }
        Json operator()(fluent::Junk const& junk) const
        {
            Json object = node("Junk");
            object["annotations"] = Json::array();
            object["content"] = junk.content;
            return object;
        }
    };

}

nlohmann::ordered_json resource_to_json(i18n::fluent::Resource const& resource)
{
    Json object = node("Resource");
    object["body"] = Json::array();
    for (auto const& entry : resource.body)
        object["body"].push_back(std::visit(EntryVisitor {}, entry));
    return object;
}

}
