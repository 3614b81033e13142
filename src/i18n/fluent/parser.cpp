#include "i18n/fluent/parser.h"

#include "i18n/fluent/detail/cursor.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace files::i18n::fluent {

namespace {

    using detail::Cursor;
    using detail::Parsed;
    using detail::ParseError;

    bool is_identifier_start(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    bool is_identifier_char(char c) { return is_identifier_start(c) || (c >= '0' && c <= '9') || c == '_' || c == '-'; }
    bool is_digit(char c) { return c >= '0' && c <= '9'; }

    bool is_callee(std::string_view id)
    {
        return std::all_of(id.begin(), id.end(),
            [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'; });
    }

    std::unexpected<ParseError> error_at(std::size_t position, std::string reason)
    {
        return std::unexpected(ParseError { position, std::move(reason) });
    }

    // A run of indentation (with the line breaks of the blank lines before it)
    // that is only known to be text once the common indentation is removed.
    struct Indent {
        std::string value;
    };

    using RawElement = std::variant<TextElement, Placeable, Indent>;

    // The recursive-descent parser proper. Each method consumes what it parsed
    // on success; on failure the caller turns the whole entry into junk.
    class Parser {
    public:
        explicit Parser(std::string_view source)
            : m_cursor(source)
        {
        }

        Resource parse_resource();

    private:
        Parsed<Entry> parse_entry();
        Entry parse_entry_or_junk();
        Parsed<Comment> parse_comment();
        Parsed<Message> parse_message();
        Parsed<Term> parse_term();
        Parsed<std::vector<Attribute>> parse_attributes();
        Parsed<std::string> parse_identifier();
        Parsed<std::optional<Pattern>> parse_optional_pattern();
        Parsed<Pattern> parse_pattern(bool block);
        Parsed<Placeable> parse_placeable();
        Parsed<Expression> parse_expression();
        Parsed<Expression> parse_inline_expression();
        Parsed<Expression> parse_identifier_expression();
        Parsed<CallArguments> parse_call_arguments();
        Parsed<std::vector<Variant>> parse_variants();
        Parsed<Variant> parse_variant(bool has_default);
        Parsed<NumberLiteral> parse_number();
        Parsed<StringLiteral> parse_string();
        Parsed<std::variant<StringLiteral, NumberLiteral>> parse_literal();
        std::optional<ParseError> expect(char c);
        std::optional<ParseError> expect_line_end();
        bool is_value_continuation(std::size_t line_start) const;
        bool is_variant_start() const;
        bool is_number_start() const;

        Cursor m_cursor;
        int m_depth { 0 };
    };

    std::optional<ParseError> Parser::expect(char c)
    {
        if (m_cursor.current() == c) {
            m_cursor.advance();
            return std::nullopt;
        }
        return ParseError { m_cursor.position(), std::string("Expected token: \"") + c + "\"" };
    }

    std::optional<ParseError> Parser::expect_line_end()
    {
        if (m_cursor.at_end())
            return std::nullopt;
        if (m_cursor.current() == '\n') {
            m_cursor.advance();
            return std::nullopt;
        }
        return ParseError { m_cursor.position(), "Expected a line end" };
    }

    Resource Parser::parse_resource()
    {
        Resource resource;
        std::optional<Comment> pending_comment;
        m_cursor.skip_blank_block();
        while (!m_cursor.at_end()) {
            Entry entry = parse_entry_or_junk();
            bool const blank_lines = m_cursor.skip_blank_block() > 0;
            auto* comment = std::get_if<Comment>(&entry);
            if (comment && comment->level == CommentLevel::Comment && !blank_lines && !m_cursor.at_end()) {
                pending_comment = std::move(*comment);
                continue;
            }
            if (pending_comment) {
                if (auto* message = std::get_if<Message>(&entry))
                    message->comment = std::move(pending_comment->content);
                else if (auto* term = std::get_if<Term>(&entry))
                    term->comment = std::move(pending_comment->content);
                else
                    resource.body.emplace_back(std::move(*pending_comment));
                pending_comment.reset();
            }
            resource.body.push_back(std::move(entry));
        }
        return resource;
    }

    Entry Parser::parse_entry_or_junk()
    {
        std::size_t const start = m_cursor.position();
        auto entry = parse_entry();
        std::optional<ParseError> error;
        if (entry)
            error = expect_line_end();
        else
            error = entry.error();
        if (!error)
            return std::move(*entry);

        m_cursor.seek(error->position);
        m_cursor.skip_to_next_entry_start(start);
        auto const [line, column] = m_cursor.line_and_column(error->position);
        return Junk { std::string(m_cursor.slice(start, m_cursor.position())), line, column, std::move(error->reason) };
    }

    Parsed<Entry> Parser::parse_entry()
    {
        char const c = m_cursor.current();
        if (c == '#')
            return detail::map_parsed(parse_comment(), [](Comment comment) { return Entry(std::move(comment)); });
        if (c == '-')
            return detail::map_parsed(parse_term(), [](Term term) { return Entry(std::move(term)); });
        if (is_identifier_start(c))
            return detail::map_parsed(parse_message(), [](Message message) { return Entry(std::move(message)); });
        return error_at(m_cursor.position(), "Expected an entry start");
    }

    Parsed<Comment> Parser::parse_comment()
    {
        int level = -1;
        std::string content;
        while (true) {
            int hashes = 0;
            while (m_cursor.current() == '#' && hashes < (level == -1 ? 3 : level + 1)) {
                m_cursor.advance();
                ++hashes;
            }
            if (level == -1)
                level = hashes - 1;
            if (!m_cursor.at_end() && m_cursor.current() != '\n') {
                if (auto error = expect(' '))
                    return std::unexpected(*error);
                content += m_cursor.take_line();
            }
            if (!m_cursor.next_line_is_comment(level + 1))
                break;
            content += '\n';
            m_cursor.advance();
        }
        return Comment { static_cast<CommentLevel>(level), std::move(content) };
    }

    Parsed<Message> Parser::parse_message()
    {
        Message message;
        message.id = TRY_PARSE(parse_identifier());
        m_cursor.skip_blank_inline();
        TRY_EXPECT(expect('='));
        message.value = TRY_PARSE(parse_optional_pattern());
        message.attributes = TRY_PARSE(parse_attributes());
        if (!message.value && message.attributes.empty())
            return error_at(
                m_cursor.position(), "Expected message \"" + message.id + "\" to have a value or attributes");
        return message;
    }

    Parsed<Term> Parser::parse_term()
    {
        Term term;
        m_cursor.advance();
        term.id = TRY_PARSE(parse_identifier());
        m_cursor.skip_blank_inline();
        TRY_EXPECT(expect('='));
        auto value = TRY_PARSE(parse_optional_pattern());
        if (!value)
            return error_at(m_cursor.position(), "Expected term \"-" + term.id + "\" to have a value");
        term.value = std::move(*value);
        term.attributes = TRY_PARSE(parse_attributes());
        return term;
    }

    Parsed<std::vector<Attribute>> Parser::parse_attributes()
    {
        std::vector<Attribute> attributes;
        while (true) {
            std::size_t const after_blank = m_cursor.peek_blank(m_cursor.position());
            if (m_cursor.at(after_blank) != '.')
                return attributes;
            m_cursor.seek(after_blank + 1);
            Attribute attribute;
            attribute.id = TRY_PARSE(parse_identifier());
            m_cursor.skip_blank_inline();
            TRY_EXPECT(expect('='));
            auto value = TRY_PARSE(parse_optional_pattern());
            if (!value)
                return error_at(m_cursor.position(), "Expected value");
            attribute.value = std::move(*value);
            attributes.push_back(std::move(attribute));
        }
    }

    Parsed<std::string> Parser::parse_identifier()
    {
        std::size_t const start = m_cursor.position();
        if (!is_identifier_start(m_cursor.current()))
            return error_at(start, "Expected a character from range: \"a-zA-Z\"");
        while (is_identifier_char(m_cursor.current()))
            m_cursor.advance();
        return std::string(m_cursor.slice(start, m_cursor.position()));
    }

    bool Parser::is_value_continuation(std::size_t line_start) const
    {
        std::size_t const after_indent = m_cursor.peek_blank_inline(line_start);
        char const c = m_cursor.at(after_indent);
        if (c == '{')
            return true;
        if (after_indent == line_start || after_indent >= m_cursor.size())
            return false;
        return c != '}' && c != '.' && c != '[' && c != '*';
    }

    Parsed<std::optional<Pattern>> Parser::parse_optional_pattern()
    {
        std::size_t const after_inline = m_cursor.peek_blank_inline(m_cursor.position());
        if (after_inline < m_cursor.size() && m_cursor.at(after_inline) != '\n') {
            m_cursor.seek(after_inline);
            return detail::map_parsed(
                parse_pattern(false), [](Pattern p) { return std::optional<Pattern>(std::move(p)); });
        }
        std::size_t const line_start = m_cursor.peek_blank_block(after_inline).position;
        if (is_value_continuation(line_start)) {
            m_cursor.seek(line_start);
            return detail::map_parsed(
                parse_pattern(true), [](Pattern p) { return std::optional<Pattern>(std::move(p)); });
        }
        return std::optional<Pattern>();
    }

    // Removes the common indentation of a multiline pattern, joins adjacent text
    // and trims trailing white space of the final text.
    Pattern dedent(std::vector<RawElement> elements, std::size_t common_indent)
    {
        Pattern pattern;
        // The index of the text element that following text joins, if any.
        std::optional<std::size_t> open_text;
        for (auto& element : elements) {
            if (auto* placeable = std::get_if<Placeable>(&element)) {
                pattern.elements.emplace_back(std::move(*placeable));
                open_text.reset();
                continue;
            }
            std::string text;
            if (auto* indent = std::get_if<Indent>(&element)) {
                text = std::move(indent->value);
                text.resize(text.size() - std::min(common_indent, text.size()));
                if (text.empty())
                    continue;
            } else if (auto* literal = std::get_if<TextElement>(&element)) {
                text = std::move(literal->value);
            }
            if (open_text) {
                if (auto* joined = std::get_if<TextElement>(&pattern.elements[*open_text]))
                    joined->value += text;
                continue;
            }
            open_text = pattern.elements.size();
            pattern.elements.emplace_back(TextElement { std::move(text) });
        }
        auto* last = open_text ? std::get_if<TextElement>(&pattern.elements[*open_text]) : nullptr;
        if (last && *open_text + 1 == pattern.elements.size()) {
            auto const end = last->value.find_last_not_of(" \n");
            last->value.resize(end == std::string::npos ? 0 : end + 1);
            if (last->value.empty())
                pattern.elements.pop_back();
        }
        return pattern;
    }

    Parsed<Pattern> Parser::parse_pattern(bool block)
    {
        std::vector<RawElement> elements;
        std::size_t common_indent = std::numeric_limits<std::size_t>::max();
        if (block) {
            std::size_t const indent = m_cursor.skip_blank_inline();
            elements.emplace_back(Indent { std::string(indent, ' ') });
            common_indent = indent;
        }
        while (!m_cursor.at_end()) {
            char const c = m_cursor.current();
            if (c == '\n') {
                auto const blank = m_cursor.peek_blank_block(m_cursor.position());
                if (!is_value_continuation(blank.position))
                    break;
                m_cursor.seek(blank.position);
                std::size_t const indent = m_cursor.skip_blank_inline();
                common_indent = std::min(common_indent, indent);
                elements.emplace_back(Indent { std::string(blank.line_ends, '\n') + std::string(indent, ' ') });
            } else if (c == '{') {
                elements.emplace_back(TRY_PARSE(parse_placeable()));
            } else if (c == '}') {
                return error_at(m_cursor.position(), "Unbalanced closing brace in TextElement");
            } else {
                elements.emplace_back(TextElement { std::string(m_cursor.take_text()) });
            }
        }
        return dedent(std::move(elements), common_indent);
    }

    Parsed<Placeable> Parser::parse_placeable()
    {
        if (m_depth >= max_nesting_depth)
            return error_at(m_cursor.position(), "Placeables are nested too deeply");
        ++m_depth;
        m_cursor.advance();
        m_cursor.skip_blank();
        auto expression = parse_expression();
        --m_depth;
        if (!expression)
            return std::unexpected(expression.error());
        m_cursor.skip_blank();
        TRY_EXPECT(expect('}'));
        return Placeable { std::make_unique<Expression>(std::move(*expression)) };
    }

    std::optional<std::string> selector_error(Expression const& selector)
    {
        if (auto const* message = std::get_if<MessageReference>(&selector.node))
            return message->attribute ? "Attributes of messages cannot be used as selectors"
                                      : "Message references cannot be used as selectors";
        if (auto const* term = std::get_if<TermReference>(&selector.node); term && !term->attribute)
            return "Terms cannot be used as selectors";
        if (std::holds_alternative<Placeable>(selector.node))
            return "Placeables cannot be used as selectors";
        return std::nullopt;
    }

    Parsed<Expression> Parser::parse_expression()
    {
        std::size_t const start = m_cursor.position();
        Expression selector = TRY_PARSE(parse_inline_expression());
        m_cursor.skip_blank();
        if (m_cursor.current() != '-' || m_cursor.at(m_cursor.position() + 1) != '>') {
            if (auto const* term = std::get_if<TermReference>(&selector.node); term && term->attribute)
                return error_at(start, "Attributes of terms cannot be used as placeables");
            return selector;
        }
        if (auto reason = selector_error(selector))
            return error_at(start, std::move(*reason));
        m_cursor.seek(m_cursor.position() + 2);
        m_cursor.skip_blank_inline();
        TRY_EXPECT(expect_line_end());
        SelectExpression select;
        select.selector = std::make_unique<Expression>(std::move(selector));
        select.variants = TRY_PARSE(parse_variants());
        return Expression { std::move(select) };
    }

    bool Parser::is_number_start() const
    {
        char const c = m_cursor.current();
        return is_digit(c) || (c == '-' && is_digit(m_cursor.at(m_cursor.position() + 1)));
    }

    Parsed<Expression> Parser::parse_inline_expression()
    {
        char const c = m_cursor.current();
        if (c == '{')
            return detail::map_parsed(parse_placeable(), [](Placeable p) { return Expression { std::move(p) }; });
        if (is_number_start())
            return detail::map_parsed(parse_number(), [](NumberLiteral n) { return Expression { std::move(n) }; });
        if (c == '"')
            return detail::map_parsed(parse_string(), [](StringLiteral s) { return Expression { std::move(s) }; });
        if (c == '$') {
            m_cursor.advance();
            return detail::map_parsed(
                parse_identifier(), [](std::string id) { return Expression { VariableReference { id } }; });
        }
        if (c == '-' || is_identifier_start(c))
            return parse_identifier_expression();
        return error_at(m_cursor.position(), "Expected an inline expression");
    }

    // Term references, function calls and message references.
    Parsed<Expression> Parser::parse_identifier_expression()
    {
        bool const is_term = m_cursor.current() == '-';
        if (is_term)
            m_cursor.advance();
        std::size_t const start = m_cursor.position();
        std::string id = TRY_PARSE(parse_identifier());
        std::size_t const after_blank = m_cursor.peek_blank(m_cursor.position());
        bool const has_call = m_cursor.at(after_blank) == '(';
        if (!is_term && has_call) {
            if (!is_callee(id))
                return error_at(start, "The callee has to be an upper-case identifier or a term");
            m_cursor.seek(after_blank);
            auto arguments = TRY_PARSE(parse_call_arguments());
            return Expression { FunctionReference { std::move(id), std::move(arguments) } };
        }
        std::optional<std::string> attribute;
        if (m_cursor.current() == '.') {
            m_cursor.advance();
            attribute = TRY_PARSE(parse_identifier());
        }
        if (!is_term)
            return Expression { MessageReference { std::move(id), std::move(attribute) } };
        TermReference term { std::move(id), std::move(attribute), std::nullopt };
        std::size_t const before_call = m_cursor.peek_blank(m_cursor.position());
        if (m_cursor.at(before_call) == '(') {
            m_cursor.seek(before_call);
            term.arguments = TRY_PARSE(parse_call_arguments());
        }
        return Expression { std::move(term) };
    }

    Parsed<CallArguments> Parser::parse_call_arguments()
    {
        CallArguments arguments;
        m_cursor.advance();
        m_cursor.skip_blank();
        while (m_cursor.current() != ')') {
            std::size_t const start = m_cursor.position();
            Expression expression = TRY_PARSE(parse_inline_expression());
            m_cursor.skip_blank();
            if (m_cursor.current() == ':') {
                auto const* name = std::get_if<MessageReference>(&expression.node);
                if (!name || name->attribute)
                    return error_at(start, "The argument name has to be a simple identifier");
                bool const duplicate = std::any_of(arguments.named.begin(), arguments.named.end(),
                    [&](NamedArgument const& named) { return named.name == name->id; });
                if (duplicate)
                    return error_at(start, "Named arguments must be unique");
                m_cursor.advance();
                m_cursor.skip_blank();
                auto value = TRY_PARSE(parse_literal());
                arguments.named.push_back(NamedArgument { name->id, std::move(value) });
            } else {
                if (!arguments.named.empty())
                    return error_at(start, "Positional arguments must not follow named arguments");
                arguments.positional.push_back(std::move(expression));
            }
            m_cursor.skip_blank();
            if (m_cursor.current() != ',')
                break;
            m_cursor.advance();
            m_cursor.skip_blank();
        }
        TRY_EXPECT(expect(')'));
        return arguments;
    }

    Parsed<std::variant<StringLiteral, NumberLiteral>> Parser::parse_literal()
    {
        using Literal = std::variant<StringLiteral, NumberLiteral>;
        if (is_number_start())
            return detail::map_parsed(parse_number(), [](NumberLiteral n) { return Literal(std::move(n)); });
        if (m_cursor.current() == '"')
            return detail::map_parsed(parse_string(), [](StringLiteral s) { return Literal(std::move(s)); });
        return error_at(m_cursor.position(), "Expected literal");
    }

    bool Parser::is_variant_start() const
    {
        std::size_t position = m_cursor.position();
        if (m_cursor.at(position) == '*')
            ++position;
        return m_cursor.at(position) == '[';
    }

    Parsed<std::vector<Variant>> Parser::parse_variants()
    {
        std::vector<Variant> variants;
        bool has_default = false;
        m_cursor.skip_blank();
        while (is_variant_start()) {
            Variant variant = TRY_PARSE(parse_variant(has_default));
            has_default = has_default || variant.is_default;
            variants.push_back(std::move(variant));
            TRY_EXPECT(expect_line_end());
            m_cursor.skip_blank();
        }
        if (variants.empty())
            return error_at(m_cursor.position(), "Expected at least one variant after \"->\"");
        if (!has_default)
            return error_at(m_cursor.position(), "Expected default variant");
        return variants;
    }

    Parsed<Variant> Parser::parse_variant(bool has_default)
    {
        Variant variant;
        if (m_cursor.current() == '*') {
            if (has_default)
                return error_at(m_cursor.position(), "Only one variant can be marked as default (*)");
            m_cursor.advance();
            variant.is_default = true;
        }
        TRY_EXPECT(expect('['));
        m_cursor.skip_blank();
        if (is_number_start())
            variant.key = TRY_PARSE(parse_number());
        else
            variant.key = TRY_PARSE(parse_identifier());
        m_cursor.skip_blank();
        TRY_EXPECT(expect(']'));
        auto value = TRY_PARSE(parse_optional_pattern());
        if (!value)
            return error_at(m_cursor.position(), "Expected value");
        variant.value = std::move(*value);
        return variant;
    }

    Parsed<NumberLiteral> Parser::parse_number()
    {
        std::size_t const start = m_cursor.position();
        if (m_cursor.current() == '-')
            m_cursor.advance();
        auto digits = [&]() -> std::optional<ParseError> {
            if (!is_digit(m_cursor.current()))
                return ParseError { m_cursor.position(), "Expected a character from range: \"0-9\"" };
            while (is_digit(m_cursor.current()))
                m_cursor.advance();
            return std::nullopt;
        };
        TRY_EXPECT(digits());
        NumberLiteral number;
        if (m_cursor.current() == '.') {
            m_cursor.advance();
            std::size_t const fraction_start = m_cursor.position();
            TRY_EXPECT(digits());
            number.fraction_digits = static_cast<int>(m_cursor.position() - fraction_start);
        }
        number.source = std::string(m_cursor.slice(start, m_cursor.position()));
        std::from_chars(number.source.data(), number.source.data() + number.source.size(), number.value);
        return number;
    }

    Parsed<StringLiteral> Parser::parse_string()
    {
        m_cursor.advance();
        std::size_t const start = m_cursor.position();
        StringLiteral literal;
        while (true) {
            if (m_cursor.at_end() || m_cursor.current() == '\n')
                return error_at(m_cursor.position(), "Unterminated string expression");
            char const c = m_cursor.current();
            if (c == '"') {
                literal.raw = std::string(m_cursor.slice(start, m_cursor.position()));
                m_cursor.advance();
                return literal;
            }
            if (c != '\\') {
                literal.value += c;
                m_cursor.advance();
                continue;
            }
            auto escape = m_cursor.take_escape();
            if (!escape)
                return std::unexpected(escape.error());
            literal.value += *escape;
        }
    }

}

Resource parse(std::string_view source) { return Parser(source).parse_resource(); }

}
