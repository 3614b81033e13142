#include "services/collab/json_fields.h"

namespace collab::json {

bool read_string(Reader& reader, std::string& out)
{
    std::string_view text;
    if (!reader.read_string(text))
        return false;
    out.assign(text);
    return true;
}

bool read_optional_string(Reader& reader, std::optional<std::string>& out)
{
    if (reader.peek() == ValueKind::Null) {
        out.reset();
        return reader.read_null();
    }
    std::string_view text;
    if (!reader.read_string(text))
        return false;
    out.emplace(text);
    return true;
}

bool read_optional_u64(Reader& reader, std::optional<std::uint64_t>& out)
{
    return read_optional_unsigned(reader, out);
}

bool read_uuid(Reader& reader, Uuid& out)
{
    std::string_view text;
    if (!reader.read_string(text))
        return false;
    auto parsed = Uuid::parse(text);
    if (!parsed)
        return reader.fail();
    out = *parsed;
    return true;
}

bool read_optional_uuid(Reader& reader, std::optional<Uuid>& out)
{
    if (reader.peek() == ValueKind::Null) {
        out.reset();
        return reader.read_null();
    }
    Uuid id;
    if (!read_uuid(reader, id))
        return false;
    out = id;
    return true;
}

bool read_digest(Reader& reader, Digest32& out) { return reader.read_byte_array(out); }

bool read_optional_digest(Reader& reader, std::optional<Digest32>& out)
{
    if (reader.peek() == ValueKind::Null) {
        out.reset();
        return reader.read_null();
    }
    Digest32 digest {};
    if (!read_digest(reader, digest))
        return false;
    out = digest;
    return true;
}

bool read_uuid_list(Reader& reader, std::size_t max_count, std::vector<Uuid>& out)
{
    return read_list(reader, max_count, out, [](Reader& r) {
        Uuid id;
        return read_uuid(r, id) ? std::optional(id) : std::nullopt;
    });
}

}
