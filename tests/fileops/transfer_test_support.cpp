#include "transfer_test_support.h"

#include "support/temp_dir.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <utility>
#include <variant>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace transfer_test {

namespace fs = std::filesystem;

std::string show_message(files::fileops::Message const& message)
{
    std::string text = message.id + "(";
    for (std::size_t i = 0; i < message.arguments.size(); ++i) {
        auto const& argument = message.arguments[i];
        text += (i ? ", " : "") + argument.name + "=";
        if (auto const* value = std::get_if<std::string>(&argument.value))
            text += *value;
        else
            text += std::to_string(std::get<std::int64_t>(argument.value));
    }
    return text + ")";
}

files::fileops::MessageResolver resolver() { return show_message; }

namespace {

    std::string describe(fs::path const& path)
    {
        struct stat status { };
        if (::lstat(path.c_str(), &status) != 0)
            throw std::runtime_error("lstat failed: " + path.string());
        auto mode = std::to_string(status.st_mode & 07777);
        if (S_ISLNK(status.st_mode))
            return "link " + fs::read_symlink(path).string();
        if (S_ISDIR(status.st_mode))
            return "folder " + mode;
        if (S_ISREG(status.st_mode)) {
            // Long contents are summarised so a failing comparison stays readable.
            auto content = test_support::read_file(path);
            if (content.size() > 64)
                content = std::to_string(content.size()) + " bytes, hash "
                    + std::to_string(std::hash<std::string> {}(content));
            return "file " + mode + " " + content;
        }
        return "other " + mode;
    }

}

std::map<std::string, std::string> snapshot(fs::path const& root)
{
    std::map<std::string, std::string> entries;
    entries[""] = describe(root);
    if (fs::is_directory(fs::symlink_status(root))) {
        for (auto const& entry : fs::recursive_directory_iterator(root))
            entries[entry.path().lexically_relative(root).string()] = describe(entry.path());
    }
    return entries;
}

std::vector<std::string> names_in(fs::path const& folder)
{
    std::vector<std::string> names;
    for (auto const& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool has_private_folder(fs::path const& folder)
{
    auto names = names_in(folder);
    return std::any_of(
        names.begin(), names.end(), [](auto const& name) { return name.starts_with(".kesu-transfer-"); });
}

std::optional<TmpfsMount> TmpfsMount::create(fs::path const& mount_point, std::string const& size)
{
    fs::create_directories(mount_point);
    auto options = "size=" + size + ",mode=0755";
    if (::mount("tmpfs", mount_point.c_str(), "tmpfs", 0, options.c_str()) != 0)
        return std::nullopt;
    return TmpfsMount(mount_point);
}

TmpfsMount::TmpfsMount(TmpfsMount&& other) noexcept
    : m_path(std::exchange(other.m_path, {}))
{
}

TmpfsMount::~TmpfsMount()
{
    if (!m_path.empty())
        ::umount2(m_path.c_str(), MNT_DETACH);
}

bool set_immutable(fs::path const& path, bool immutable)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = immutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

void write_file(fs::path const& path, std::string const& content, unsigned mode)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    fs::permissions(path, static_cast<fs::perms>(mode));
}

}
