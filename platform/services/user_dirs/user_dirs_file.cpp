#include "services/user_dirs/user_dirs_file.h"

namespace services::detail {

namespace {

    bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

    void skip_blanks(std::string_view& text)
    {
        while (!text.empty() && is_blank(text.front()))
            text.remove_prefix(1);
    }

    bool consume(std::string_view& text, std::string_view expected)
    {
        if (!text.starts_with(expected))
            return false;
        text.remove_prefix(expected.size());
        return true;
    }

    bool is_key_character(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; }

    // XDG_<KEY>_DIR, returning KEY.
    std::optional<std::string> read_key(std::string_view& text)
    {
        std::size_t length = 0;
        while (length < text.size() && is_key_character(text[length]))
            ++length;
        std::string_view name = text.substr(0, length);
        if (!name.starts_with("XDG_") || !name.ends_with("_DIR") || name.size() <= 8)
            return std::nullopt;
        text.remove_prefix(length);
        return std::string(name.substr(4, name.size() - 8));
    }

    // The quoted text up to the closing quote, with backslash escapes resolved;
    // nullopt when the quote is never closed or the text holds a NUL byte.
    std::optional<std::string> read_quoted_rest(std::string_view& text)
    {
        std::string value;
        while (!text.empty()) {
            char c = text.front();
            text.remove_prefix(1);
            if (c == '"')
                return value;
            if (c == '\\') {
                if (text.empty())
                    return std::nullopt;
                c = text.front();
                text.remove_prefix(1);
            }
            if (c == '\0')
                return std::nullopt;
            value.push_back(c);
        }
        return std::nullopt;
    }

    bool only_comment_left(std::string_view text)
    {
        skip_blanks(text);
        return text.empty() || text.front() == '#';
    }

}

std::optional<UserDirsAssignment> parse_user_dirs_line(std::string_view line, std::filesystem::path const& home)
{
    skip_blanks(line);
    auto key = read_key(line);
    if (!key)
        return std::nullopt;
    skip_blanks(line);
    if (!consume(line, "="))
        return std::nullopt;
    skip_blanks(line);
    if (!consume(line, "\""))
        return std::nullopt;

    bool below_home = false;
    if (consume(line, "$HOME")) {
        if (!line.starts_with('/') && !line.starts_with('"'))
            return std::nullopt; // $HOMEWORK is not a reference to home
        below_home = true;
    } else if (!line.starts_with('/')) {
        return std::nullopt; // only absolute folders or folders below home
    }
    auto value = read_quoted_rest(line);
    if (!value || !only_comment_left(line))
        return std::nullopt;

    if (!below_home)
        return UserDirsAssignment { std::move(*key), std::filesystem::path(*value) };
    std::string_view relative = *value;
    while (relative.starts_with('/'))
        relative.remove_prefix(1);
    if (relative.empty())
        return UserDirsAssignment { std::move(*key), std::nullopt };
    return UserDirsAssignment { std::move(*key), home / relative };
}

}
