#pragma once

// Reading, browsing, extracting and writing archives: ZIP (read in central
// directory order), plain TAR and gzip-compressed TAR. Every reader applies
// the same rules: link entries are skipped, entry paths are confined to the
// archive's root, and each archive is bounded in entry count and in declared
// expanded size before anything beyond those sizes is written.

#include "base/result.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace files::fileops {

// At most this many entries are counted per archive.
inline constexpr std::uint64_t max_archive_entries = 100'000;
// The running sum of declared entry sizes must stay at or below this (16 GiB).
inline constexpr std::uint64_t max_archive_expanded_size = 17'179'869'184;

// True for a file name (valid UTF-8) ending, ignoring ASCII case, in .zip,
// .tar, .tgz, or .gz with a stem that itself ends in .tar.
[[nodiscard]] bool is_supported_archive(std::filesystem::path const& path);

struct ArchiveLocation {
    std::filesystem::path archive_path;
    // The rest of the location below the archive file; empty for the archive itself.
    std::filesystem::path inner_path;
};

// The nearest ancestor of `location` (the location itself included) that is
// a regular file with a supported archive name, or nothing.
[[nodiscard]] std::optional<ArchiveLocation> archive_location(std::filesystem::path const& location);

struct ArchiveIndexEntry {
    // Sanitised relative path: no root, no "." or ".." components.
    std::string relative_path;
    std::uint64_t declared_size { 0 };
    bool is_folder { false };
};

// Every counted entry of the archive in reading order, with the skipping
// rules, limits and path sanitising of extraction applied; writes nothing.
[[nodiscard]] base::Result<std::vector<ArchiveIndexEntry>> read_archive_index(
    std::filesystem::path const& archive_path);

struct ArchiveListingEntry {
    std::string name;
    // The location of the child: archive path / inner path / name.
    std::filesystem::path path;
    std::uint64_t size { 0 };
    bool is_folder { false };
};

// The children of `inner_path` inside the archive in name order. Folders that
// only appear as the parents of deeper entries are listed as folders. An inner
// path that is neither a folder entry nor the parent of any entry fails with
// ENOENT, one that names a file with ENOTDIR.
[[nodiscard]] base::Result<std::vector<ArchiveListingEntry>> list_archive_folder(
    std::filesystem::path const& archive_path, std::filesystem::path const& inner_path);

// Extracts into a new folder at `destination` (which must not exist) and
// returns the relative paths of the files written. The work happens in a
// hidden sibling folder that is published by one rename that never replaces
// anything; on any failure it is removed and nothing is left behind.
[[nodiscard]] base::Result<std::vector<std::string>> extract_archive(
    std::filesystem::path const& archive_path, std::filesystem::path const& destination);

// Writes a Deflate ZIP of `sources` (files and folder trees; links and
// devices left out) to `destination_zip`, through a ".zip.part" working file
// beside it that is flushed to disk and renamed without replacing anything.
// On failure the working file is removed.
[[nodiscard]] base::Result<void> create_zip(
    std::filesystem::path const& destination_zip, std::vector<std::filesystem::path> const& sources);

}
