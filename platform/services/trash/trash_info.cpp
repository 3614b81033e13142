#include "services/trash/trash_info.h"

#include <array>

namespace services::trash {

namespace {

    bool is_unreserved(unsigned char byte)
    {
        return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9')
            || byte == '-' || byte == '_' || byte == '.' || byte == '~' || byte == '/';
    }

    int hex_value(char digit)
    {
        if (digit >= '0' && digit <= '9')
            return digit - '0';
        if (digit >= 'A' && digit <= 'F')
            return digit - 'A' + 10;
        if (digit >= 'a' && digit <= 'f')
            return digit - 'a' + 10;
        return -1;
    }

    std::string_view trim_line(std::string_view line)
    {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        return line;
    }

}

std::string percent_encode(std::string_view bytes)
{
    static constexpr std::array<char, 16> digits { '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'A', 'B', 'C', 'D',
        'E', 'F' };
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        if (is_unreserved(byte)) {
            out.push_back(c);
            continue;
        }
        out.push_back('%');
        out.push_back(digits[byte >> 4]);
        out.push_back(digits[byte & 0xF]);
    }
    return out;
}

std::optional<std::string> percent_decode(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out.push_back(text[i]);
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        int high = hex_value(text[i + 1]);
        int low = hex_value(text[i + 2]);
        if (high < 0 || low < 0 || (high == 0 && low == 0))
            return std::nullopt;
        out.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return out;
}

std::string format_deletion_date(std::time_t when)
{
    std::tm local {};
    localtime_r(&when, &local);
    std::array<char, 32> buffer {};
    std::size_t length = std::strftime(buffer.data(), buffer.size(), "%Y-%m-%dT%H:%M:%S", &local);
    return std::string(buffer.data(), length);
}

std::string format_trash_info(TrashInfo const& info)
{
    return "[Trash Info]\nPath=" + percent_encode(info.path) + "\nDeletionDate=" + info.deletion_date + "\n";
}

base::Result<TrashInfo> parse_trash_info(std::string_view text)
{
    TrashInfo info;
    bool in_group = false;
    bool seen_group = false;
    bool have_path = false;
    while (!text.empty()) {
        auto end = text.find('\n');
        auto line = trim_line(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view {} : text.substr(end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            if (seen_group && in_group)
                break;
            in_group = line == "[Trash Info]";
            if (!in_group)
                return base::fail("the info file does not start with a [Trash Info] group");
            seen_group = true;
            continue;
        }
        if (!in_group)
            return base::fail("the info file does not start with a [Trash Info] group");
        auto equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        auto key = trim_line(line.substr(0, equals));
        auto value = trim_line(line.substr(equals + 1));
        if (key == "Path" && !have_path) {
            auto decoded = percent_decode(value);
            if (!decoded || decoded->empty())
                return base::fail("the info file has an invalid Path= value");
            info.path = std::move(*decoded);
            have_path = true;
        } else if (key == "DeletionDate" && info.deletion_date.empty()) {
            info.deletion_date = std::string(value);
        }
    }
    if (!have_path)
        return base::fail("the info file has no Path= key");
    return info;
}

}
