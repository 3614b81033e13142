#include "services/trash/trash.h"

#include "services/trash/detail/directory_sizes.h"
#include "services/trash/detail/trash_location.h"
#include "services/trash/trash_info.h"
#include "services/user_dirs/home.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace services::trash {

namespace fs = std::filesystem;

namespace {

    constexpr int max_name_attempts = 10000;
    constexpr std::uintmax_t max_info_size = 64 * 1024;

    // "stem n.extension" for attempt n >= 2; a leading full stop is part of the stem.
    std::string numbered_name(std::string const& name, int attempt)
    {
        if (attempt == 1)
            return name;
        auto dot = name.rfind('.');
        if (dot == std::string::npos || dot == 0)
            return name + " " + std::to_string(attempt);
        return name.substr(0, dot) + " " + std::to_string(attempt) + name.substr(dot);
    }

    bool exists_no_follow(fs::path const& path)
    {
        struct stat info { };
        return ::lstat(path.c_str(), &info) == 0;
    }

    base::Result<void> write_all(int fd, std::string const& text)
    {
        std::size_t written = 0;
        while (written < text.size()) {
            auto count = ::write(fd, text.data() + written, text.size() - written);
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0)
                return base::fail_last_errno();
            written += static_cast<std::size_t>(count);
        }
        return {};
    }

    // Writes the info file under a free stored name, created exclusively so two
    // programs trashing at once never share a name. Returns the stored name.
    base::Result<std::string> reserve_stored_name(
        detail::TrashFolder const& trash, std::string const& base_name, std::string const& info_text)
    {
        for (int attempt = 1; attempt <= max_name_attempts; ++attempt) {
            auto name = numbered_name(base_name, attempt);
            auto info_path = trash.folder / "info" / (name + ".trashinfo");
            int fd = ::open(info_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd < 0 && errno == EEXIST)
                continue;
            if (fd < 0)
                return base::fail_errno(errno, info_path.string());
            if (exists_no_follow(trash.folder / "files" / name)) {
                ::close(fd);
                ::unlink(info_path.c_str());
                continue;
            }
            auto written = write_all(fd, info_text);
            bool synced = written && ::fsync(fd) == 0;
            int code = written ? errno : written.error().code();
            if (::close(fd) != 0 && synced) {
                synced = false;
                code = errno;
            }
            if (!synced) {
                ::unlink(info_path.c_str());
                return base::fail_errno(code, info_path.string());
            }
            return name;
        }
        return base::fail_errno(EEXIST, "no free name in the Trash for " + base_name);
    }

    // An atomic rename that never replaces; file systems without the flag get a
    // plain rename, which is safe here because the caller checked the target and
    // holds its name through an info file or a free original path.
    int rename_no_replace(fs::path const& from, fs::path const& to)
    {
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
            return 0;
        if (errno != EINVAL && errno != ENOSYS)
            return errno;
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }

    fs::path absolute_item_path(fs::path const& path)
    {
        std::error_code error;
        auto absolute = fs::absolute(path, error).lexically_normal();
        if (!absolute.has_filename() && absolute.has_relative_path())
            absolute = absolute.parent_path();
        return absolute;
    }

    base::Result<void> trash_one(fs::path const& given, TrashHooks const& hooks)
    {
        auto path = absolute_item_path(given);
        auto base_name = path.filename().native();
        if (base_name.empty() || base_name == "." || base_name == "..")
            return base::fail_errno(EINVAL, "cannot move " + path.string() + " to the Trash");
        struct stat info { };
        if (::lstat(path.c_str(), &info) != 0)
            return base::fail_errno(errno, path.string());
        auto trash = detail::trash_folder_for(path);
        if (!trash)
            return base::fail_errno(
                trash.error().code() ? trash.error().code() : EXDEV, "no trash folder can hold " + path.string());
        TrashInfo record { trash->topdir ? path.lexically_relative(*trash->topdir).native() : path.native(),
            format_deletion_date(std::time(nullptr)) };
        auto name = TRY(reserve_stored_name(*trash, base_name, format_trash_info(record)));
        auto info_path = trash->folder / "info" / (name + ".trashinfo");
        if (hooks.after_info_written)
            hooks.after_info_written(info_path);
        if (int code = rename_no_replace(path, trash->folder / "files" / name)) {
            ::unlink(info_path.c_str());
            return base::fail_errno(code, "cannot move " + path.string() + " to the Trash");
        }
        // The size cache only speeds up other programs' size display; a failure
        // to update it leaves the item trashed correctly.
        if (S_ISDIR(info.st_mode))
            (void)detail::update_directory_sizes(
                trash->folder, name, detail::tree_size(trash->folder / "files" / name));
        return {};
    }

    std::optional<TrashItem> read_item(detail::TrashFolder const& trash, std::string const& info_name)
    {
        static constexpr std::string_view suffix = ".trashinfo";
        if (info_name.size() <= suffix.size() || !info_name.ends_with(suffix))
            return std::nullopt;
        auto name = info_name.substr(0, info_name.size() - suffix.size());
        if (!exists_no_follow(trash.folder / "files" / name))
            return std::nullopt;
        auto info_path = trash.folder / "info" / info_name;
        std::error_code error;
        auto size = fs::file_size(info_path, error);
        if (error || size > max_info_size)
            return std::nullopt;
        std::ifstream in(info_path, std::ios::binary);
        std::string text(static_cast<std::size_t>(size), '\0');
        if (!in.read(text.data(), static_cast<std::streamsize>(size)))
            return std::nullopt;
        auto parsed = parse_trash_info(text);
        if (!parsed)
            return std::nullopt;
        fs::path original(parsed->path);
        if (original.is_relative()) {
            if (!trash.topdir)
                return std::nullopt;
            original = *trash.topdir / original;
        }
        return TrashItem { trash.folder, name, original.lexically_normal(), parsed->deletion_date };
    }

    base::Result<void> list_folder(detail::TrashFolder const& trash, std::vector<TrashItem>& items)
    {
        auto info_folder = trash.folder / "info";
        DIR* dir = ::opendir(info_folder.c_str());
        if (!dir)
            return errno == ENOENT ? base::Result<void> {} : base::fail_errno(errno, info_folder.string());
        std::vector<std::string> names;
        while (auto* entry = ::readdir(dir))
            names.emplace_back(entry->d_name);
        ::closedir(dir);
        std::sort(names.begin(), names.end());
        for (auto const& name : names) {
            if (auto item = read_item(trash, name))
                items.push_back(std::move(*item));
        }
        return {};
    }

    base::Result<void> restore_one(TrashItem const& item, TrashHooks const& hooks)
    {
        auto const& target = item.original_path;
        struct stat info { };
        if (::lstat(target.c_str(), &info) == 0)
            return base::fail_errno(EEXIST, "cannot restore " + target.string() + ", an item already exists there");
        if (errno != ENOENT)
            return base::fail_errno(errno, target.string());
        if (::lstat(target.parent_path().c_str(), &info) != 0 && errno == ENOENT)
            return base::fail_errno(ENOENT, "cannot restore " + target.string() + ", its folder is missing");
        if (::lstat(target.parent_path().c_str(), &info) != 0)
            return base::fail_errno(errno, "cannot restore " + target.string());
        struct stat stored { };
        if (::lstat(item.stored_path().c_str(), &stored) != 0)
            return base::fail_errno(errno, item.stored_path().string());
        if (int code = rename_no_replace(item.stored_path(), target))
            return base::fail_errno(code, "cannot restore " + target.string());
        if (hooks.after_item_restored)
            hooks.after_item_restored(target);
        if (::unlink(item.info_path().c_str()) != 0 && errno != ENOENT)
            return base::fail_errno(errno, item.info_path().string());
        if (S_ISDIR(stored.st_mode))
            (void)detail::update_directory_sizes(item.trash_folder, item.name, std::nullopt);
        return {};
    }

    // Folders copied read-only would keep their contents; open them up first.
    void make_tree_writable(fs::path const& root)
    {
        std::error_code error;
        ::chmod(root.c_str(), S_IRWXU);
        for (fs::recursive_directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
            if (it->is_directory(error) && !it->is_symlink(error))
                ::chmod(it->path().c_str(), S_IRWXU);
        }
    }

    base::Result<void> purge_one(TrashItem const& item)
    {
        auto stored = item.stored_path();
        struct stat info { };
        bool is_folder = ::lstat(stored.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        std::error_code error;
        fs::remove_all(stored, error);
        if (error && is_folder) {
            make_tree_writable(stored);
            error.clear();
            fs::remove_all(stored, error);
        }
        if (error)
            return base::fail_errno(error.value(), "cannot delete " + stored.string());
        if (::unlink(item.info_path().c_str()) != 0 && errno != ENOENT)
            return base::fail_errno(errno, item.info_path().string());
        if (is_folder)
            (void)detail::update_directory_sizes(item.trash_folder, item.name, std::nullopt);
        return {};
    }

}

std::optional<fs::path> home_trash_folder()
{
    auto data_home = xdg_data_home(user_home());
    if (!data_home)
        return std::nullopt;
    return *data_home / "Trash";
}

base::Result<void> trash_paths(std::vector<fs::path> const& paths, TrashHooks const& hooks)
{
    for (auto const& path : paths)
        TRY_VOID(trash_one(path, hooks));
    return {};
}

base::Result<std::vector<TrashItem>> list_trash()
{
    std::vector<TrashItem> items;
    auto home = home_trash_folder();
    for (auto const& trash : detail::known_trash_folders()) {
        auto listed = list_folder(trash, items);
        if (!listed && home && trash.folder == *home)
            return std::unexpected(listed.error());
    }
    return items;
}

base::Result<void> restore_items(std::vector<TrashItem> const& items, TrashHooks const& hooks)
{
    for (auto const& item : items)
        TRY_VOID(restore_one(item, hooks));
    return {};
}

base::Result<void> purge_items(std::vector<TrashItem> const& items)
{
    for (auto const& item : items)
        TRY_VOID(purge_one(item));
    return {};
}

}
