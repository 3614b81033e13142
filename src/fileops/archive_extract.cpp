#include "fileops/archive.h"
#include "fileops/archive_reader.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <unordered_set>

#include <fcntl.h>
#include <spdlog/spdlog.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files::fileops {

using namespace archive_detail;

namespace {

    constexpr int max_temporary_attempts = 1000;

    bool exists_without_following(std::filesystem::path const& path)
    {
        struct stat status { };
        return ::lstat(path.c_str(), &status) == 0 || errno != ENOENT;
    }

    // The extraction folder while it is being filled: removed with everything in
    // it unless the extraction was published.
    class TemporaryFolder {
    public:
        explicit TemporaryFolder(std::filesystem::path path)
            : m_path(std::move(path))
        {
        }
        ~TemporaryFolder()
        {
            if (m_fd >= 0)
                ::close(m_fd);
            if (m_published)
                return;
            std::error_code error;
            std::filesystem::remove_all(m_path, error);
            if (error)
                spdlog::warn(
                    "archive: could not remove temporary folder path={} error={}", m_path.string(), error.message());
        }
        TemporaryFolder(TemporaryFolder const&) = delete;
        TemporaryFolder& operator=(TemporaryFolder const&) = delete;

        std::filesystem::path const& path() const { return m_path; }
        int fd() const { return m_fd; }
        void set_fd(int fd) { m_fd = fd; }
        void mark_published() { m_published = true; }

    private:
        std::filesystem::path m_path;
        int m_fd { -1 };
        bool m_published { false };
    };

    base::Result<std::filesystem::path> reserve_temporary_path(
        std::filesystem::path const& parent, std::string const& name)
    {
        std::string prefix = "." + name + ".extracting-" + std::to_string(::getpid()) + "-";
        for (int i = 0; i < max_temporary_attempts; ++i) {
            auto candidate = parent / (prefix + std::to_string(i));
            if (!exists_without_following(candidate))
                return candidate;
        }
        return base::fail("could not reserve a temporary extraction folder");
    }

    // Creates folders below the extraction root, remembering those already made
    // so that entries of one folder cost one lookup rather than a walk each.
    class FolderMaker {
    public:
        explicit FolderMaker(int root_fd)
            : m_root_fd(root_fd)
        {
        }

        base::Result<void> make(std::vector<std::string> const& components, std::size_t count)
        {
            std::string prefix;
            for (std::size_t i = 0; i < count; ++i) {
                if (!prefix.empty())
                    prefix += '/';
                prefix += components[i];
                if (m_made.contains(prefix))
                    continue;
                TRY_VOID(make_one(prefix));
                m_made.insert(prefix);
            }
            return {};
        }

    private:
        base::Result<void> make_one(std::string const& relative)
        {
            if (::mkdirat(m_root_fd, relative.c_str(), 0777) == 0)
                return {};
            if (errno != EEXIST)
                return base::fail_errno(errno, relative);
            struct stat status { };
            if (::fstatat(m_root_fd, relative.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
                return base::fail_errno(errno, relative);
            if (!S_ISDIR(status.st_mode))
                return base::fail_errno(ENOTDIR, relative);
            return {};
        }

        int m_root_fd;
        std::unordered_set<std::string> m_made;
    };

    base::Result<void> write_file(ArchiveReader& reader, int root_fd, ReadEntry const& entry)
    {
        int fd = ::openat(
            root_fd, entry.relative_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0)
            return base::fail_errno(errno, entry.relative_path);
        auto copied = reader.copy_data(fd, entry);
        if (::close(fd) != 0 && copied)
            return base::fail_errno(errno, entry.relative_path);
        return copied;
    }

    base::Result<std::vector<std::string>> extract_entries(ArchiveReader& reader, int root_fd)
    {
        FolderMaker folders(root_fd);
        std::vector<std::string> files;
        while (auto entry = TRY(reader.next())) {
            switch (entry->kind) {
            case EntryKind::Folder:
                TRY_VOID(folders.make(entry->components, entry->components.size()));
                break;
            case EntryKind::File:
                TRY_VOID(folders.make(entry->components, entry->components.size() - 1));
                TRY_VOID(write_file(reader, root_fd, *entry));
                files.push_back(std::move(entry->relative_path));
                break;
            case EntryKind::Other:
                break;
            }
        }
        return files;
    }

    struct DestinationParts {
        std::filesystem::path parent;
        std::string name;
    };

    base::Result<DestinationParts> split_destination(std::filesystem::path const& destination)
    {
        if (destination.empty() || destination == destination.root_path())
            return base::fail("destination has no parent");
        auto parent = destination.parent_path();
        if (parent.empty())
            parent = ".";
        std::error_code error;
        std::filesystem::create_directories(parent, error);
        if (error)
            return base::fail_errno(error.value(), parent.string());
        auto name = destination.filename().string();
        if (name.empty() || name == "." || name == "..")
            return base::fail("destination has no name");
        return DestinationParts { parent, name };
    }

}

base::Result<std::vector<std::string>> extract_archive(
    std::filesystem::path const& archive_path, std::filesystem::path const& destination)
{
    if (exists_without_following(destination))
        return base::fail("the destination already exists");
    auto parts = TRY(split_destination(destination));
    auto temporary_path = TRY(reserve_temporary_path(parts.parent, parts.name));
    if (::mkdir(temporary_path.c_str(), 0777) != 0)
        return base::fail_errno(errno, temporary_path.string());
    TemporaryFolder temporary(temporary_path);

    std::error_code error;
    auto canonical = std::filesystem::canonical(temporary_path, error);
    if (error)
        return base::fail_errno(error.value(), temporary_path.string());
    int root_fd = ::open(canonical.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (root_fd < 0)
        return base::fail_errno(errno, canonical.string());
    temporary.set_fd(root_fd);

    auto reader = TRY(ArchiveReader::open(archive_path));
    auto files = TRY(extract_entries(*reader, root_fd));

    if (::renameat2(AT_FDCWD, temporary_path.c_str(), AT_FDCWD, destination.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno == EEXIST)
            return base::fail("the destination already exists");
        return base::fail_errno(errno);
    }
    temporary.mark_published();
    return files;
}

}
