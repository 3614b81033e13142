#include "scenes/detail/zip_file.h"

#include <memory>

#include <archive.h>
#include <archive_entry.h>

namespace files::scenes::detail {

namespace {

    struct ArchiveDeleter {
        void operator()(struct archive* handle) const { archive_write_free(handle); }
    };
    struct EntryDeleter {
        void operator()(archive_entry* entry) const { archive_entry_free(entry); }
    };

    base::Error archive_error(struct archive* handle, std::filesystem::path const& path)
    {
        char const* text = archive_error_string(handle);
        return base::Error::from_text("cannot write " + path.string() + ": " + (text ? text : "unknown archive error"));
    }

}

base::Result<void> write_zip(
    std::filesystem::path const& path, std::span<ZipMember const> members, std::int64_t modified)
{
    std::unique_ptr<struct archive, ArchiveDeleter> handle(archive_write_new());
    if (!handle)
        return base::fail("cannot write " + path.string() + ": out of memory");
    auto* zip = handle.get();
    if (archive_write_set_format_zip(zip) != ARCHIVE_OK || archive_write_open_filename(zip, path.c_str()) != ARCHIVE_OK)
        return std::unexpected(archive_error(zip, path));
    for (auto const& member : members) {
        // Unlike the format options, these may change between entries.
        int chosen = member.compression == ZipCompression::Store ? archive_write_zip_set_compression_store(zip)
                                                                 : archive_write_zip_set_compression_deflate(zip);
        if (chosen != ARCHIVE_OK)
            return std::unexpected(archive_error(zip, path));
        std::unique_ptr<archive_entry, EntryDeleter> entry(archive_entry_new());
        archive_entry_set_pathname(entry.get(), member.name.c_str());
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), 0644);
        archive_entry_set_size(entry.get(), static_cast<la_int64_t>(member.content.size()));
        archive_entry_set_mtime(entry.get(), static_cast<time_t>(modified), 0);
        if (archive_write_header(zip, entry.get()) != ARCHIVE_OK)
            return std::unexpected(archive_error(zip, path));
        if (!member.content.empty()
            && archive_write_data(zip, member.content.data(), member.content.size())
                != static_cast<la_ssize_t>(member.content.size()))
            return std::unexpected(archive_error(zip, path));
    }
    if (archive_write_close(zip) != ARCHIVE_OK)
        return std::unexpected(archive_error(zip, path));
    return {};
}

}
