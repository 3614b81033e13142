#include "services/thumbnails/thumb_key.h"

#include "base/hex.h"

#include <algorithm>
#include <array>
#include <cctype>

#include <sodium.h>

namespace services {

namespace {

    void feed_u64(crypto_hash_sha256_state& state, std::uint64_t value)
    {
        std::array<std::uint8_t, 8> bytes {};
        for (int i = 7; i >= 0; --i) {
            bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value & 0xFF);
            value >>= 8;
        }
        crypto_hash_sha256_update(&state, bytes.data(), bytes.size());
    }

    std::string lower_extension(std::string_view path)
    {
        auto slash = path.rfind('/');
        std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
        auto dot = name.rfind('.');
        // A leading dot names a hidden file, not an extension.
        if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size())
            return {};
        std::string ext(name.substr(dot + 1));
        std::ranges::transform(ext, ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return ext;
    }

    struct CategoryRow {
        std::uint8_t category;
        std::initializer_list<std::string_view> extensions;
    };

    // The tint table of the file view is indexed by these numbers.
    std::array<CategoryRow, 12> const category_rows { {
        { 0, { "csv", "tsv", "xls", "xlsx", "ods", "numbers" } },
        { 1, { "png", "jpg", "jpeg", "gif", "webp", "bmp", "tif", "tiff", "svg", "heic", "heif", "avif", "ico" } },
        { 2, { "mp3", "flac", "ogg", "oga", "opus", "wav", "m4a", "aac", "aiff" } },
        { 3, { "mp4", "mkv", "webm", "mov", "avi", "m4v", "mpg", "mpeg", "wmv" } },
        { 4, { "doc", "docx", "odt", "rtf", "pages" } },
        { 5, { "ppt", "pptx", "odp", "key" } },
        { 6,
            { "c", "cc", "cpp", "h", "hpp", "rs", "py", "js", "ts", "go", "java", "sh", "rb", "json", "xml", "html",
                "css", "toml", "yaml", "yml" } },
        { 7, { "txt", "md", "log", "ini", "conf" } },
        { 8, { "epub", "mobi", "azw", "azw3", "fb2" } },
        { 9, { "zip", "tar", "gz", "tgz", "bz2", "xz", "zst", "7z", "rar" } },
        { 10, { "bin", "exe", "so", "o", "deb", "rpm", "appimage", "iso", "img" } },
        { 11, { "pdf", "ps", "eps" } },
    } };

}

ThumbKey ThumbKey::of_path_meta(
    std::string_view path, std::uint64_t size, std::optional<std::int64_t> modified_seconds, std::uint32_t nanoseconds)
{
    crypto_hash_sha256_state state;
    crypto_hash_sha256_init(&state);
    static constexpr std::string_view domain = "kesu.thumbnail.path-meta.v1";
    crypto_hash_sha256_update(&state, reinterpret_cast<unsigned char const*>(domain.data()), domain.size() + 1);
    feed_u64(state, path.size());
    crypto_hash_sha256_update(&state, reinterpret_cast<unsigned char const*>(path.data()), path.size());
    feed_u64(state, size);
    feed_u64(state, modified_seconds ? 1 : 0);
    feed_u64(state, static_cast<std::uint64_t>(modified_seconds.value_or(0)));
    feed_u64(state, nanoseconds);
    std::array<std::uint8_t, crypto_hash_sha256_BYTES> digest {};
    crypto_hash_sha256_final(&state, digest.data());
    return ThumbKey("p-" + base::hex_text(digest));
}

ThumbKey ThumbKey::of_content_hash(std::span<std::uint8_t const, 32> digest)
{
    return ThumbKey("c-" + base::hex_text(digest));
}

std::uint8_t category_for_path(std::string_view path)
{
    std::string ext = lower_extension(path);
    if (ext.empty())
        return category_other;
    for (auto const& row : category_rows) {
        if (std::ranges::find(row.extensions, ext) != row.extensions.end())
            return row.category;
    }
    return category_other;
}

}
