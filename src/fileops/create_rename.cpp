#include "fileops/create_rename.h"

#include "fileops/name_allocation.h"
#include "fileops/transfer_primitives.h"

#include <cerrno>
#include <cstdint>

#include <sys/stat.h>

namespace files::fileops {

namespace fs = std::filesystem;

namespace {

    bool is_white_space(char32_t c)
    {
        return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680
            || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
    }

    // The code point of the well-formed sequence at `text[at]` and its length, or
    // a length of 0 when the bytes there do not form one.
    std::pair<char32_t, std::size_t> decode_at(std::string_view text, std::size_t at)
    {
        auto byte = static_cast<unsigned char>(text[at]);
        std::size_t length = byte < 0x80 ? 1
            : (byte >> 5) == 0x6         ? 2
            : (byte >> 4) == 0xE         ? 3
            : (byte >> 3) == 0x1E        ? 4
                                         : 0;
        if (length == 0 || at + length > text.size())
            return { 0, 0 };
        if (length == 1)
            return { byte, 1 };
        char32_t value = byte & (0x7F >> length);
        for (std::size_t i = 1; i < length; ++i) {
            auto next = static_cast<unsigned char>(text[at + i]);
            if ((next >> 6) != 0x2)
                return { 0, 0 };
            value = (value << 6) | (next & 0x3F);
        }
        return { value, length };
    }

    // The start of the code point that ends at `end`, or `end` when none does.
    std::size_t previous_start(std::string_view text, std::size_t end)
    {
        for (std::size_t back = 1; back <= 4 && back <= end; ++back) {
            auto [value, length] = decode_at(text, end - back);
            if (length == back)
                return end - back;
        }
        return end;
    }

    std::string resolved(MessageResolver const& resolve, std::string id)
    {
        return resolve(Message { std::move(id), {} });
    }

    base::Result<fs::path> make_folder(fs::path const& folder, std::string const& name, MessageResolver const& resolve)
    {
        // Another program may take the chosen name before mkdir; mkdir never
        // replaces, so search again.
        for (int tries = 0; tries < 8; ++tries) {
            auto path = TRY(unique_child_path(folder, name, resolve));
            if (::mkdir(path.c_str(), 0777) == 0)
                return path;
            if (errno != EEXIST)
                return base::fail_errno(errno);
        }
        return base::fail_errno(EEXIST);
    }

    base::Result<fs::path> ordinary_rename(fs::path const& from, fs::path const& to)
    {
        if (::rename(from.c_str(), to.c_str()) != 0)
            return base::fail_last_errno();
        return to;
    }

    bool is_link(struct stat const& info) { return S_ISLNK(info.st_mode); }

    // True when the folder lists an entry spelled exactly `name`.
    bool has_exact_entry(fs::path const& folder, std::string const& name)
    {
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
            if (it->path().filename().native() == name)
                return true;
        }
        return error.value() != 0;
    }

    // On a file system that ignores letter case, the target is the source itself:
    // the same file, and no entry of its own under the typed spelling. A second
    // hard link has an entry of its own and does not count, since renaming onto
    // it would silently do nothing.
    bool same_item_spelled_otherwise(
        struct stat const& source, struct stat const& target, fs::path const& folder, std::string const& name)
    {
        return source.st_dev == target.st_dev && source.st_ino == target.st_ino && !has_exact_entry(folder, name);
    }

    base::Result<fs::path> name_exists(std::string const& name, MessageResolver const& resolve)
    {
        return base::fail(resolve(Message { "files-name-exists", { { "name", name } } }));
    }

}

std::string_view trim_white_space(std::string_view text)
{
    std::size_t begin = 0;
    while (begin < text.size()) {
        auto [value, length] = decode_at(text, begin);
        if (length == 0 || !is_white_space(value))
            break;
        begin += length;
    }
    std::size_t end = text.size();
    while (end > begin) {
        auto start = previous_start(text, end);
        if (start == end || !is_white_space(decode_at(text, start).first))
            break;
        end = start;
    }
    return text.substr(begin, end - begin);
}

base::Result<std::string> validate_name(std::string_view typed, MessageResolver const& resolve)
{
    auto name = trim_white_space(typed);
    if (name.empty())
        return base::fail(resolved(resolve, "files-name-empty"));
    if (name.find('/') != std::string_view::npos || name == "." || name == ".."
        || name.find('\0') != std::string_view::npos)
        return base::fail(resolved(resolve, "files-name-slash"));
    return std::string(name);
}

base::Result<fs::path> unique_child_path(
    fs::path const& folder, std::string const& name, MessageResolver const& resolve)
{
    auto parts = split_name(name);
    for (int attempt = 1; attempt <= max_name_attempts; ++attempt) {
        auto candidate = folder / candidate_name(parts, attempt);
        if (TRY(destination_available(candidate, resolve)))
            return candidate;
    }
    return base::fail(
        resolve(Message { "files-destination-names-exhausted", { { "name", name }, { "path", path_text(folder) } } }));
}

base::Result<fs::path> create_folder(fs::path const& folder, std::string_view typed, MessageResolver const& resolve)
{
    auto name = validate_name(typed, resolve);
    if (!name && trim_white_space(typed).empty())
        return base::fail(resolved(resolve, "files-folder-name-empty"));
    if (!name)
        return std::unexpected(name.error());
    return make_folder(folder, *name, resolve);
}

base::Result<fs::path> rename_item(fs::path const& path, std::string_view typed, MessageResolver const& resolve)
{
    auto name = TRY(validate_name(typed, resolve));
    auto parent = parent_folder(path);
    if (!parent || !last_component(path))
        return base::fail(resolved(resolve, "files-no-parent"));
    auto target = *parent / name;
    if (same_path(target, path))
        return target;

    struct stat target_info { };
    if (::lstat(target.c_str(), &target_info) != 0) {
        // Nothing there: take the name without replacing anything another
        // program may have put there since.
        auto renamed = rename_no_replace(path, target);
        if (!renamed && renamed.error().is_errno(EEXIST))
            return name_exists(name, resolve);
        if (!renamed && renamed.error().is_errno(EINVAL))
            return ordinary_rename(path, target);
        if (!renamed)
            return std::unexpected(renamed.error());
        return target;
    }
    struct stat source_info { };
    if (is_link(target_info) || ::lstat(path.c_str(), &source_info) != 0 || is_link(source_info))
        return name_exists(name, resolve);
    if (!same_item_spelled_otherwise(source_info, target_info, *parent, name))
        return name_exists(name, resolve);
    // The same item under another spelling: only a plain rename changes it.
    return ordinary_rename(path, target);
}

}
