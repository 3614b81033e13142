#include "services/trash/detail/trash_location.h"

#include "services/trash/trash.h"
#include "services/user_dirs/home.h"

#include <cerrno>
#include <fstream>
#include <string>

#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace services::trash::detail {

namespace fs = std::filesystem;

namespace {

    // A folder of ours: a real folder (not a link) owned by this user.
    bool is_own_folder(fs::path const& path)
    {
        struct stat info { };
        return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
    }

    base::Result<void> ensure_own_folder(fs::path const& path)
    {
        if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
            return base::fail_errno(errno, path.string());
        if (!is_own_folder(path))
            return base::fail_errno(ENOTDIR, path.string());
        return {};
    }

    base::Result<void> ensure_trash_layout(fs::path const& folder)
    {
        TRY_VOID(ensure_own_folder(folder));
        TRY_VOID(ensure_own_folder(folder / "files"));
        TRY_VOID(ensure_own_folder(folder / "info"));
        return {};
    }

    std::optional<dev_t> device_of(fs::path const& path)
    {
        struct stat info { };
        if (::lstat(path.c_str(), &info) != 0)
            return std::nullopt;
        return info.st_dev;
    }

    // The device of the nearest existing folder at or above `path`.
    std::optional<dev_t> nearest_device(fs::path path)
    {
        while (true) {
            if (auto device = device_of(path))
                return device;
            if (!path.has_relative_path())
                return std::nullopt;
            path = path.parent_path();
        }
    }

    // The highest folder above `path` that is still on `device`: its mount point.
    fs::path top_folder(fs::path const& path, dev_t device)
    {
        fs::path top = path.parent_path();
        while (top.has_relative_path()) {
            auto above = device_of(top.parent_path());
            if (!above || *above != device)
                break;
            top = top.parent_path();
        }
        return top;
    }

    fs::path shared_trash_candidate(fs::path const& topdir) { return topdir / ".Trash" / std::to_string(::getuid()); }
    fs::path private_trash_candidate(fs::path const& topdir)
    {
        return topdir / (".Trash-" + std::to_string(::getuid()));
    }

    // `.Trash` qualifies only as a real folder with the sticky bit, never a link.
    bool shared_trash_usable(fs::path const& topdir)
    {
        struct stat info { };
        return ::lstat((topdir / ".Trash").c_str(), &info) == 0 && S_ISDIR(info.st_mode) && (info.st_mode & S_ISVTX);
    }

}

base::Result<TrashFolder> volume_trash_for(fs::path const& topdir, dev_t device)
{
    if (shared_trash_usable(topdir)) {
        auto folder = shared_trash_candidate(topdir);
        if (ensure_trash_layout(folder) && device_of(folder) == device)
            return TrashFolder { folder, topdir };
    }
    auto folder = private_trash_candidate(topdir);
    TRY_VOID(ensure_trash_layout(folder));
    if (device_of(folder) != device)
        return base::fail_errno(EXDEV, folder.string());
    return TrashFolder { folder, topdir };
}

namespace {

    // Mount points as /proc/self/mounts writes them: space, tab, newline and
    // backslash come as three-digit octal escapes.
    std::string unescape_mount_point(std::string const& field)
    {
        std::string out;
        for (std::size_t i = 0; i < field.size(); ++i) {
            if (field[i] == '\\' && i + 3 < field.size()) {
                auto digits = field.substr(i + 1, 3);
                if (digits.find_first_not_of("01234567") == std::string::npos) {
                    out.push_back(static_cast<char>(std::stoi(digits, nullptr, 8)));
                    i += 3;
                    continue;
                }
            }
            out.push_back(field[i]);
        }
        return out;
    }

    std::vector<fs::path> mount_points()
    {
        std::vector<fs::path> points;
        std::ifstream mounts("/proc/self/mounts");
        std::string line;
        while (std::getline(mounts, line)) {
            auto first = line.find(' ');
            if (first == std::string::npos)
                continue;
            auto second = line.find(' ', first + 1);
            points.emplace_back(unescape_mount_point(line.substr(first + 1, second - first - 1)));
        }
        return points;
    }

}

base::Result<TrashFolder> trash_folder_for(fs::path const& path)
{
    auto device = device_of(path);
    if (!device)
        return base::fail_errno(errno, path.string());
    if (auto home = home_trash_folder(); home && nearest_device(*home) == device) {
        // The data home itself may not exist yet on a fresh account.
        std::error_code error;
        fs::create_directories(home->parent_path(), error);
        if (error)
            return base::fail_errno(error.value(), home->parent_path().string());
        TRY_VOID(ensure_trash_layout(*home));
        return TrashFolder { *home, std::nullopt };
    }
    return volume_trash_for(top_folder(path, *device), *device);
}

std::vector<TrashFolder> existing_volume_trashes(fs::path const& topdir)
{
    std::vector<TrashFolder> found;
    if (shared_trash_usable(topdir) && is_own_folder(shared_trash_candidate(topdir)))
        found.push_back({ shared_trash_candidate(topdir), topdir });
    if (is_own_folder(private_trash_candidate(topdir)))
        found.push_back({ private_trash_candidate(topdir), topdir });
    return found;
}

std::vector<TrashFolder> known_trash_folders()
{
    std::vector<TrashFolder> folders;
    if (auto home = home_trash_folder(); home && is_own_folder(*home))
        folders.push_back({ *home, std::nullopt });
    for (auto const& point : mount_points()) {
        for (auto& trash : existing_volume_trashes(point)) {
            bool seen = false;
            for (auto const& known : folders)
                seen = seen || known.folder == trash.folder;
            if (!seen)
                folders.push_back(std::move(trash));
        }
    }
    return folders;
}

}
