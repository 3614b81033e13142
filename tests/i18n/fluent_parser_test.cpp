// The Fluent parser: entries, patterns with their indentation rules,
// expressions, comments, and junk recovery with line, column and reason.

#include "i18n/fluent/parser.h"

#include <gtest/gtest.h>

namespace files::i18n::fluent {
namespace {

    // A pattern as text, with placeables shown as their kind, so tests can
    // compare whole patterns at a glance.
    std::string describe(Pattern const& pattern);

    std::string describe(Expression const& expression)
    {
        if (auto const* variable = std::get_if<VariableReference>(&expression.node))
            return "$" + variable->id;
        if (auto const* message = std::get_if<MessageReference>(&expression.node))
            return message->id + (message->attribute ? "." + *message->attribute : "");
        if (auto const* term = std::get_if<TermReference>(&expression.node))
            return "-" + term->id + (term->arguments ? "(…)" : "");
        if (auto const* text = std::get_if<StringLiteral>(&expression.node))
            return "\"" + text->value + "\"";
        if (auto const* number = std::get_if<NumberLiteral>(&expression.node))
            return number->source;
        if (auto const* function = std::get_if<FunctionReference>(&expression.node))
            return function->id + "()";
        if (auto const* select = std::get_if<SelectExpression>(&expression.node)) {
            std::string text = describe(*select->selector) + " ->";
            for (auto const& variant : select->variants) {
                auto const* key = std::get_if<std::string>(&variant.key);
                text += std::string(" ") + (variant.is_default ? "*" : "") + "["
                    + (key ? *key : std::get<NumberLiteral>(variant.key).source) + "] " + describe(variant.value);
            }
            return text;
        }
        return "{" + describe(*std::get<Placeable>(expression.node).expression) + "}";
    }

    std::string describe(Pattern const& pattern)
    {
        std::string text;
        for (auto const& element : pattern.elements) {
            if (auto const* literal = std::get_if<TextElement>(&element))
                text += literal->value;
            else
                text += "{" + describe(*std::get<Placeable>(element).expression) + "}";
        }
        return text;
    }

    Message const& only_message(Resource const& resource)
    {
        EXPECT_EQ(resource.body.size(), 1u);
        auto const* message = std::get_if<Message>(&resource.body.front());
        EXPECT_NE(message, nullptr);
        static Message const empty;
        return message ? *message : empty;
    }

    TEST(FluentParser, PatternsFollowTheIndentationRules)
    {
        struct Case {
            char const* name;
            char const* source;
            char const* value;
        };
        Case const cases[] = {
            { "inline", "key = Hello world\n", "Hello world" },
            { "trailing spaces trimmed", "key = Hello   \n", "Hello" },
            { "block starts on the next line", "key =\n    Hello\n", "Hello" },
            { "common indent removed", "key =\n    one\n      two\n    three\n", "one\n  two\nthree" },
            { "inline first line not counted", "key = one\n        two\n", "one\ntwo" },
            { "blank lines inside kept", "key =\n    one\n\n    two\n", "one\n\ntwo" },
            { "trailing blank lines dropped", "key = one\n\n\n", "one" },
            { "CRLF line ends", "key =\r\n    one\r\n    two\r\n", "one\ntwo" },
            { "block placeable counts for indent", "key =\n    { $a }\n  b\n", "  {$a}\nb" },
            { "text after a placeable", "key = a { $b } c\n", "a {$b} c" },
            { "string literal escapes", "key = { \"\\u00E9\\\\\\\"\" }\n", "{\"é\\\"\"}" },
            { "six-digit escape", "key = { \"\\U01F600\" }\n", "{\"😀\"}" },
            { "nested placeable", "key = { { $a } }\n", "{{$a}}" },
            { "message attribute reference", "key = { other.title }\n", "{other.title}" },
            { "term with arguments", "key = { -brand(case: \"dative\") }\n", "{-brand(…)}" },
            { "function", "key = { NUMBER($n, minimumFractionDigits: 2) }\n", "{NUMBER()}" },
            { "select", "key = { $n ->\n    [one] one\n    [0] zero\n   *[other] many\n}\n",
                "{$n -> [one] one [0] zero *[other] many}" },
            { "select on term attribute", "key = { -term.gender ->\n   *[masculine] er\n}\n",
                "{-term -> *[masculine] er}" },
            { "multiline variant", "key = { $n ->\n   *[other]\n        first\n        second\n}\n",
                "{$n -> *[other] first\nsecond}" },
        };
        for (auto const& test : cases) {
            SCOPED_TRACE(test.name);
            Resource const resource = parse(test.source);
            Message const& message = only_message(resource);
            ASSERT_TRUE(message.value.has_value());
            EXPECT_EQ(describe(*message.value), test.value);
        }
    }

    TEST(FluentParser, ReadsTermsAttributesAndComments)
    {
        Resource const resource = parse("### Resource note\n\n"
                                        "## Group\n\n"
                                        "# About the brand\n"
                                        "-brand = Files\n"
                                        "    .gender = neuter\n"
                                        "# Standalone\n\n"
                                        "menu =\n"
                                        "    .label = Open\n"
                                        "    .key = O\n");
        ASSERT_EQ(resource.body.size(), 5u);
        EXPECT_EQ(std::get<Comment>(resource.body[0]).level, CommentLevel::Resource);
        EXPECT_EQ(std::get<Comment>(resource.body[1]).level, CommentLevel::Group);
        auto const& term = std::get<Term>(resource.body[2]);
        EXPECT_EQ(term.id, "brand");
        EXPECT_EQ(term.comment, "About the brand");
        ASSERT_EQ(term.attributes.size(), 1u);
        EXPECT_EQ(describe(term.attributes[0].value), "neuter");
        EXPECT_EQ(std::get<Comment>(resource.body[3]).content, "Standalone");
        auto const& menu = std::get<Message>(resource.body[4]);
        EXPECT_FALSE(menu.value.has_value());
        ASSERT_EQ(menu.attributes.size(), 2u);
        EXPECT_EQ(menu.attributes[1].id, "key");
    }

    TEST(FluentParser, BrokenEntriesBecomeJunkAndTheRestIsKept)
    {
        struct Case {
            char const* name;
            char const* source;
            std::size_t line;
            std::size_t column;
            char const* reason;
            char const* content;
        };
        Case const cases[] = {
            { "missing equals", "good = 1\nbad value\nnext = 2\n", 2, 5, "Expected token: \"=\"", "bad value\n" },
            { "no value", "good = 1\nempty =\nnext = 2\n", 2, 8,
                "Expected message \"empty\" to have a value or attributes", "empty =\n" },
            { "unclosed placeable", "good = 1\nbad = { $x\nnext = 2\n", 3, 1, "Expected token: \"}\"", "bad = { $x\n" },
            { "no default variant", "good = 1\nbad = { $n ->\n   [one] x\n}\nnext = 2\n", 4, 1,
                "Expected default variant", "bad = { $n ->\n   [one] x\n}\n" },
            { "message reference as selector", "good = 1\nbad = { msg ->\n  *[a] x\n}\nnext = 2\n", 2, 9,
                "Message references cannot be used as selectors", "bad = { msg ->\n  *[a] x\n}\n" },
            { "term attribute as placeable", "good = 1\nbad = { -t.attr }\nnext = 2\n", 2, 9,
                "Attributes of terms cannot be used as placeables", "bad = { -t.attr }\n" },
            { "lower-case callee", "good = 1\nbad = { number(1) }\nnext = 2\n", 2, 9,
                "The callee has to be an upper-case identifier or a term", "bad = { number(1) }\n" },
            { "unknown escape", "good = 1\nbad = { \"\\q\" }\nnext = 2\n", 2, 10, "Unknown escape sequence: \\q",
                "bad = { \"\\q\" }\n" },
            { "stray closing brace", "good = 1\nbad = a } b\nnext = 2\n", 2, 9,
                "Unbalanced closing brace in TextElement", "bad = a } b\n" },
            { "no entry start", "good = 1\n= bad\nnext = 2\n", 2, 1, "Expected an entry start", "= bad\n" },
            { "comment without space", "good = 1\n#bad\nnext = 2\n", 2, 2, "Expected token: \" \"", "#bad\n" },
            { "column counts code points", "good = 1\nbäd = x\nnext = 2\n", 2, 2, "Expected token: \"=\"",
                "bäd = x\n" },
        };
        for (auto const& test : cases) {
            SCOPED_TRACE(test.name);
            Resource const resource = parse(test.source);
            ASSERT_EQ(resource.body.size(), 3u);
            EXPECT_EQ(std::get<Message>(resource.body[0]).id, "good");
            auto const* junk = std::get_if<Junk>(&resource.body[1]);
            ASSERT_NE(junk, nullptr);
            EXPECT_EQ(junk->line, test.line);
            EXPECT_EQ(junk->column, test.column);
            EXPECT_EQ(junk->reason, test.reason);
            EXPECT_EQ(junk->content, test.content);
            EXPECT_EQ(std::get<Message>(resource.body[2]).id, "next");
        }
    }

    TEST(FluentParser, StringLiteralsKeepTheirTextAsWritten)
    {
        Resource const resource = parse("key = { \"a\\\"b\\u00E9\\\\\" } { \"\" }\n");
        Message const& message = only_message(resource);
        ASSERT_TRUE(message.value.has_value());
        ASSERT_EQ(message.value->elements.size(), 3u);
        auto const& escaped
            = std::get<StringLiteral>(std::get<Placeable>(message.value->elements[0]).expression->node);
        EXPECT_EQ(escaped.value, "a\"b\u00e9\\");
        EXPECT_EQ(escaped.raw, "a\\\"b\\u00E9\\\\");
        auto const& empty = std::get<StringLiteral>(std::get<Placeable>(message.value->elements[2]).expression->node);
        EXPECT_EQ(empty.raw, "");
    }

    TEST(FluentParser, DeepNestingIsRejectedWithoutExhaustingTheStack)
    {
        std::string source = "deep = ";
        for (int i = 0; i < 100000; ++i)
            source += "{ ";
        source += "\nnext = 2\n";
        Resource const resource = parse(source);
        ASSERT_EQ(resource.body.size(), 2u);
        EXPECT_EQ(std::get<Junk>(resource.body[0]).reason, "Placeables are nested too deeply");
        EXPECT_EQ(std::get<Message>(resource.body[1]).id, "next");
    }

}
}
