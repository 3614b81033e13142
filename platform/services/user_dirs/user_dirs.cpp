#include "services/user_dirs/user_dirs.h"

#include "services/user_dirs/home.h"
#include "services/user_dirs/user_dirs_file.h"

#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace services {

namespace {

    struct KindNames {
        UserDirKind kind;
        std::string_view key;
        std::string_view standard_name;
    };

    constexpr std::array<KindNames, all_user_dir_kinds.size()> kind_names { {
        { UserDirKind::Documents, "DOCUMENTS", "Documents" },
        { UserDirKind::Downloads, "DOWNLOAD", "Downloads" },
        { UserDirKind::Pictures, "PICTURES", "Pictures" },
        { UserDirKind::Music, "MUSIC", "Music" },
        { UserDirKind::Videos, "VIDEOS", "Videos" },
    } };

    std::size_t index_of(UserDirKind kind) { return static_cast<std::size_t>(kind); }

    // The meaningful components: repeated separators, "." and a trailing
    // separator do not count.
    std::vector<std::filesystem::path> components(std::filesystem::path const& path)
    {
        std::vector<std::filesystem::path> parts;
        for (auto const& part : path) {
            if (part.empty() || part == ".")
                continue;
            parts.push_back(part);
        }
        return parts;
    }

    bool same_path(std::filesystem::path const& a, std::filesystem::path const& b)
    {
        return components(a) == components(b);
    }

    std::optional<std::string> read_bounded(std::filesystem::path const& file)
    {
        std::error_code error;
        auto size = std::filesystem::file_size(file, error);
        if (error || size > max_user_dirs_file_size)
            return std::nullopt;
        std::ifstream in(file, std::ios::binary);
        if (!in)
            return std::nullopt;
        std::string text;
        text.resize(static_cast<std::size_t>(size));
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(in.gcount()));
        return text;
    }

}

UserDirs UserDirs::parse(std::string_view text, std::filesystem::path home)
{
    UserDirs dirs;
    std::array<bool, all_user_dir_kinds.size()> assigned {};
    while (!text.empty()) {
        auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        auto assignment = detail::parse_user_dirs_line(line, home);
        if (!assignment)
            continue;
        for (auto const& names : kind_names) {
            if (assignment->key != names.key)
                continue;
            auto& folder = dirs.m_folders[index_of(names.kind)];
            folder = assignment->folder;
            if (folder && same_path(*folder, home))
                folder.reset();
            assigned[index_of(names.kind)] = true;
        }
    }
    for (auto const& names : kind_names) {
        if (!assigned[index_of(names.kind)])
            dirs.m_folders[index_of(names.kind)] = home / names.standard_name;
    }
    dirs.m_home = std::move(home);
    return dirs;
}

UserDirs UserDirs::load(std::filesystem::path home, std::optional<std::filesystem::path> const& config_home)
{
    std::optional<std::string> text;
    if (config_home)
        text = read_bounded(*config_home / "user-dirs.dirs");
    return parse(text.value_or(std::string()), std::move(home));
}

UserDirs UserDirs::for_current_user()
{
    if (auto home = home_override())
        return load(*home, *home / ".config");
    auto home = platform_home();
    if (!home)
        return UserDirs();
    auto config = xdg_config_home(home);
    return load(*home, config);
}

std::optional<std::filesystem::path> const& UserDirs::folder(UserDirKind kind) const
{
    return m_folders[index_of(kind)];
}

std::vector<UserDir> UserDirs::content_places() const
{
    std::vector<UserDir> places;
    for (auto kind : all_user_dir_kinds) {
        auto const& path = folder(kind);
        std::error_code error;
        if (path && std::filesystem::is_directory(*path, error))
            places.push_back({ kind, *path });
    }
    return places;
}

std::optional<UserDirKind> UserDirs::classify(std::filesystem::path const& path) const
{
    for (auto kind : all_user_dir_kinds) {
        auto const& candidate = folder(kind);
        if (candidate && same_path(*candidate, path))
            return kind;
    }
    return std::nullopt;
}

}
