#include "services/collab/json_fields.h"

namespace collab::json {

namespace {

    // A non-negative integer, whether parsed (unsigned) or built in code
    // (signed); floating-point numbers are not integers here.
    bool as_unsigned(Json const& value, std::uint64_t& out)
    {
        if (value.is_number_unsigned()) {
            out = value.get<std::uint64_t>();
            return true;
        }
        if (value.is_number_integer() && value.get<std::int64_t>() >= 0) {
            out = static_cast<std::uint64_t>(value.get<std::int64_t>());
            return true;
        }
        return false;
    }

}

std::optional<Json> parse_bounded(std::string_view text, std::size_t bound)
{
    if (text.size() > bound)
        return std::nullopt;
    // Strict parsing rejects trailing content; no exceptions escape.
    Json value = Json::parse(text.begin(), text.end(), nullptr, false);
    if (value.is_discarded())
        return std::nullopt;
    return value;
}

Json const* member(Json const& object, char const* key)
{
    if (!object.is_object())
        return nullptr;
    auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

bool read_u64(Json const& object, char const* key, std::uint64_t& out)
{
    Json const* value = member(object, key);
    return value && as_unsigned(*value, out);
}

bool read_optional_u64(Json const& object, char const* key, std::optional<std::uint64_t>& out)
{
    Json const* value = member(object, key);
    if (!value || value->is_null()) {
        out.reset();
        return true;
    }
    std::uint64_t number = 0;
    if (!as_unsigned(*value, number))
        return false;
    out = number;
    return true;
}

bool read_bool(Json const& object, char const* key, bool& out)
{
    Json const* value = member(object, key);
    if (!value || !value->is_boolean())
        return false;
    out = value->get<bool>();
    return true;
}

bool read_string(Json const& object, char const* key, std::string& out)
{
    Json const* value = member(object, key);
    if (!value || !value->is_string())
        return false;
    out = value->get<std::string>();
    return true;
}

bool read_optional_string(Json const& object, char const* key, std::optional<std::string>& out)
{
    Json const* value = member(object, key);
    if (!value || value->is_null()) {
        out.reset();
        return true;
    }
    if (!value->is_string())
        return false;
    out = value->get<std::string>();
    return true;
}

bool as_uuid(Json const& value, Uuid& out)
{
    if (!value.is_string())
        return false;
    auto parsed = Uuid::parse(value.get_ref<std::string const&>());
    if (!parsed)
        return false;
    out = *parsed;
    return true;
}

bool read_uuid(Json const& object, char const* key, Uuid& out)
{
    Json const* value = member(object, key);
    return value && as_uuid(*value, out);
}

bool as_digest(Json const& value, Digest32& out)
{
    if (!value.is_array() || value.size() != out.size())
        return false;
    for (std::size_t i = 0; i < out.size(); ++i) {
        std::uint64_t byte = 0;
        if (!as_unsigned(value[i], byte) || byte > 255)
            return false;
        out[i] = static_cast<std::uint8_t>(byte);
    }
    return true;
}

bool read_digest(Json const& object, char const* key, Digest32& out)
{
    Json const* value = member(object, key);
    return value && as_digest(*value, out);
}

bool read_optional_digest(Json const& object, char const* key, std::optional<Digest32>& out)
{
    Json const* value = member(object, key);
    if (!value || value->is_null()) {
        out.reset();
        return true;
    }
    Digest32 digest {};
    if (!as_digest(*value, digest))
        return false;
    out = digest;
    return true;
}

bool has_schema_version(Json const& object, std::uint16_t expected)
{
    std::uint16_t version = 0;
    return read_unsigned(object, "schema_version", version) && version == expected;
}

}
