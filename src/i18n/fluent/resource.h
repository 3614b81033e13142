#pragma once

// The syntax tree of a Fluent resource, as the parser produces it and the
// bundle formats it. Every node owns its children; the tree is move-only.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace files::i18n::fluent {

struct Expression;

// A run of literal text. Line breaks inside multiline patterns are "\n".
struct TextElement {
    std::string value;
};

// "{ expression }" inside a pattern, or nested inside another placeable.
struct Placeable {
    std::unique_ptr<Expression> expression;
};

using PatternElement = std::variant<TextElement, Placeable>;

// A message value, attribute value or variant value after indentation has
// been removed.
struct Pattern {
    std::vector<PatternElement> elements;
};

// A quoted literal: value has its escapes resolved, raw is the text between
// the quotes exactly as written.
struct StringLiteral {
    std::string value;
    std::string raw;
};

// A number literal as written ("-1.50") and its value.
struct NumberLiteral {
    std::string source;
    double value { 0 };
    int fraction_digits { 0 };
};

struct VariableReference {
    std::string id;
};

struct MessageReference {
    std::string id;
    std::optional<std::string> attribute;
};

struct NamedArgument {
    std::string name;
    std::variant<StringLiteral, NumberLiteral> value;
};

struct CallArguments {
    std::vector<Expression> positional;
    std::vector<NamedArgument> named;
};

struct TermReference {
    std::string id;
    std::optional<std::string> attribute;
    std::optional<CallArguments> arguments;
};

struct FunctionReference {
    std::string id;
    CallArguments arguments;
};

// A variant key is either an identifier ("one", "other", "masculine") or a
// number literal ("0", "1.5").
using VariantKey = std::variant<std::string, NumberLiteral>;

struct Variant {
    VariantKey key;
    Pattern value;
    bool is_default { false };
};

// "{ selector -> [key] value ... *[key] value }"; exactly one variant is the
// default one.
struct SelectExpression {
    std::unique_ptr<Expression> selector;
    std::vector<Variant> variants;
};

struct Expression {
    std::variant<StringLiteral, NumberLiteral, VariableReference, MessageReference, TermReference, FunctionReference,
        SelectExpression, Placeable>
        node;
};

struct Attribute {
    std::string id;
    Pattern value;
};

// A message has a value, attributes, or both.
struct Message {
    std::string id;
    std::optional<Pattern> value;
    std::vector<Attribute> attributes;
    std::string comment;
};

// A term ("-brand-name") always has a value and can only be referenced from
// other patterns.
struct Term {
    std::string id;
    Pattern value;
    std::vector<Attribute> attributes;
    std::string comment;
};

enum class CommentLevel {
    Comment,
    Group,
    Resource,
};

// A standalone comment; a "#" comment directly above a message or term is
// attached to it instead.
struct Comment {
    CommentLevel level { CommentLevel::Comment };
    std::string content;
};

// Text that could not be parsed as an entry. Line and column (both from 1,
// column counted in code points) locate the first error and reason says
// what was expected there.
struct Junk {
    std::string content;
    std::size_t line { 0 };
    std::size_t column { 0 };
    std::string reason;
};

using Entry = std::variant<Message, Term, Comment, Junk>;

struct Resource {
    std::vector<Entry> body;
};

}
