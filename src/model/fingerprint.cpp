#include "model/fingerprint.h"

#include <array>

#include <sodium.h>

namespace files::model {

std::string listing_order_hash(std::span<Entry const> entries)
{
    crypto_hash_sha256_state state;
    crypto_hash_sha256_init(&state);
    for (Entry const& entry : entries) {
        std::array<unsigned char, 8> length {};
        auto size = static_cast<std::uint64_t>(entry.name.size());
        for (auto& byte : length) {
            byte = static_cast<unsigned char>(size & 0xFF);
            size >>= 8;
        }
        crypto_hash_sha256_update(&state, length.data(), length.size());
        crypto_hash_sha256_update(&state, reinterpret_cast<unsigned char const*>(entry.name.data()), entry.name.size());
        unsigned char const kind = entry.is_dir ? 1 : 0;
        crypto_hash_sha256_update(&state, &kind, 1);
    }
    std::array<unsigned char, crypto_hash_sha256_BYTES> digest {};
    crypto_hash_sha256_final(&state, digest.data());
    static constexpr char hex[] = "0123456789abcdef";
    std::string text;
    text.reserve(digest.size() * 2);
    for (unsigned char byte : digest) {
        text.push_back(hex[byte >> 4]);
        text.push_back(hex[byte & 0x0F]);
    }
    return text;
}

}
