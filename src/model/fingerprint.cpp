#include "model/fingerprint.h"

#include "base/hex.h"

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
    return base::hex_text(digest);
}

}
