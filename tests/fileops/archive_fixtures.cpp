#include "fileops/archive_fixtures.h"

#include "support/temp_dir.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <stdexcept>

#include <archive.h>
#include <archive_entry.h>
#include <sys/stat.h>
#include <zlib.h>

namespace archive_test {

namespace {

    void put16(std::string& out, std::uint32_t value)
    {
        out += static_cast<char>(value & 0xFF);
        out += static_cast<char>((value >> 8) & 0xFF);
    }

    void put32(std::string& out, std::uint32_t value)
    {
        put16(out, value & 0xFFFF);
        put16(out, value >> 16);
    }

    std::uint32_t get16(std::string const& in, std::size_t at)
    {
        return static_cast<unsigned char>(in.at(at)) | (static_cast<unsigned char>(in.at(at + 1)) << 8);
    }

    std::uint32_t get32(std::string const& in, std::size_t at) { return get16(in, at) | (get16(in, at + 2) << 16); }

    std::string raw_deflate(std::string const& data)
    {
        z_stream stream {};
        if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            throw std::runtime_error("deflateInit2 failed");
        std::string out(deflateBound(&stream, data.size()), '\0');
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
        stream.avail_in = static_cast<uInt>(data.size());
        stream.next_out = reinterpret_cast<Bytef*>(out.data());
        stream.avail_out = static_cast<uInt>(out.size());
        if (deflate(&stream, Z_FINISH) != Z_STREAM_END)
            throw std::runtime_error("deflate failed");
        out.resize(stream.total_out);
        deflateEnd(&stream);
        return out;
    }

}

ZipMember member(std::string name, std::string data)
{
    ZipMember result;
    result.name = std::move(name);
    result.data = std::move(data);
    return result;
}

ZipBuilder& ZipBuilder::add_sized(std::string name, std::string data, std::uint32_t declared_size, bool deflate)
{
    auto sized = member(std::move(name), std::move(data));
    sized.declared_size = declared_size;
    sized.deflate = deflate;
    return add(std::move(sized));
}

ZipBuilder& ZipBuilder::add_folder(std::string name)
{
    auto folder = member(std::move(name), {});
    folder.unix_mode = 040755;
    folder.deflate = false;
    return add(std::move(folder));
}

ZipBuilder& ZipBuilder::add_symlink(std::string name, std::string target)
{
    auto link = member(std::move(name), std::move(target));
    link.unix_mode = 0120777;
    link.deflate = false;
    return add(std::move(link));
}

ZipBuilder& ZipBuilder::add(ZipMember member)
{
    std::string stored = member.deflate ? raw_deflate(member.data) : member.data;
    auto crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<Bytef const*>(member.data.data()), static_cast<uInt>(member.data.size())));
    auto size = member.declared_size.value_or(static_cast<std::uint32_t>(member.data.size()));
    auto offset = static_cast<std::uint32_t>(m_local.size());
    auto common = [&](std::string& out) {
        put16(out, 20); // version needed
        put16(out, 0); // flags
        put16(out, member.deflate ? 8 : 0);
        put16(out, 0); // time 00:00:00
        put16(out, (0 << 9) | (1 << 5) | 1); // date 1980-01-01
        put32(out, crc);
        put32(out, static_cast<std::uint32_t>(stored.size()));
        put32(out, size);
        put16(out, static_cast<std::uint32_t>(member.name.size()));
        put16(out, 0); // extra length
    };
    put32(m_local, 0x04034b50);
    common(m_local);
    m_local += member.name;
    m_local += stored;

    put32(m_central, 0x02014b50);
    put16(m_central, member.unix_mode ? (3 << 8) | 20 : 20); // made by Unix when a mode is stored
    common(m_central);
    put16(m_central, 0); // comment length
    put16(m_central, 0); // disk
    put16(m_central, 0); // internal attributes
    put32(m_central, member.unix_mode.value_or(0) << 16);
    put32(m_central, offset);
    m_central += member.name;
    ++m_count;
    return *this;
}

void ZipBuilder::write(std::filesystem::path const& path) const
{
    std::string end;
    put32(end, 0x06054b50);
    put16(end, 0);
    put16(end, 0);
    put16(end, m_count & 0xFFFF);
    put16(end, m_count & 0xFFFF);
    put32(end, static_cast<std::uint32_t>(m_central.size()));
    put32(end, static_cast<std::uint32_t>(m_local.size()));
    put16(end, 0);
    std::ofstream out(path, std::ios::binary);
    out << m_local << m_central << end;
    if (!out)
        throw std::runtime_error("could not write " + path.string());
}

void write_tar(std::filesystem::path const& path, std::vector<TarMember> const& members, TarCompression compression)
{
    struct archive* writer = archive_write_new();
    archive_write_set_format_pax_restricted(writer);
    if (compression == TarCompression::Gzip)
        archive_write_add_filter_gzip(writer);
    if (archive_write_open_filename(writer, path.c_str()) != ARCHIVE_OK)
        throw std::runtime_error(archive_error_string(writer));
    for (auto const& member : members) {
        struct archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, member.name.c_str());
        archive_entry_set_perm(entry, 0644);
        switch (member.kind) {
        case TarKind::File:
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_size(entry, static_cast<la_int64_t>(member.data.size()));
            break;
        case TarKind::Folder:
            archive_entry_set_filetype(entry, AE_IFDIR);
            break;
        case TarKind::Symlink:
            archive_entry_set_filetype(entry, AE_IFLNK);
            archive_entry_set_symlink(entry, member.data.c_str());
            break;
        case TarKind::Hardlink:
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_hardlink(entry, member.data.c_str());
            break;
        case TarKind::Fifo:
            archive_entry_set_filetype(entry, AE_IFIFO);
            break;
        }
        if (archive_write_header(writer, entry) != ARCHIVE_OK)
            throw std::runtime_error(archive_error_string(writer));
        if (member.kind == TarKind::File && !member.data.empty())
            archive_write_data(writer, member.data.data(), member.data.size());
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
}

std::vector<ZipDirectoryEntry> read_zip_directory(std::filesystem::path const& path)
{
    std::string bytes = test_support::read_file(path);
    auto end = bytes.rfind(std::string("PK\x05\x06", 4));
    if (end == std::string::npos)
        throw std::runtime_error("no end of central directory in " + path.string());
    std::size_t count = get16(bytes, end + 10);
    std::size_t at = get32(bytes, end + 16);
    std::vector<ZipDirectoryEntry> entries;
    for (std::size_t i = 0; i < count; ++i) {
        if (get32(bytes, at) != 0x02014b50)
            throw std::runtime_error("bad central directory header");
        ZipDirectoryEntry entry;
        entry.made_by = static_cast<std::uint16_t>(get16(bytes, at + 4));
        entry.method = static_cast<std::uint16_t>(get16(bytes, at + 10));
        entry.dos_time = static_cast<std::uint16_t>(get16(bytes, at + 12));
        entry.dos_date = static_cast<std::uint16_t>(get16(bytes, at + 14));
        std::size_t name_length = get16(bytes, at + 28);
        std::size_t extra_length = get16(bytes, at + 30);
        std::size_t comment_length = get16(bytes, at + 32);
        entry.external_attributes = get32(bytes, at + 38);
        entry.name = bytes.substr(at + 46, name_length);
        entries.push_back(entry);
        at += 46 + name_length + extra_length + comment_length;
    }
    return entries;
}

std::vector<std::pair<std::string, std::string>> tree_contents(std::filesystem::path const& root)
{
    std::vector<std::pair<std::string, std::string>> tree;
    for (auto const& item : std::filesystem::recursive_directory_iterator(root)) {
        auto relative = item.path().lexically_relative(root).string();
        if (item.is_symlink())
            tree.emplace_back(relative, "-> " + std::filesystem::read_symlink(item.path()).string());
        else if (item.is_directory())
            tree.emplace_back(relative, "/");
        else
            tree.emplace_back(relative, test_support::read_file(item.path()));
    }
    std::sort(tree.begin(), tree.end());
    return tree;
}

std::pair<int, std::string> run_command(std::string const& command)
{
    std::string output;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return { -1, "popen failed" };
    std::array<char, 4096> buffer {};
    while (std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe))
        output.append(buffer.data(), got);
    int status = ::pclose(pipe);
    return { WIFEXITED(status) ? WEXITSTATUS(status) : -1, output };
}

bool have_tool(std::string const& name) { return run_command("command -v " + name).first == 0; }

}
