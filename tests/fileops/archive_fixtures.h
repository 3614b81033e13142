#pragma once

// Archives built by the tests themselves. `ZipBuilder` writes ZIP files byte
// by byte so a test can make them lie (declared sizes, link modes, hostile
// names); `write_tar` uses libarchive's writer for TAR and gzip-compressed TAR.
// `read_zip_directory` parses a ZIP's central directory independently of the
// code under test.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace archive_test {

struct ZipMember {
    std::string name;
    std::string data;
    // What the headers claim the uncompressed size is; the real size when unset.
    std::optional<std::uint32_t> declared_size;
    // A Unix mode stored in the external attributes (S_IFLNK | 0777 for a link).
    std::optional<std::uint32_t> unix_mode;
    bool deflate { true };
};

ZipMember member(std::string name, std::string data);

class ZipBuilder {
public:
    ZipBuilder& add(ZipMember member);
    ZipBuilder& add_file(std::string name, std::string data) { return add(member(std::move(name), std::move(data))); }
    // An entry whose headers claim `declared_size` bytes whatever the data holds.
    ZipBuilder& add_sized(std::string name, std::string data, std::uint32_t declared_size, bool deflate = true);
    ZipBuilder& add_folder(std::string name);
    ZipBuilder& add_symlink(std::string name, std::string target);
    void write(std::filesystem::path const& path) const;

private:
    std::string m_local;
    std::string m_central;
    std::uint32_t m_count { 0 };
};

enum class TarKind { File, Folder, Symlink, Hardlink, Fifo };

struct TarMember {
    std::string name;
    TarKind kind { TarKind::File };
    std::string data; // file contents, or the link target
};

enum class TarCompression { None, Gzip };

void write_tar(std::filesystem::path const& path, std::vector<TarMember> const& members, TarCompression compression);

struct ZipDirectoryEntry {
    std::string name;
    std::uint16_t method { 0 };
    std::uint16_t dos_time { 0 };
    std::uint16_t dos_date { 0 };
    std::uint32_t external_attributes { 0 };
    std::uint16_t made_by { 0 };
};

std::vector<ZipDirectoryEntry> read_zip_directory(std::filesystem::path const& path);

// Every file and folder below `root` as "relative path" -> contents ("/" for folders).
std::vector<std::pair<std::string, std::string>> tree_contents(std::filesystem::path const& root);

// Runs a shell command; returns its exit status and combined output.
std::pair<int, std::string> run_command(std::string const& command);
bool have_tool(std::string const& name);

}
