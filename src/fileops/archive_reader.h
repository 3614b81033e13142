#pragma once

// One archive opened for reading in its format, handing out the counted
// entries with the skipping rules, limits and path sanitising applied, and
// streaming an entry's data to a file descriptor.

#include "base/result.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct archive;

namespace files::fileops::archive_detail {

enum class ArchiveFormat { Zip, Tar, GzipTar };

// zip is ZIP; gz and tgz are gzip-compressed TAR; anything else plain TAR.
[[nodiscard]] ArchiveFormat archive_format_for(std::filesystem::path const& archive_path);

enum class EntryKind { Folder, File, Other };

struct ReadEntry {
    std::vector<std::string> components;
    std::string relative_path;
    std::uint64_t declared_size { 0 };
    EntryKind kind { EntryKind::File };
    // A sparse TAR entry's data map may end before its size: a trailing hole.
    bool sparse { false };
};

class ArchiveReader {
public:
    [[nodiscard]] static base::Result<std::unique_ptr<ArchiveReader>> open(std::filesystem::path const& archive_path);
    ~ArchiveReader();
    ArchiveReader(ArchiveReader const&) = delete;
    ArchiveReader& operator=(ArchiveReader const&) = delete;

    // The next counted entry, or nothing at the end of the archive. Link
    // entries are skipped before they are counted; the data of an entry that
    // was not copied is skipped.
    [[nodiscard]] base::Result<std::optional<ReadEntry>> next();

    // Writes the current entry's data to `fd`. Fails when the data is shorter
    // than the declared size, and stops before writing past it when longer.
    [[nodiscard]] base::Result<void> copy_data(int fd, ReadEntry const& entry);

private:
    ArchiveReader(struct archive* handle, ArchiveFormat format)
        : m_archive(handle)
        , m_format(format)
    {
    }

    [[nodiscard]] base::Result<void> count(std::uint64_t declared_size);
    [[nodiscard]] base::Error library_error() const;

    struct archive* m_archive { nullptr };
    ArchiveFormat m_format;
    int m_fd { -1 };
    std::uint64_t m_counted { 0 };
    std::uint64_t m_declared_total { 0 };
};

}
