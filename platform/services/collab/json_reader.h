#pragma once

// A strict, bounded pull reader for the JSON documents the synchronising file
// system publishes. Decoders walk a document with it and fill their typed
// records directly, so nothing is kept as a JSON tree.
//
// The reader accepts exactly standard JSON: strings must be well-formed
// UTF-8 without raw control characters, escapes must be valid (surrogates
// only in pairs), numbers follow the JSON grammar, and nesting is limited to
// `max_depth` levels. The first error is sticky: every later call fails, so a
// decoder may check `ok()` once at the end. Nothing is allocated except when a
// string holds escapes (decoded into one reused buffer).

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace collab::json {

// Objects and arrays nested deeper than this are refused. The records nest
// five levels at most; the limit only keeps a hostile value cheap.
inline constexpr std::size_t max_depth = 128;

enum class ValueKind : std::uint8_t { Object, Array, String, Number, Bool, Null, Invalid };

class Reader {
public:
    // Reads `text`, which must outlive the reader.
    explicit Reader(std::string_view text)
        : m_position(text.data())
        , m_end(text.data() + text.size())
    {
    }
    // A temporary string would be gone before the reader is used.
    template<typename Text>
    requires std::is_same_v<Text, std::string>
    explicit Reader(Text&&) = delete;

    bool ok() const { return !m_failed; }
    // Marks the document as rejected; every later call fails.
    bool fail()
    {
        m_failed = true;
        return false;
    }

    // The kind of the next value, without consuming it; Invalid at the end of
    // the text, on a byte no value begins with, or after an error.
    ValueKind peek();

    // Consumes "{". Then each next_member() consumes a key and its ":" and
    // returns true with the decoded key (valid until the next string is read),
    // the member's value waiting to be read; at "}" it returns false. A
    // syntax error also returns false and leaves ok() false.
    bool begin_object();
    bool next_member(std::string_view& key);

    // Consumes "[". Then next_element() returns true when an element follows
    // (consuming the "," between elements) and false at "]" or on an error.
    bool begin_array();
    bool next_element();

    // Each consumes one value of its kind and fails on any other value.
    bool read_null();
    bool read_bool(bool& out);
    // The string's decoded text, valid until the next string is read.
    bool read_string(std::string_view& out);
    // A JSON integer without fraction or exponent that is not negative and
    // fits in 64 bits ("-0" is zero).
    bool read_u64(std::uint64_t& out);
    template<typename T> bool read_unsigned(T& out)
    {
        std::uint64_t wide = 0;
        if (!read_u64(wide) || wide > std::numeric_limits<T>::max())
            return fail();
        out = static_cast<T>(wide);
        return true;
    }

    // An array of exactly `out.size()` integers 0..255, each as read_u64
    // accepts it. Digests and keys are stored this way.
    bool read_byte_array(std::span<std::uint8_t> out);

    // Consumes any value, checking it as strictly as the readers above.
    bool skip_value();
    // Runs `read` (a callable returning bool) on the next value. When it
    // fails, the reader goes back to where the value began and skips it, so
    // a value of the wrong type costs nothing more; the document is still
    // refused if the value is not well-formed. True when `read` succeeded.
    template<typename Read> bool attempt(Read&& read)
    {
        skip_whitespace();
        if (m_failed)
            return false;
        auto const saved_position = m_position;
        auto const saved_depth = m_depth;
        auto const saved_first = m_at_first_item;
        if (read())
            return true;
        m_position = saved_position;
        m_depth = saved_depth;
        m_at_first_item = saved_first;
        m_failed = false;
        skip_value();
        return false;
    }
    // Consumes any value and appends it to `out` as compact text: the same
    // bytes without the whitespace between tokens.
    bool copy_compact(std::string& out);

    // True when nothing but whitespace follows; the document is complete.
    bool finish();

private:
    void skip_whitespace();
    bool expect(char c);
    bool scan_string(std::string_view* decoded);
    bool scan_key(std::string_view* key = nullptr);
    bool scan_number(std::optional<std::uint64_t>* as_unsigned);
    bool scan_literal(std::string_view word);
    bool begin_container(char open);
    bool next_item(char close);

    char const* m_position;
    char const* m_end;
    std::size_t m_depth { 0 };
    bool m_failed { false };
    // True right after "{" or "[": the first member or element needs no
    // comma. One flag suffices because a nested container is always the
    // value of an item already started in its parent.
    bool m_at_first_item { false };
    std::string m_scratch;
};

// Matches the members of one object against a fixed list of field names.
// Unknown members are skipped (and still checked); a known field that
// appears twice rejects the document, so two readers can never disagree
// about which of the values counts.
class ObjectFields {
public:
    ObjectFields(Reader& reader, std::span<std::string_view const> names);

    // The index (into the names) of the next known member, whose value the
    // caller must then read; nothing at the end of the object or on an error.
    std::optional<std::size_t> next();

    bool seen(std::size_t field) const { return (m_seen >> field) & 1U; }
    // The object ended without error and every field in `required` appeared.
    bool complete(std::initializer_list<std::size_t> required) const;

private:
    Reader& m_reader;
    std::span<std::string_view const> m_names;
    std::uint64_t m_seen { 0 };
    bool m_open { false };
};

// Whether `text` is exactly one well-formed JSON value, optionally surrounded
// by whitespace.
bool is_well_formed(std::string_view text);

}
