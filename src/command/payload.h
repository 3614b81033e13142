#pragma once

// Decoding of action payloads. A payload that is not JSON, or not of the
// expected shape, fails with the JSON parser's message.

#include "base/result.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace files::command {

using Id16 = std::array<std::uint8_t, 16>;

base::Result<std::string> decode_string(std::string_view payload);
base::Result<std::vector<std::string>> decode_string_array(std::string_view payload);
// An array of 16 integers 0–255.
base::Result<Id16> decode_id16(std::string_view payload);
// [entry address, device id]
struct NearbySendPayload {
    std::string address;
    Id16 device;
};
base::Result<NearbySendPayload> decode_nearby_send(std::string_view payload);
// [transfer id, destination id or null, remember]
struct NearbyDecidePayload {
    Id16 transfer;
    std::optional<Id16> destination;
    bool remember { false };
};
base::Result<NearbyDecidePayload> decode_nearby_decide(std::string_view payload);

}
