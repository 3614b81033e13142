#pragma once

// The character cursor under the Fluent parser: positions, look-ahead over
// blanks, and the recovery scan that finds where the next entry can start.

#include <cstddef>
#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace files::i18n::fluent::detail {

struct ParseError {
    std::size_t position { 0 };
    std::string reason;
};

template<typename T> using Parsed = std::expected<T, ParseError>;

// Applies a function to a parsed value, passing a failure through (the
// standard library of this toolchain has no std::expected::transform).
template<typename T, typename Function>
auto map_parsed(Parsed<T>&& parsed, Function function) -> Parsed<decltype(function(std::move(*parsed)))>
{
    if (!parsed)
        return std::unexpected(std::move(parsed).error());
    return function(std::move(*parsed));
}

struct BlankBlock {
    std::size_t position { 0 };
    std::size_t line_ends { 0 };
};

class Cursor {
public:
    // Line ends are normalised to "\n" before parsing.
    explicit Cursor(std::string_view source);

    std::size_t position() const { return m_position; }
    std::size_t size() const { return m_text.size(); }
    bool at_end() const { return m_position >= m_text.size(); }
    // The character at a position, or '\0' past the end.
    char at(std::size_t position) const { return position < m_text.size() ? m_text[position] : '\0'; }
    char current() const { return at(m_position); }
    void advance() { ++m_position; }
    void seek(std::size_t position) { m_position = position; }
    std::string_view slice(std::size_t begin, std::size_t end) const;

    std::size_t peek_blank_inline(std::size_t from) const;
    std::size_t peek_blank(std::size_t from) const;
    // Skips whole lines that hold nothing but spaces; the result is the start
    // of the first other line (or the end) and how many line ends were passed.
    BlankBlock peek_blank_block(std::size_t from) const;

    std::size_t skip_blank_inline();
    void skip_blank();
    std::size_t skip_blank_block();

    // The rest of the current line, without its line end.
    std::string_view take_line();
    // Literal pattern text up to a brace or the line end.
    std::string_view take_text();
    // An escape sequence of a string literal, at its backslash.
    Parsed<std::string> take_escape();

    // Whether the cursor is at a line end followed by a comment line of
    // exactly this many "#".
    bool next_line_is_comment(int hashes) const;
    // Moves past the junk that began at junk_start, to the next line that
    // starts with a letter, "-" or "#".
    void skip_to_next_entry_start(std::size_t junk_start);
    // One-based line and column (in code points) of a position.
    std::pair<std::size_t, std::size_t> line_and_column(std::size_t position) const;

private:
    std::string m_text;
    std::size_t m_position { 0 };
};

}

// Early return of a parse failure; evaluates to the parsed value otherwise.
#define TRY_PARSE(expression)                                                                                          \
    __extension__({                                                                                                    \
        auto&& _parsed = (expression);                                                                                 \
        if (!_parsed) [[unlikely]]                                                                                     \
            return std::unexpected(std::move(_parsed).error());                                                        \
        std::move(_parsed).value();                                                                                    \
    })

// Early return when a check produced a parse error.
#define TRY_EXPECT(expression)                                                                                         \
    do {                                                                                                               \
        auto&& _failure = (expression);                                                                                \
        if (_failure) [[unlikely]]                                                                                     \
            return std::unexpected(std::move(*_failure));                                                              \
    } while (false)
