#include "command/payload.h"

#include <nlohmann/json.hpp>

namespace files::command {

namespace {

    using Json = nlohmann::json;

    // Payloads are small; anything above this is refused before parsing.
    constexpr std::size_t max_payload_bytes = 64 * 1024;

    base::Result<Json> parse(std::string_view payload)
    {
        if (payload.size() > max_payload_bytes)
            return base::fail("payload exceeds its bound");
        try {
            return Json::parse(payload);
        } catch (Json::exception const& error) {
            return base::fail(error.what());
        }
    }

    // Conversions through nlohmann's own type checks, so a shape mismatch reads
    // exactly as the library words it.
    template<typename T> base::Result<T> convert(Json const& json)
    {
        try {
            return json.get<T>();
        } catch (Json::exception const& error) {
            return base::fail(error.what());
        }
    }

    base::Result<Id16> id16_of(Json const& json)
    {
        auto values = TRY(convert<std::vector<int>>(json));
        if (values.size() != 16)
            return base::fail("an id must be an array of 16 integers from 0 to 255");
        Id16 id {};
        for (std::size_t i = 0; i < 16; ++i) {
            if (values[i] < 0 || values[i] > 255)
                return base::fail("an id must be an array of 16 integers from 0 to 255");
            id[i] = static_cast<std::uint8_t>(values[i]);
        }
        return id;
    }

}

base::Result<std::string> decode_string(std::string_view payload)
{
    auto json = TRY(parse(payload));
    return convert<std::string>(json);
}

base::Result<std::vector<std::string>> decode_string_array(std::string_view payload)
{
    auto json = TRY(parse(payload));
    return convert<std::vector<std::string>>(json);
}

base::Result<Id16> decode_id16(std::string_view payload)
{
    auto json = TRY(parse(payload));
    return id16_of(json);
}

base::Result<NearbySendPayload> decode_nearby_send(std::string_view payload)
{
    auto json = TRY(parse(payload));
    if (!json.is_array() || json.size() != 2)
        return base::fail("expected [entry address, device id]");
    return NearbySendPayload { TRY(convert<std::string>(json[0])), TRY(id16_of(json[1])) };
}

base::Result<NearbyDecidePayload> decode_nearby_decide(std::string_view payload)
{
    auto json = TRY(parse(payload));
    if (!json.is_array() || json.size() != 3)
        return base::fail("expected [transfer id, destination id or null, remember]");
    NearbyDecidePayload out;
    out.transfer = TRY(id16_of(json[0]));
    if (!json[1].is_null())
        out.destination = TRY(id16_of(json[1]));
    out.remember = TRY(convert<bool>(json[2]));
    return out;
}

}
