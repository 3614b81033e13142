#include "services/collab/json_reader.h"

#include "base/hex.h"
#include "base/utf8.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <limits>

namespace collab::json {

namespace {

    bool is_whitespace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }
    bool is_digit(char c) { return c >= '0' && c <= '9'; }

    // Bytes a string may hold as they are: printable ASCII except the quote
    // and the backslash. Everything else needs a closer look.
    constexpr auto plain_string_bytes = [] {
        std::array<bool, 256> plain {};
        for (int c = 0x20; c < 0x80; ++c)
            plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
        return plain;
    }();

    // The length of the well-formed UTF-8 sequence of two or more bytes that
    // starts at `at`, or 0. Overlong forms, surrogates and values above
    // U+10FFFF are ill-formed.
    std::size_t multibyte_length(unsigned char const* at, unsigned char const* end)
    {
        unsigned char const lead = at[0];
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return 0;
        }
        if (static_cast<std::size_t>(end - at) < length)
            return 0;
        if (at[1] < low || at[1] > high)
            return 0;
        for (std::size_t i = 2; i < length; ++i) {
            if (at[i] < 0x80 || at[i] > 0xBF)
                return 0;
        }
        return length;
    }

}

void Reader::skip_whitespace()
{
    while (m_position != m_end && is_whitespace(*m_position))
        ++m_position;
}

bool Reader::expect(char c)
{
    skip_whitespace();
    if (m_failed || m_position == m_end || *m_position != c)
        return fail();
    ++m_position;
    return true;
}

ValueKind Reader::peek()
{
    skip_whitespace();
    if (m_failed || m_position == m_end)
        return ValueKind::Invalid;
    switch (*m_position) {
    case '{':
        return ValueKind::Object;
    case '[':
        return ValueKind::Array;
    case '"':
        return ValueKind::String;
    case 't':
    case 'f':
        return ValueKind::Bool;
    case 'n':
        return ValueKind::Null;
    default:
        return *m_position == '-' || is_digit(*m_position) ? ValueKind::Number : ValueKind::Invalid;
    }
}

bool Reader::begin_container(char open)
{
    if (!expect(open))
        return false;
    if (++m_depth > max_depth)
        return fail();
    m_at_first_item = true;
    return true;
}

bool Reader::next_item(char close)
{
    skip_whitespace();
    if (m_failed || m_position == m_end)
        return fail();
    if (*m_position == close) {
        ++m_position;
        --m_depth;
        m_at_first_item = false;
        return false;
    }
    if (!m_at_first_item) {
        if (*m_position != ',')
            return fail();
        ++m_position;
    }
    m_at_first_item = false;
    return true;
}

bool Reader::begin_object() { return begin_container('{'); }
bool Reader::begin_array() { return begin_container('['); }
bool Reader::next_element() { return next_item(']'); }

bool Reader::next_member(std::string_view& key) { return next_item('}') && scan_key(&key); }

bool Reader::scan_key(std::string_view* key)
{
    skip_whitespace();
    if (m_position == m_end || *m_position != '"')
        return fail();
    return scan_string(key) && expect(':');
}

// At the opening quote. Validates the string and, when `decoded` is given,
// stores its text: a view of the input when it holds no escapes, otherwise the
// decoded copy in m_scratch.
bool Reader::scan_string(std::string_view* decoded)
{
    ++m_position;
    char const* const start = m_position;
    bool escaped = false;
    while (true) {
        char const* const run = m_position;
        while (m_position != m_end && plain_string_bytes[static_cast<unsigned char>(*m_position)])
            ++m_position;
        if (escaped && decoded)
            m_scratch.append(run, m_position);
        if (m_position == m_end)
            return fail();
        auto const byte = static_cast<unsigned char>(*m_position);
        if (byte == '"')
            break;
        if (byte < 0x20)
            return fail();
        if (byte < 0x80) {
            // The backslash: everything else below 0x80 was consumed above.
            if (!escaped && decoded)
                m_scratch.assign(start, m_position);
            escaped = true;
            if (m_end - m_position < 2)
                return fail();
            char const kind = m_position[1];
            m_position += 2;
            char simple = 0;
            switch (kind) {
            case '"':
            case '\\':
            case '/':
                simple = kind;
                break;
            case 'b':
                simple = '\b';
                break;
            case 'f':
                simple = '\f';
                break;
            case 'n':
                simple = '\n';
                break;
            case 'r':
                simple = '\r';
                break;
            case 't':
                simple = '\t';
                break;
            case 'u':
                break;
            default:
                return fail();
            }
            if (kind != 'u') {
                if (decoded)
                    m_scratch.push_back(simple);
                continue;
            }
            auto const read_unit = [&](std::uint32_t& unit) {
                if (m_end - m_position < 4)
                    return false;
                unit = 0;
                for (int i = 0; i < 4; ++i) {
                    int const digit = base::hex_value(m_position[i]);
                    if (digit < 0)
                        return false;
                    unit = unit << 4 | static_cast<std::uint32_t>(digit);
                }
                m_position += 4;
                return true;
            };
            std::uint32_t unit = 0;
            if (!read_unit(unit) || (unit >= 0xDC00 && unit <= 0xDFFF))
                return fail();
            if (unit >= 0xD800 && unit <= 0xDBFF) {
                // A high surrogate counts only with the low one after it.
                std::uint32_t low = 0;
                if (m_end - m_position < 2 || m_position[0] != '\\' || m_position[1] != 'u')
                    return fail();
                m_position += 2;
                if (!read_unit(low) || low < 0xDC00 || low > 0xDFFF)
                    return fail();
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            }
            if (decoded)
                base::append_utf8(m_scratch, unit);
            continue;
        }
        auto const* const at = reinterpret_cast<unsigned char const*>(m_position);
        std::size_t const length = multibyte_length(at, reinterpret_cast<unsigned char const*>(m_end));
        if (length == 0)
            return fail();
        if (escaped && decoded)
            m_scratch.append(m_position, length);
        m_position += length;
    }
    if (decoded)
        *decoded = escaped ? std::string_view(m_scratch) : std::string_view(start, m_position);
    ++m_position;
    return true;
}

// At a minus sign or digit. Checks the number's grammar and gives its value
// when it is a non-negative integer that fits in 64 bits.
bool Reader::scan_number(std::optional<std::uint64_t>* as_unsigned)
{
    bool const negative = *m_position == '-';
    if (negative)
        ++m_position;
    if (m_position == m_end || !is_digit(*m_position))
        return fail();
    std::uint64_t value = 0;
    bool fits = true;
    if (*m_position == '0') {
        ++m_position;
    } else {
        constexpr std::uint64_t limit = std::numeric_limits<std::uint64_t>::max();
        while (m_position != m_end && is_digit(*m_position)) {
            auto const digit = static_cast<std::uint64_t>(*m_position - '0');
            if (value > (limit - digit) / 10)
                fits = false;
            else
                value = value * 10 + digit;
            ++m_position;
        }
    }
    bool integer = true;
    if (m_position != m_end && *m_position == '.') {
        integer = false;
        ++m_position;
        if (m_position == m_end || !is_digit(*m_position))
            return fail();
        while (m_position != m_end && is_digit(*m_position))
            ++m_position;
    }
    if (m_position != m_end && (*m_position == 'e' || *m_position == 'E')) {
        integer = false;
        ++m_position;
        if (m_position != m_end && (*m_position == '+' || *m_position == '-'))
            ++m_position;
        if (m_position == m_end || !is_digit(*m_position))
            return fail();
        while (m_position != m_end && is_digit(*m_position))
            ++m_position;
    }
    if (as_unsigned) {
        if (integer && fits && (!negative || value == 0))
            *as_unsigned = value;
        else
            as_unsigned->reset();
    }
    return true;
}

bool Reader::scan_literal(std::string_view word)
{
    if (static_cast<std::size_t>(m_end - m_position) < word.size() || !std::equal(word.begin(), word.end(), m_position))
        return fail();
    m_position += word.size();
    return true;
}

bool Reader::read_null() { return peek() == ValueKind::Null ? scan_literal("null") : fail(); }

bool Reader::read_bool(bool& out)
{
    if (peek() != ValueKind::Bool)
        return fail();
    out = *m_position == 't';
    return scan_literal(out ? "true" : "false");
}

bool Reader::read_string(std::string_view& out) { return peek() == ValueKind::String ? scan_string(&out) : fail(); }

bool Reader::read_u64(std::uint64_t& out)
{
    if (peek() != ValueKind::Number)
        return fail();
    std::optional<std::uint64_t> value;
    if (!scan_number(&value) || !value)
        return fail();
    out = *value;
    return true;
}

bool Reader::read_byte_array(std::span<std::uint8_t> out)
{
    if (!begin_array())
        return false;
    // The rule is one to three digits right after the comma and right before
    // the next comma or the bracket. This loop takes those; at anything else
    // (whitespace, a minus sign, a fraction, more digits) the general one
    // below goes on from the element where this one stopped. Locals, because
    // the byte stores may alias the members.
    std::size_t i = 0;
    char const* at = m_position;
    char const* const end = m_end;
    for (; i < out.size(); ++i) {
        char const* const element = at;
        if (i > 0 && (at == end || *at++ != ','))
            break;
        std::uint32_t value = 0;
        int digits = 0;
        if (at != end && *at == '0') {
            ++at;
            digits = 1;
        } else {
            while (digits < 3 && at != end && is_digit(*at)) {
                value = value * 10 + static_cast<std::uint32_t>(*at++ - '0');
                ++digits;
            }
        }
        if (digits == 0 || at == end || (*at != ',' && *at != ']')) {
            at = element;
            break;
        }
        if (value > 255) {
            m_position = at;
            return fail();
        }
        out[i] = static_cast<std::uint8_t>(value);
    }
    m_position = at;
    for (; i < out.size(); ++i) {
        skip_whitespace();
        if (i > 0) {
            if (m_position == m_end || *m_position != ',')
                return fail();
            ++m_position;
        }
        std::uint64_t value = 0;
        if (!read_u64(value))
            return false;
        if (value > 255)
            return fail();
        out[i] = static_cast<std::uint8_t>(value);
    }
    skip_whitespace();
    if (m_position == m_end || *m_position != ']')
        return fail();
    ++m_position;
    --m_depth;
    m_at_first_item = false;
    return true;
}

bool Reader::skip_value()
{
    // Containers opened here, innermost last: true for an object. Their
    // depth adds to the levels already open in this reader.
    std::bitset<max_depth> is_object;
    std::size_t depth = 0;
    while (true) {
        // A value starts here.
        switch (peek()) {
        case ValueKind::Object:
        case ValueKind::Array: {
            bool const object = *m_position == '{';
            ++m_position;
            if (m_depth + depth >= max_depth)
                return fail();
            is_object[depth++] = object;
            skip_whitespace();
            if (m_position != m_end && *m_position == (object ? '}' : ']')) {
                ++m_position;
                --depth;
                break;
            }
            if (object && !scan_key())
                return false;
            continue;
        }
        case ValueKind::String:
            if (!scan_string(nullptr))
                return false;
            break;
        case ValueKind::Number:
            if (!scan_number(nullptr))
                return false;
            break;
        case ValueKind::Bool:
            if (!scan_literal(*m_position == 't' ? "true" : "false"))
                return false;
            break;
        case ValueKind::Null:
            if (!scan_literal("null"))
                return false;
            break;
        case ValueKind::Invalid:
            return fail();
        }
        // A value ended: close containers until one continues with a comma.
        while (true) {
            if (depth == 0)
                return true;
            bool const object = is_object[depth - 1];
            skip_whitespace();
            if (m_position == m_end)
                return fail();
            char const c = *m_position++;
            if (c == (object ? '}' : ']')) {
                --depth;
                continue;
            }
            if (c != ',')
                return fail();
            if (object && !scan_key())
                return false;
            break;
        }
    }
}

bool Reader::copy_compact(std::string& out)
{
    skip_whitespace();
    char const* const start = m_position;
    if (!skip_value())
        return false;
    // The value is well-formed, so a quote outside a string opens one and an
    // unescaped quote inside closes it.
    bool in_string = false;
    for (char const* at = start; at != m_position; ++at) {
        char const c = *at;
        if (in_string) {
            out.push_back(c);
            if (c == '\\') {
                out.push_back(*++at);
            } else if (c == '"') {
                in_string = false;
            }
        } else if (!is_whitespace(c)) {
            out.push_back(c);
            in_string = c == '"';
        }
    }
    return true;
}

bool Reader::finish()
{
    skip_whitespace();
    return !m_failed && m_position == m_end;
}

ObjectFields::ObjectFields(Reader& reader, std::span<std::string_view const> names)
    : m_reader(reader)
    , m_names(names)
    , m_open(reader.begin_object())
{
}

std::optional<std::size_t> ObjectFields::next()
{
    if (!m_open)
        return std::nullopt;
    std::string_view key;
    while (m_reader.next_member(key)) {
        auto const it = std::find(m_names.begin(), m_names.end(), key);
        if (it == m_names.end()) {
            if (!m_reader.skip_value())
                break;
            continue;
        }
        auto const field = static_cast<std::size_t>(it - m_names.begin());
        if (seen(field)) {
            m_reader.fail();
            break;
        }
        m_seen |= std::uint64_t { 1 } << field;
        return field;
    }
    m_open = false;
    return std::nullopt;
}

bool ObjectFields::complete(std::initializer_list<std::size_t> required) const
{
    return m_reader.ok() && !m_open
        && std::all_of(required.begin(), required.end(), [&](std::size_t field) { return seen(field); });
}

bool is_well_formed(std::string_view text)
{
    Reader reader(text);
    return reader.skip_value() && reader.finish();
}

}
