#include "services/thumbnails/detail/decoders.h"
#include "services/thumbnails/thumb_key.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <pugixml.hpp>
#include <string>

#include <archive.h>
#include <archive_entry.h>

namespace services::detail {

namespace {

    constexpr std::size_t max_xml_bytes = 1u << 20;
    constexpr std::size_t max_entries = 20000;

    struct ArchiveDeleter {
        void operator()(archive* a) const { archive_read_free(a); }
    };
    using ArchivePtr = std::unique_ptr<archive, ArchiveDeleter>;

    bool ends_with_image_extension(std::string name)
    {
        std::ranges::transform(name, name.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        for (std::string_view ext : { ".jpg", ".jpeg", ".png", ".gif", ".webp" }) {
            if (name.size() > ext.size() && name.ends_with(ext))
                return true;
        }
        return false;
    }

    // Reads an entry's bytes when its declared size is within `bound`.
    std::optional<std::vector<std::uint8_t>> read_entry(archive* a, archive_entry* entry, std::size_t bound)
    {
        if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > static_cast<la_int64_t>(bound))
            return std::nullopt;
        std::vector<std::uint8_t> bytes;
        std::uint8_t buffer[16384];
        for (;;) {
            la_ssize_t got = archive_read_data(a, buffer, sizeof buffer);
            if (got < 0)
                return std::nullopt;
            if (got == 0)
                return bytes;
            if (bytes.size() + static_cast<std::size_t>(got) > bound)
                return std::nullopt;
            bytes.insert(bytes.end(), buffer, buffer + got);
        }
    }

    // Walks the archive's entries once, handing each (name, entry) to
    // `visit`; stops when `visit` answers true.
    base::Result<void> walk(std::filesystem::path const& path,
        std::function<bool(std::string const&, archive*, archive_entry*)> const& visit)
    {
        ArchivePtr a(archive_read_new());
        archive_read_support_format_zip(a.get());
        if (archive_read_open_filename(a.get(), path.c_str(), 65536) != ARCHIVE_OK)
            return base::fail("not an EPUB archive");
        archive_entry* entry = nullptr;
        for (std::size_t count = 0; count < max_entries; ++count) {
            int status = archive_read_next_header(a.get(), &entry);
            if (status == ARCHIVE_EOF)
                return {};
            if (status != ARCHIVE_OK && status != ARCHIVE_WARN)
                return base::fail("the EPUB archive is damaged");
            char const* name = archive_entry_pathname(entry);
            if (name && visit(name, a.get(), entry))
                return {};
        }
        return base::fail("the EPUB archive has too many entries");
    }

    std::string parent_of(std::string const& name)
    {
        auto slash = name.rfind('/');
        return slash == std::string::npos ? std::string {} : name.substr(0, slash + 1);
    }

    // The archive path of the cover image named by an OPF package document:
    // EPUB 3 marks it with properties="cover-image", EPUB 2 with
    // <meta name="cover" content="item-id">.
    std::optional<std::string> cover_from_package(std::string const& opf_name, std::vector<std::uint8_t> const& xml)
    {
        pugi::xml_document document;
        if (!document.load_buffer(xml.data(), xml.size(), pugi::parse_default & ~pugi::parse_doctype))
            return std::nullopt;
        pugi::xml_node package = document.first_child();
        pugi::xml_node manifest = package.child("manifest");
        std::string href;
        for (pugi::xml_node item : manifest.children("item")) {
            std::string properties = item.attribute("properties").as_string();
            if (properties.find("cover-image") != std::string::npos)
                href = item.attribute("href").as_string();
        }
        if (href.empty()) {
            std::string cover_id;
            for (pugi::xml_node meta : package.child("metadata").children("meta")) {
                if (std::string_view(meta.attribute("name").as_string()) == "cover")
                    cover_id = meta.attribute("content").as_string();
            }
            for (pugi::xml_node item : manifest.children("item")) {
                if (!cover_id.empty() && cover_id == item.attribute("id").as_string())
                    href = item.attribute("href").as_string();
            }
        }
        if (href.empty())
            return std::nullopt;
        return parent_of(opf_name) + href;
    }

    std::optional<std::string> package_path(std::vector<std::uint8_t> const& xml)
    {
        pugi::xml_document document;
        if (!document.load_buffer(xml.data(), xml.size(), pugi::parse_default & ~pugi::parse_doctype))
            return std::nullopt;
        pugi::xml_node rootfile = document.child("container").child("rootfiles").child("rootfile");
        std::string full_path = rootfile.attribute("full-path").as_string();
        if (full_path.empty())
            return std::nullopt;
        return full_path;
    }

    // First pass: the package document's name from the container, then the
    // cover it names (the container comes first in a well-formed EPUB, but
    // the order is not relied on).
    struct CoverCandidates {
        std::optional<std::string> package;
        std::optional<std::string> named;
        std::optional<std::string> called_cover;
        std::optional<std::string> first_image;
    };

    base::Result<CoverCandidates> find_candidates(std::filesystem::path const& path)
    {
        CoverCandidates found;
        std::vector<std::pair<std::string, std::vector<std::uint8_t>>> packages;
        TRY_VOID(walk(path, [&](std::string const& name, archive* a, archive_entry* entry) {
            std::string lower = name;
            std::ranges::transform(
                lower, lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            if (name == "META-INF/container.xml") {
                if (auto xml = read_entry(a, entry, max_xml_bytes))
                    found.package = package_path(*xml);
            } else if (lower.ends_with(".opf")) {
                if (auto xml = read_entry(a, entry, max_xml_bytes); xml && packages.size() < 4)
                    packages.emplace_back(name, std::move(*xml));
            } else if (ends_with_image_extension(name)) {
                if (!found.first_image)
                    found.first_image = name;
                if (!found.called_cover && lower.find("cover") != std::string::npos)
                    found.called_cover = name;
            }
            return false;
        }));
        for (auto const& [name, xml] : packages) {
            if (!found.package || *found.package == name) {
                found.named = cover_from_package(name, xml);
                if (found.named)
                    break;
            }
        }
        return found;
    }

}

base::Result<ui::Image> decode_epub_cover(std::filesystem::path const& path)
{
    CoverCandidates candidates = TRY(find_candidates(path));
    std::optional<std::string> wanted = candidates.named;
    if (!wanted)
        wanted = candidates.called_cover;
    if (!wanted)
        wanted = candidates.first_image;
    if (!wanted)
        return base::fail("the EPUB has no cover image");
    std::optional<std::vector<std::uint8_t>> bytes;
    TRY_VOID(walk(path, [&](std::string const& name, archive* a, archive_entry* entry) {
        if (name != *wanted)
            return false;
        bytes = read_entry(a, entry, max_image_bytes);
        return true;
    }));
    if (!bytes)
        return base::fail("the EPUB cover cannot be read");
    return decode_image_bytes(*bytes);
}

base::Result<ui::Image> decode_content(std::filesystem::path const& path)
{
    // Opening a named pipe or a device would block the worker or read
    // without end; only regular files of a sane size are decoded.
    std::error_code error;
    auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::is_regular_file(status))
        return base::fail("not a regular file");
    if (std::filesystem::file_size(path, error) > max_content_bytes || error)
        return base::fail("the file is too large for a thumbnail");
    std::string ext = path.extension().string();
    std::ranges::transform(ext, ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == ".pdf")
        return render_pdf_first_page(path);
    if (ext == ".epub")
        return decode_epub_cover(path);
    if (category_for_path(path.native()) == image_category)
        return decode_image_file(path);
    return base::fail("no thumbnail for this kind of file");
}

}
