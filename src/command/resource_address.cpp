#include "command/resource_address.h"

#include "base/hex.h"

#include <sodium.h>

namespace files::command {

namespace {

    void update(crypto_hash_sha256_state& state, std::string_view bytes)
    {
        crypto_hash_sha256_update(&state, reinterpret_cast<unsigned char const*>(bytes.data()), bytes.size());
    }

}

std::string resource_key(std::filesystem::path const& path)
{
    // The tag ends in the two characters '\' and '0', not a NUL byte.
    static constexpr std::string_view tag = "kesu.files.local-resource.v1\\0";
    static_assert(tag.size() == 30);
    auto const& bytes = path.native();
    unsigned char length[8];
    auto n = static_cast<std::uint64_t>(bytes.size());
    for (int i = 7; i >= 0; --i) {
        length[i] = static_cast<unsigned char>(n & 0xFF);
        n >>= 8;
    }
    crypto_hash_sha256_state state;
    crypto_hash_sha256_init(&state);
    update(state, tag);
    crypto_hash_sha256_update(&state, length, sizeof length);
    update(state, bytes);
    unsigned char digest[crypto_hash_sha256_BYTES];
    crypto_hash_sha256_final(&state, digest);
    return base::hex_text(std::span(digest).first<16>());
}

std::string entry_address(std::filesystem::path const& path) { return "files.entry:" + resource_key(path); }
std::string place_address(std::filesystem::path const& path) { return "files.place:" + resource_key(path); }
std::string folder_address(std::filesystem::path const& path) { return "files.folder:" + resource_key(path); }

std::string record_address(collab::Uuid const& record_id) { return "files.record:" + record_id.to_text(); }

std::string remote_account_address(std::string_view account_id)
{
    return "files.remote-account:"
        + base::hex_text({ reinterpret_cast<std::uint8_t const*>(account_id.data()), account_id.size() });
}

std::string nearby_locator(std::string_view kind, std::array<std::uint8_t, 16> const& id)
{
    static constexpr std::string_view tag = "so.kesu.files.nearby-action-locator.v1";
    crypto_hash_sha256_state state;
    crypto_hash_sha256_init(&state);
    update(state, tag);
    update(state, std::string_view("\0", 1));
    update(state, kind);
    update(state, std::string_view("\0", 1));
    crypto_hash_sha256_update(&state, id.data(), id.size());
    unsigned char digest[crypto_hash_sha256_BYTES];
    crypto_hash_sha256_final(&state, digest);
    return base::hex_text(std::span(digest).first<16>());
}

}
