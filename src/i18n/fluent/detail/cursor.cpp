#include "i18n/fluent/detail/cursor.h"

#include "base/hex.h"
#include "base/utf8.h"

namespace files::i18n::fluent::detail {

namespace {

    bool is_entry_start(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '#'; }

}

Cursor::Cursor(std::string_view source)
{
    m_text.reserve(source.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (source[i] == '\r' && i + 1 < source.size() && source[i + 1] == '\n')
            continue;
        m_text += source[i];
    }
}

std::string_view Cursor::slice(std::size_t begin, std::size_t end) const
{
    return std::string_view(m_text).substr(begin, end - begin);
}

std::size_t Cursor::peek_blank_inline(std::size_t from) const
{
    while (at(from) == ' ')
        ++from;
    return from;
}

std::size_t Cursor::peek_blank(std::size_t from) const
{
    while (at(from) == ' ' || at(from) == '\n')
        ++from;
    return from;
}

BlankBlock Cursor::peek_blank_block(std::size_t from) const
{
    BlankBlock block { from, 0 };
    while (true) {
        std::size_t const after_spaces = peek_blank_inline(block.position);
        if (at(after_spaces) == '\n' && after_spaces < m_text.size()) {
            block.position = after_spaces + 1;
            ++block.line_ends;
            continue;
        }
        if (after_spaces >= m_text.size())
            block.position = after_spaces;
        return block;
    }
}

std::size_t Cursor::skip_blank_inline()
{
    std::size_t const start = m_position;
    m_position = peek_blank_inline(m_position);
    return m_position - start;
}

void Cursor::skip_blank() { m_position = peek_blank(m_position); }

std::size_t Cursor::skip_blank_block()
{
    auto const block = peek_blank_block(m_position);
    m_position = block.position;
    return block.line_ends;
}

std::string_view Cursor::take_line()
{
    std::size_t const start = m_position;
    while (!at_end() && current() != '\n')
        ++m_position;
    return slice(start, m_position);
}

std::string_view Cursor::take_text()
{
    std::size_t const start = m_position;
    while (!at_end() && current() != '\n' && current() != '{' && current() != '}')
        ++m_position;
    return slice(start, m_position);
}

Parsed<std::string> Cursor::take_escape()
{
    std::size_t const start = m_position;
    ++m_position;
    char const kind = current();
    if (kind == '\\' || kind == '"') {
        ++m_position;
        return std::string(1, kind);
    }
    if (kind != 'u' && kind != 'U')
        return std::unexpected(ParseError { start, "Unknown escape sequence: \\" + std::string(1, kind) });
    ++m_position;
    int const length = kind == 'u' ? 4 : 6;
    char32_t code_point = 0;
    for (int i = 0; i < length; ++i) {
        int const digit = base::hex_value(current());
        if (digit < 0) {
            return std::unexpected(
                ParseError { start, "Invalid Unicode escape sequence: " + std::string(slice(start, m_position + 1)) });
        }
        code_point = code_point * 16 + static_cast<char32_t>(digit);
        ++m_position;
    }
    std::string out;
    base::append_utf8(out, code_point);
    return out;
}

bool Cursor::next_line_is_comment(int hashes) const
{
    if (current() != '\n' || at_end())
        return false;
    std::size_t position = m_position + 1;
    for (int i = 0; i < hashes; ++i, ++position) {
        if (at(position) != '#')
            return false;
    }
    char const after = at(position);
    return after == ' ' || after == '\n' || position >= m_text.size();
}

void Cursor::skip_to_next_entry_start(std::size_t junk_start)
{
    std::size_t const last_line_end = m_text.rfind('\n', m_position);
    if (last_line_end != std::string::npos && junk_start < last_line_end)
        m_position = last_line_end;
    while (!at_end()) {
        if (current() != '\n') {
            ++m_position;
            continue;
        }
        ++m_position;
        if (is_entry_start(current()))
            break;
    }
}

std::pair<std::size_t, std::size_t> Cursor::line_and_column(std::size_t position) const
{
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < position && i < m_text.size(); ++i) {
        unsigned char const c = static_cast<unsigned char>(m_text[i]);
        if (c == '\n') {
            ++line;
            column = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++column;
        }
    }
    return { line, column };
}

}
