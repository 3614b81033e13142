#pragma once

// A per-thread memo of decoded attribute values, keyed by a 128-bit digest of
// the raw bytes. A folder is re-read every few seconds and its attributes
// rarely change, so most re-reads find every value here instead of parsing
// JSON again. Two generations bound the memory: when the current one is
// full it becomes the previous one, and a hit in the previous one is carried
// forward.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <unordered_map>

#include <sodium.h>

namespace files::model::detail {

using ValueDigest = std::array<std::uint8_t, 16>;

struct ValueDigestHash {
    std::size_t operator()(ValueDigest const& digest) const
    {
        std::size_t hash = 0;
        std::memcpy(&hash, digest.data(), sizeof hash);
        return hash;
    }
};

inline ValueDigest digest_of(std::string_view value)
{
    ValueDigest digest {};
    crypto_generichash(
        digest.data(), digest.size(), reinterpret_cast<unsigned char const*>(value.data()), value.size(), nullptr, 0);
    return digest;
}

template<typename T> class DecodeMemo {
public:
    static constexpr std::size_t generation_capacity = 16384;

    // The decoded value of `raw`, decoding (and remembering the outcome,
    // also a rejection) only when it was not seen recently.
    template<typename Decode> std::optional<T> decode(std::string_view raw, Decode&& decode_value)
    {
        ValueDigest const key = digest_of(raw);
        if (auto it = m_current.find(key); it != m_current.end())
            return it->second;
        std::optional<T> value;
        if (auto it = m_previous.find(key); it != m_previous.end())
            value = std::move(it->second);
        else
            value = decode_value(raw);
        if (m_current.size() >= generation_capacity) {
            m_previous = std::move(m_current);
            m_current.clear();
        }
        m_current.emplace(key, value);
        return value;
    }

private:
    std::unordered_map<ValueDigest, std::optional<T>, ValueDigestHash> m_current;
    std::unordered_map<ValueDigest, std::optional<T>, ValueDigestHash> m_previous;
};

}
