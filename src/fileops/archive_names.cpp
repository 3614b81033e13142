#include "fileops/archive_names.h"

namespace files::fileops::archive_detail {

namespace {

    // The length of the well-formed UTF-8 sequence at the start of `text`, or 0.
    std::size_t sequence_length(std::string_view text)
    {
        auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
        auto continuation = [&](std::size_t i) { return i < text.size() && (byte(i) & 0xC0) == 0x80; };
        unsigned char lead = byte(0);
        if (lead < 0x80)
            return 1;
        if (lead >= 0xC2 && lead <= 0xDF)
            return continuation(1) ? 2 : 0;
        if (lead >= 0xE0 && lead <= 0xEF) {
            if (!continuation(1) || !continuation(2))
                return 0;
            // Overlong three-byte forms and UTF-16 surrogates are ill-formed.
            if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) >= 0xA0))
                return 0;
            return 3;
        }
        if (lead >= 0xF0 && lead <= 0xF4) {
            if (!continuation(1) || !continuation(2) || !continuation(3))
                return 0;
            if ((lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) >= 0x90))
                return 0;
            return 4;
        }
        return 0;
    }

    char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}

bool is_valid_utf8(std::string_view text)
{
    while (!text.empty()) {
        std::size_t length = sequence_length(text);
        if (length == 0)
            return false;
        text.remove_prefix(length);
    }
    return true;
}

std::string utf8_with_replacement(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    while (!text.empty()) {
        std::size_t length = sequence_length(text);
        if (length == 0) {
            result += "\xEF\xBF\xBD";
            length = 1;
        } else {
            result.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return result;
}

std::optional<std::string_view> name_extension(std::string_view name)
{
    auto dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || name == "..")
        return std::nullopt;
    return name.substr(dot + 1);
}

std::string_view name_stem(std::string_view name)
{
    auto extension = name_extension(name);
    if (!extension)
        return name;
    return name.substr(0, name.size() - extension->size() - 1);
}

bool equals_ignoring_ascii_case(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ascii_lower(a[i]) != ascii_lower(b[i]))
            return false;
    }
    return true;
}

base::Result<std::vector<std::string>> sanitise_entry_path(std::string_view stored)
{
    if (stored.starts_with('/'))
        return base::fail("archive entry escapes its destination");
    std::vector<std::string> components;
    while (!stored.empty()) {
        auto slash = stored.find('/');
        std::string_view component = stored.substr(0, slash);
        stored = slash == std::string_view::npos ? std::string_view {} : stored.substr(slash + 1);
        if (component.empty() || component == ".")
            continue;
        if (component == "..")
            return base::fail("archive entry escapes its destination");
        components.emplace_back(component);
    }
    if (components.empty())
        return base::fail("empty archive entry");
    return components;
}

std::string join_components(std::vector<std::string> const& components)
{
    std::string joined;
    for (auto const& component : components) {
        if (!joined.empty())
            joined += '/';
        joined += component;
    }
    return joined;
}

}
