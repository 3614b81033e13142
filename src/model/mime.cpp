#include "model/mime.h"

#include <algorithm>
#include <array>
#include <utility>

namespace files::model {

namespace {

    using MimePair = std::pair<std::string_view, std::string_view>;

    // Sorted by extension so a lookup is a binary search.
    constexpr auto mime_table = std::to_array<MimePair>({
        { "7z", "application/x-7z-compressed" },
        { "aac", "audio/aac" },
        { "avi", "video/x-msvideo" },
        { "avif", "image/avif" },
        { "bmp", "image/bmp" },
        { "bz2", "application/x-bzip2" },
        { "c", "text/x-c" },
        { "cpp", "text/x-c++src" },
        { "css", "text/css" },
        { "csv", "text/csv" },
        { "doc", "application/msword" },
        { "docx", "application/vnd.openxmlformats-officedocument.wordprocessingml.document" },
        { "epub", "application/epub+zip" },
        { "flac", "audio/flac" },
        { "gif", "image/gif" },
        { "gz", "application/gzip" },
        { "h", "text/x-c" },
        { "heic", "image/heic" },
        { "htm", "text/html" },
        { "html", "text/html" },
        { "ico", "image/vnd.microsoft.icon" },
        { "ics", "text/calendar" },
        { "jpeg", "image/jpeg" },
        { "jpg", "image/jpeg" },
        { "js", "text/javascript" },
        { "json", "application/json" },
        { "m4a", "audio/mp4" },
        { "md", "text/markdown" },
        { "mjs", "text/javascript" },
        { "mkv", "video/x-matroska" },
        { "mov", "video/quicktime" },
        { "mp3", "audio/mpeg" },
        { "mp4", "video/mp4" },
        { "mpeg", "video/mpeg" },
        { "odp", "application/vnd.oasis.opendocument.presentation" },
        { "ods", "application/vnd.oasis.opendocument.spreadsheet" },
        { "odt", "application/vnd.oasis.opendocument.text" },
        { "oga", "audio/ogg" },
        { "ogg", "audio/ogg" },
        { "ogv", "video/ogg" },
        { "opus", "audio/opus" },
        { "otf", "font/otf" },
        { "pdf", "application/pdf" },
        { "png", "image/png" },
        { "ppt", "application/vnd.ms-powerpoint" },
        { "pptx", "application/vnd.openxmlformats-officedocument.presentationml.presentation" },
        { "py", "text/x-python" },
        { "rar", "application/vnd.rar" },
        { "rs", "text/x-rust" },
        { "rtf", "application/rtf" },
        { "sh", "application/x-sh" },
        { "svg", "image/svg+xml" },
        { "tar", "application/x-tar" },
        { "tgz", "application/gzip" },
        { "tif", "image/tiff" },
        { "tiff", "image/tiff" },
        { "toml", "application/toml" },
        { "ttf", "font/ttf" },
        { "txt", "text/plain" },
        { "wasm", "application/wasm" },
        { "wav", "audio/wav" },
        { "weba", "audio/webm" },
        { "webm", "video/webm" },
        { "webp", "image/webp" },
        { "woff", "font/woff" },
        { "woff2", "font/woff2" },
        { "xls", "application/vnd.ms-excel" },
        { "xlsx", "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet" },
        { "xml", "application/xml" },
        { "xz", "application/x-xz" },
        { "yaml", "application/yaml" },
        { "yml", "application/yaml" },
        { "zip", "application/zip" },
        { "zst", "application/zstd" },
    });

    static_assert(std::is_sorted(
        mime_table.begin(), mime_table.end(), [](MimePair const& a, MimePair const& b) { return a.first < b.first; }));

    // Longer extensions are not in the table; the bound keeps the lowered copy on
    // the stack.
    constexpr std::size_t max_extension_length = 8;

}

std::string_view mime_for_name(std::string_view file_name)
{
    auto const dot = file_name.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return octet_stream_mime;
    auto const extension = file_name.substr(dot + 1);
    if (extension.empty() || extension.size() > max_extension_length)
        return octet_stream_mime;
    std::array<char, max_extension_length> lowered {};
    std::transform(extension.begin(), extension.end(), lowered.begin(),
        [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    std::string_view const key(lowered.data(), extension.size());
    auto const it = std::lower_bound(mime_table.begin(), mime_table.end(), key,
        [](MimePair const& pair, std::string_view wanted) { return pair.first < wanted; });
    if (it == mime_table.end() || it->first != key)
        return octet_stream_mime;
    return it->second;
}

}
