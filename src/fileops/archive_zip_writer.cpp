#include "fileops/archive.h"
#include "fileops/archive_names.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include <archive.h>
#include <archive_entry.h>
#include <dirent.h>
#include <fcntl.h>
#include <spdlog/spdlog.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files::fileops {

using namespace archive_detail;

namespace {

    constexpr std::size_t copy_chunk_size = 256 * 1024;

    struct FileIdentity {
        dev_t device { 0 };
        ino_t inode { 0 };
        bool operator==(FileIdentity const&) const = default;
    };

    struct EntryDeleter {
        void operator()(struct archive_entry* entry) const { archive_entry_free(entry); }
    };
    using EntryHandle = std::unique_ptr<struct archive_entry, EntryDeleter>;

    // The ZIP being written to the working file, one entry at a time.
    class ZipWriter {
    public:
        ZipWriter(struct archive* handle, FileIdentity working_file)
            : m_archive(handle)
            , m_working_file(working_file)
        {
        }
        ~ZipWriter() { archive_write_free(m_archive); }
        ZipWriter(ZipWriter const&) = delete;
        ZipWriter& operator=(ZipWriter const&) = delete;

        base::Result<void> add_source(std::filesystem::path const& source);
        base::Result<void> finish()
        {
            if (archive_write_close(m_archive) != ARCHIVE_OK)
                return std::unexpected(library_error());
            return {};
        }

    private:
        base::Result<void> add_folder(std::string const& name, std::filesystem::path const& path);
        base::Result<void> add_file(std::string const& name, std::filesystem::path const& path);
        base::Result<void> add_child(std::string const& name, std::filesystem::path const& path, unsigned char type);
        base::Result<void> write_header(std::string const& name, mode_t type, std::uint64_t size);
        base::Result<void> copy_contents(int fd, std::uint64_t size, std::filesystem::path const& path);
        base::Error library_error() const
        {
            char const* text = archive_error_string(m_archive);
            return base::Error::from_text(text && *text ? text : "the ZIP file could not be written");
        }

        struct archive* m_archive;
        FileIdentity m_working_file;
        std::vector<char> m_buffer = std::vector<char>(copy_chunk_size);
    };

    // The last component of a source as its name in the archive.
    std::optional<std::string> source_name(std::filesystem::path const& source)
    {
        std::filesystem::path trimmed = source;
        while (!trimmed.empty() && trimmed != trimmed.root_path()
            && (trimmed.filename().empty() || trimmed.filename() == ".")) {
            trimmed = trimmed.parent_path();
        }
        std::string name = trimmed.filename().string();
        if (name.empty() || name == "." || name == "..")
            return std::nullopt;
        return utf8_with_replacement(name);
    }

    base::Result<void> ZipWriter::add_source(std::filesystem::path const& source)
    {
        auto name = source_name(source);
        if (!name)
            return base::fail("path has no file name");
        struct stat followed { };
        if (::stat(source.c_str(), &followed) == 0 && S_ISDIR(followed.st_mode))
            return add_folder(*name, source);
        struct stat own { };
        if (::lstat(source.c_str(), &own) != 0)
            return base::fail_errno(errno, source.string());
        if (S_ISREG(own.st_mode))
            return add_file(*name, source);
        return {};
    }

    base::Result<void> ZipWriter::write_header(std::string const& name, mode_t type, std::uint64_t size)
    {
        EntryHandle entry(archive_entry_new());
        if (!entry)
            return base::fail_errno(ENOMEM);
        archive_entry_set_pathname_utf8(entry.get(), name.c_str());
        archive_entry_set_filetype(entry.get(), type);
        // The writer marks every entry as made on Unix, so unzip applies the
        // stored mode: without one, everything would come out with mode 0000.
        // The usual defaults keep the sources' own modes out of the archive.
        archive_entry_set_perm(entry.get(), type == AE_IFDIR ? 0755 : 0644);
        archive_entry_set_size(entry.get(), static_cast<la_int64_t>(size));
        if (archive_write_header(m_archive, entry.get()) < ARCHIVE_WARN)
            return std::unexpected(library_error());
        return {};
    }

    base::Result<void> ZipWriter::add_folder(std::string const& name, std::filesystem::path const& path)
    {
        TRY_VOID(write_header(name, AE_IFDIR, 0));
        // Names are read first and the folder closed, so a deep tree holds one
        // descriptor at a time.
        std::vector<std::pair<std::string, unsigned char>> children;
        DIR* folder = ::opendir(path.c_str());
        if (!folder)
            return base::fail_errno(errno, path.string());
        errno = 0;
        while (struct dirent* child = ::readdir(folder)) {
            std::string_view child_name = child->d_name;
            if (child_name != "." && child_name != "..")
                children.emplace_back(child_name, child->d_type);
        }
        int read_error = errno;
        ::closedir(folder);
        if (read_error != 0)
            return base::fail_errno(read_error, path.string());
        for (auto const& [child_name, type] : children)
            TRY_VOID(add_child(name + "/" + utf8_with_replacement(child_name), path / child_name, type));
        return {};
    }

    base::Result<void> ZipWriter::add_child(
        std::string const& name, std::filesystem::path const& path, unsigned char type)
    {
        if (type == DT_UNKNOWN) {
            struct stat status { };
            if (::lstat(path.c_str(), &status) != 0)
                return base::fail_errno(errno, path.string());
            type = S_ISDIR(status.st_mode) ? DT_DIR : S_ISREG(status.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (type == DT_DIR)
            return add_folder(name, path);
        if (type == DT_REG)
            return add_file(name, path);
        return {};
    }

    base::Result<void> ZipWriter::add_file(std::string const& name, std::filesystem::path const& path)
    {
        int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            return base::fail_errno(errno, path.string());
        struct stat status { };
        base::Result<void> result;
        if (::fstat(fd, &status) != 0) {
            result = base::fail_errno(errno, path.string());
        } else if (S_ISREG(status.st_mode) && !(FileIdentity { status.st_dev, status.st_ino } == m_working_file)) {
            auto size = static_cast<std::uint64_t>(status.st_size);
            result = write_header(name, AE_IFREG, size);
            if (result)
                result = copy_contents(fd, size, path);
        }
        ::close(fd);
        return result;
    }

    base::Result<void> ZipWriter::copy_contents(int fd, std::uint64_t size, std::filesystem::path const& path)
    {
        std::uint64_t remaining = size;
        while (remaining > 0) {
            std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(remaining, m_buffer.size()));
            ssize_t got = ::read(fd, m_buffer.data(), wanted);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return base::fail_errno(errno, path.string());
            if (got == 0)
                return base::fail(path.string() + ": the file shrank while it was being compressed");
            if (archive_write_data(m_archive, m_buffer.data(), static_cast<std::size_t>(got)) < 0)
                return std::unexpected(library_error());
            remaining -= static_cast<std::uint64_t>(got);
        }
        return {};
    }

    base::Result<std::unique_ptr<ZipWriter>> open_writer(int fd, FileIdentity working_file)
    {
        struct archive* handle = archive_write_new();
        if (!handle)
            return base::fail_errno(ENOMEM);
        auto writer = std::make_unique<ZipWriter>(handle, working_file);
        bool configured = archive_write_set_format_zip(handle) == ARCHIVE_OK
            && archive_write_set_format_option(handle, "zip", "compression", "deflate") == ARCHIVE_OK
            && archive_write_set_bytes_per_block(handle, 64 * 1024) == ARCHIVE_OK
            && archive_write_set_bytes_in_last_block(handle, 1) == ARCHIVE_OK;
        if (!configured || archive_write_open_fd(handle, fd) != ARCHIVE_OK) {
            char const* text = archive_error_string(handle);
            return base::fail(text && *text ? text : "the ZIP file could not be written");
        }
        return writer;
    }

    // The working file until it is renamed into place; removed on failure.
    class WorkingFile {
    public:
        explicit WorkingFile(std::filesystem::path path)
            : m_path(std::move(path))
        {
        }
        ~WorkingFile()
        {
            if (m_fd >= 0)
                ::close(m_fd);
            if (!m_published && ::unlink(m_path.c_str()) != 0 && errno != ENOENT)
                spdlog::warn("archive: could not remove working file path={} errno={}", m_path.string(), errno);
        }
        WorkingFile(WorkingFile const&) = delete;
        WorkingFile& operator=(WorkingFile const&) = delete;

        base::Result<int> open()
        {
            m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
            if (m_fd < 0)
                return base::fail_errno(errno, m_path.string());
            return m_fd;
        }

        base::Result<void> flush_and_close()
        {
            int fd = std::exchange(m_fd, -1);
            if (::fsync(fd) != 0) {
                int code = errno;
                ::close(fd);
                return base::fail_errno(code, m_path.string());
            }
            if (::close(fd) != 0)
                return base::fail_errno(errno, m_path.string());
            return {};
        }

        std::filesystem::path const& path() const { return m_path; }
        void mark_published() { m_published = true; }

    private:
        std::filesystem::path m_path;
        int m_fd { -1 };
        bool m_published { false };
    };

    void sync_folder(std::filesystem::path const& folder)
    {
        int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return;
        ::fsync(fd);
        ::close(fd);
    }

}

base::Result<void> create_zip(
    std::filesystem::path const& destination_zip, std::vector<std::filesystem::path> const& sources)
{
    auto working_path = destination_zip;
    working_path.replace_extension("zip.part");
    WorkingFile working(working_path);
    int fd = TRY(working.open());
    struct stat status { };
    if (::fstat(fd, &status) != 0)
        return base::fail_errno(errno, working_path.string());

    {
        auto writer = TRY(open_writer(fd, FileIdentity { status.st_dev, status.st_ino }));
        for (auto const& source : sources)
            TRY_VOID(writer->add_source(source));
        TRY_VOID(writer->finish());
    }
    TRY_VOID(working.flush_and_close());
    if (::renameat2(AT_FDCWD, working_path.c_str(), AT_FDCWD, destination_zip.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno == EEXIST)
            return base::fail("the destination already exists");
        return base::fail_errno(errno, destination_zip.string());
    }
    working.mark_published();
    sync_folder(destination_zip.parent_path());
    return {};
}

}
