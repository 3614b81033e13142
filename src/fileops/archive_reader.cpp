#include "fileops/archive_reader.h"

#include "fileops/archive.h"
#include "fileops/archive_names.h"

#include <cerrno>

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <unistd.h>

namespace files::fileops::archive_detail {

namespace {

    constexpr std::size_t read_block_size = 1 << 20;

    base::Result<void> write_all_at(
        int fd, char const* data, std::size_t size, std::uint64_t offset, std::string const& name)
    {
        while (size > 0) {
            ssize_t written = ::pwrite(fd, data, size, static_cast<off_t>(offset));
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                return base::fail_errno(errno, name);
            }
            data += written;
            size -= static_cast<std::size_t>(written);
            offset += static_cast<std::uint64_t>(written);
        }
        return {};
    }

    EntryKind kind_of(struct archive_entry* entry, ArchiveFormat format)
    {
        auto type = archive_entry_filetype(entry);
        if (type == AE_IFDIR)
            return EntryKind::Folder;
        // A ZIP entry holds data whatever its stored mode says; a TAR entry of
        // another type (a device, a FIFO) has none to write.
        if (format == ArchiveFormat::Zip || type == AE_IFREG)
            return EntryKind::File;
        return EntryKind::Other;
    }

    bool is_skipped_link(struct archive_entry* entry, ArchiveFormat format)
    {
        if (archive_entry_filetype(entry) == AE_IFLNK)
            return true;
        return format != ArchiveFormat::Zip && archive_entry_hardlink(entry) != nullptr;
    }

}

ArchiveFormat archive_format_for(std::filesystem::path const& archive_path)
{
    std::string name = archive_path.filename().string();
    auto extension = name_extension(name);
    if (extension && equals_ignoring_ascii_case(*extension, "zip"))
        return ArchiveFormat::Zip;
    if (extension && (equals_ignoring_ascii_case(*extension, "gz") || equals_ignoring_ascii_case(*extension, "tgz")))
        return ArchiveFormat::GzipTar;
    return ArchiveFormat::Tar;
}

base::Result<std::unique_ptr<ArchiveReader>> ArchiveReader::open(std::filesystem::path const& archive_path)
{
    struct archive* handle = archive_read_new();
    if (!handle)
        return base::fail_errno(ENOMEM);
    auto format = archive_format_for(archive_path);
    std::unique_ptr<ArchiveReader> reader(new ArchiveReader(handle, format));
    switch (format) {
    case ArchiveFormat::Zip:
        archive_read_support_format_zip_seekable(handle);
        break;
    case ArchiveFormat::GzipTar:
        archive_read_support_filter_gzip(handle);
        archive_read_support_format_tar(handle);
        break;
    case ArchiveFormat::Tar:
        archive_read_support_format_tar(handle);
        break;
    }
    // Opened here so that a missing or unreadable file fails with its errno.
    reader->m_fd = ::open(archive_path.c_str(), O_RDONLY | O_CLOEXEC);
    if (reader->m_fd < 0)
        return base::fail_errno(errno, archive_path.string());
    if (archive_read_open_fd(handle, reader->m_fd, read_block_size) != ARCHIVE_OK)
        return std::unexpected(reader->library_error());
    return reader;
}

ArchiveReader::~ArchiveReader()
{
    archive_read_free(m_archive);
    if (m_fd >= 0)
        ::close(m_fd);
}

base::Error ArchiveReader::library_error() const
{
    char const* text = archive_error_string(m_archive);
    if (text && *text)
        return base::Error::from_text(text);
    int code = archive_errno(m_archive);
    return code > 0 ? base::Error::from_errno(code) : base::Error::from_text("the archive could not be read");
}

base::Result<void> ArchiveReader::count(std::uint64_t declared_size)
{
    if (m_counted >= max_archive_entries)
        return base::fail("archive has too many entries");
    std::uint64_t total = 0;
    if (__builtin_add_overflow(m_declared_total, declared_size, &total))
        return base::fail("archive size overflow");
    if (total > max_archive_expanded_size)
        return base::fail("archive expands beyond the safety limit");
    m_declared_total = total;
    ++m_counted;
    return {};
}

base::Result<std::optional<ReadEntry>> ArchiveReader::next()
{
    while (true) {
        struct archive_entry* entry = nullptr;
        int status = archive_read_next_header(m_archive, &entry);
        if (status == ARCHIVE_EOF)
            return std::optional<ReadEntry> {};
        if (status < ARCHIVE_WARN)
            return std::unexpected(library_error());
        if (is_skipped_link(entry, m_format))
            continue;
        la_int64_t size = archive_entry_size_is_set(entry) ? archive_entry_size(entry) : 0;
        TRY_VOID(count(size > 0 ? static_cast<std::uint64_t>(size) : 0));
        char const* stored = archive_entry_pathname(entry);
        ReadEntry result;
        result.components = TRY(sanitise_entry_path(stored ? stored : ""));
        result.relative_path = join_components(result.components);
        result.declared_size = size > 0 ? static_cast<std::uint64_t>(size) : 0;
        result.kind = kind_of(entry, m_format);
        result.sparse = m_format != ArchiveFormat::Zip && archive_entry_sparse_count(entry) > 0;
        return std::optional<ReadEntry> { std::move(result) };
    }
}

base::Result<void> ArchiveReader::copy_data(int fd, ReadEntry const& entry)
{
    bool zip = m_format == ArchiveFormat::Zip;
    std::uint64_t end = 0;
    std::uint64_t written_end = 0;
    while (true) {
        void const* block = nullptr;
        std::size_t size = 0;
        la_int64_t offset = 0;
        int status = archive_read_data_block(m_archive, &block, &size, &offset);
        if (status == ARCHIVE_EOF)
            break;
        if (status < ARCHIVE_WARN)
            return std::unexpected(library_error());
        if (offset < 0)
            return base::fail(zip ? "ZIP entry has a negative data offset" : "TAR entry has a negative data offset");
        auto block_start = static_cast<std::uint64_t>(offset);
        // A lying header must never make us write past what was declared and
        // counted against the archive's size limit.
        if (size > entry.declared_size || block_start > entry.declared_size - size)
            return base::fail(
                zip ? "ZIP entry is larger than its declared size" : "TAR entry is larger than its declared size");
        TRY_VOID(write_all_at(fd, static_cast<char const*>(block), size, block_start, entry.relative_path));
        end = std::max(end, block_start + size);
        if (size > 0)
            written_end = std::max(written_end, block_start + size);
    }
    // A cut-off TAR stream is reported by the library; a sparse entry may
    // legitimately end in a hole that no block covers.
    if (entry.sparse && end < entry.declared_size)
        end = entry.declared_size;
    if (end != entry.declared_size)
        return base::fail(zip ? "truncated ZIP entry" : "truncated TAR entry");
    if (written_end < end && ::ftruncate(fd, static_cast<off_t>(end)) != 0)
        return base::fail_errno(errno, entry.relative_path);
    return {};
}

}
