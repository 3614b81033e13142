#include "model/index_generation.h"

#include "base/hex.h"
#include "model/attribute_names.h"
#include "model/attributes.h"

#include <algorithm>
#include <array>
#include <vector>

#include <sodium.h>
#include <sys/stat.h>

namespace files::model {

namespace {

    class Digest {
    public:
        Digest() { crypto_hash_sha256_init(&m_state); }

        void bytes(std::string_view data)
        {
            crypto_hash_sha256_update(&m_state, reinterpret_cast<unsigned char const*>(data.data()), data.size());
        }

        template<typename T> void big_endian(T value)
        {
            std::array<unsigned char, sizeof(T)> encoded {};
            for (std::size_t i = 0; i < sizeof(T); ++i)
                encoded[sizeof(T) - 1 - i] = static_cast<unsigned char>(value >> (8 * i));
            crypto_hash_sha256_update(&m_state, encoded.data(), encoded.size());
        }

        void length_prefixed(std::string_view data)
        {
            big_endian<std::uint64_t>(data.size());
            bytes(data);
        }

        std::string hex()
        {
            std::array<unsigned char, crypto_hash_sha256_BYTES> digest {};
            crypto_hash_sha256_final(&m_state, digest.data());
            return base::hex_text(digest);
        }

    private:
        crypto_hash_sha256_state m_state {};
    };

}

std::string root_index_generation(std::string const& root)
{
    // The domain texts end in a backslash and a zero digit, not a NUL byte.
    Digest digest;
    digest.bytes("kesu.files.record-index-root-generation.v2\\0");
    digest.length_prefixed(root);

    if (auto v3 = read_attribute(root, attribute::record_index_v3)) {
        digest.bytes("opaque-v3\\0");
        digest.length_prefixed(*v3);
        return digest.hex();
    }
    struct stat status { };
    if (stat(root.c_str(), &status) == 0) {
        digest.bytes("metadata\\0");
        digest.big_endian(static_cast<std::uint64_t>(status.st_mtim.tv_sec));
        digest.big_endian(static_cast<std::uint32_t>(status.st_mtim.tv_nsec));
    } else {
        digest.bytes("missing\\0");
    }
    for (char const* name : { attribute::record_index_v2, attribute::record_index_v1 }) {
        if (auto value = read_attribute(root, name))
            digest.length_prefixed(*value);
    }
    return digest.hex();
}

bool RecordIndexWatcher::poll(std::span<std::filesystem::path const> roots)
{
    if (roots.empty())
        return false;
    std::vector<std::filesystem::path> sorted(roots.begin(), roots.end());
    std::sort(sorted.begin(), sorted.end());

    bool changed = false;
    std::size_t const examined = std::min(max_roots_per_pass, sorted.size());
    for (std::size_t i = 0; i < examined; ++i) {
        auto const& root = sorted[m_cursor % sorted.size()].native();
        ++m_cursor;
        auto generation = root_index_generation(root);
        auto [stored, inserted] = m_generations.try_emplace(root, generation);
        if (!inserted && stored->second != generation) {
            changed = true;
            stored->second = std::move(generation);
        }
    }
    m_status = "watching";
    if (changed)
        m_cursor = 0;
    return changed;
}

}
