#include "fileops/name_allocation.h"

#include <algorithm>
#include <vector>

namespace files::fileops {

namespace {

    constexpr std::string_view replacement_character = "\xEF\xBF\xBD";

    struct LeadByte {
        int length;
        unsigned char second_low;
        unsigned char second_high;
    };

    // The sequence length and the allowed range of the second byte for a lead
    // byte, or length 0 when the byte can never start a sequence. The narrowed
    // ranges exclude overlong forms, surrogates and code points above U+10FFFF.
    LeadByte classify(unsigned char byte)
    {
        if (byte >= 0xC2 && byte <= 0xDF)
            return { 2, 0x80, 0xBF };
        if (byte == 0xE0)
            return { 3, 0xA0, 0xBF };
        if (byte == 0xED)
            return { 3, 0x80, 0x9F };
        if (byte >= 0xE1 && byte <= 0xEF)
            return { 3, 0x80, 0xBF };
        if (byte == 0xF0)
            return { 4, 0x90, 0xBF };
        if (byte >= 0xF1 && byte <= 0xF3)
            return { 4, 0x80, 0xBF };
        if (byte == 0xF4)
            return { 4, 0x80, 0x8F };
        return { 0, 0, 0 };
    }

    // The number of bytes of a valid sequence starting at `at`, or the negated
    // length of the maximal invalid subpart to replace.
    int sequence_length(std::string_view bytes, std::size_t at)
    {
        auto lead = classify(static_cast<unsigned char>(bytes[at]));
        if (lead.length == 0)
            return -1;
        for (int offset = 1; offset < lead.length; ++offset) {
            if (at + offset >= bytes.size())
                return -offset;
            auto byte = static_cast<unsigned char>(bytes[at + offset]);
            auto low = offset == 1 ? lead.second_low : static_cast<unsigned char>(0x80);
            auto high = offset == 1 ? lead.second_high : static_cast<unsigned char>(0xBF);
            if (byte < low || byte > high)
                return -offset;
        }
        return lead.length;
    }

    std::vector<std::string> components(std::filesystem::path const& path)
    {
        std::vector<std::string> parts;
        for (auto const& part : path) {
            auto text = part.native();
            if (text.empty() || text == ".")
                continue;
            parts.push_back(std::move(text));
        }
        return parts;
    }

}

std::string lossy_utf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            text.push_back(bytes[at++]);
            continue;
        }
        int length = sequence_length(bytes, at);
        if (length > 0) {
            text.append(bytes.substr(at, static_cast<std::size_t>(length)));
            at += static_cast<std::size_t>(length);
        } else {
            text.append(replacement_character);
            at += static_cast<std::size_t>(-length);
        }
    }
    return text;
}

std::string path_text(std::filesystem::path const& path) { return lossy_utf8(path.native()); }

DestinationName split_name(std::string name)
{
    DestinationName result;
    auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) {
        result.stem = name;
    } else {
        result.stem = name.substr(0, dot);
        result.extension = name.substr(dot + 1);
    }
    result.name = std::move(name);
    return result;
}

std::string candidate_name(DestinationName const& name, int attempt)
{
    if (attempt <= 1)
        return name.name;
    auto candidate = name.stem + " " + std::to_string(attempt);
    if (name.extension)
        candidate += "." + *name.extension;
    return candidate;
}

std::optional<std::filesystem::path> last_component(std::filesystem::path const& path)
{
    auto parts = components(path);
    if (parts.empty() || parts.back() == "/" || parts.back() == "..")
        return std::nullopt;
    return std::filesystem::path(parts.back());
}

std::optional<std::filesystem::path> parent_folder(std::filesystem::path const& path)
{
    auto parts = components(path);
    if (parts.empty() || (parts.size() == 1 && parts.front() == "/"))
        return std::nullopt;
    parts.pop_back();
    if (parts.empty())
        return std::filesystem::path(".");
    std::filesystem::path parent;
    for (auto const& part : parts)
        parent /= part;
    return parent;
}

bool same_path(std::filesystem::path const& a, std::filesystem::path const& b)
{
    return components(a) == components(b);
}

bool is_within(std::filesystem::path const& inner, std::filesystem::path const& outer)
{
    auto inner_parts = components(inner);
    auto outer_parts = components(outer);
    if (outer_parts.size() > inner_parts.size())
        return false;
    return std::equal(outer_parts.begin(), outer_parts.end(), inner_parts.begin());
}

}
