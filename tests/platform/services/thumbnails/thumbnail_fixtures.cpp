#include "platform/services/thumbnails/thumbnail_fixtures.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <archive.h>
#include <archive_entry.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <fcntl.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace test_support {

namespace {

    GdkPixbuf* make_pixbuf(int width, int height, std::uint32_t left, std::uint32_t right)
    {
        GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height);
        int stride = gdk_pixbuf_get_rowstride(pixbuf);
        guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                std::uint32_t c = x < width / 2 ? left : right;
                guchar* p = pixels + y * stride + x * 3;
                p[0] = static_cast<guchar>(c >> 16);
                p[1] = static_cast<guchar>(c >> 8);
                p[2] = static_cast<guchar>(c);
            }
        }
        return pixbuf;
    }

    void add_entry(archive* a, std::string const& name, std::string const& data)
    {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, name.c_str());
        archive_entry_set_size(entry, static_cast<la_int64_t>(data.size()));
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_write_header(a, entry);
        archive_write_data(a, data.data(), data.size());
        archive_entry_free(entry);
    }

}

void write_image(std::filesystem::path const& path, int width, int height, std::uint32_t left, std::uint32_t right,
    char const* format)
{
    GdkPixbuf* pixbuf = make_pixbuf(width, height, left, right);
    GError* error = nullptr;
    bool ok = gdk_pixbuf_save(pixbuf, path.c_str(), format, &error, nullptr);
    g_object_unref(pixbuf);
    if (!ok)
        throw std::runtime_error(error ? error->message : "cannot save image");
}

std::vector<std::uint8_t> image_bytes(int width, int height, std::uint32_t colour, char const* format)
{
    GdkPixbuf* pixbuf = make_pixbuf(width, height, colour, colour);
    gchar* buffer = nullptr;
    gsize size = 0;
    bool ok = gdk_pixbuf_save_to_buffer(pixbuf, &buffer, &size, format, nullptr, nullptr);
    g_object_unref(pixbuf);
    if (!ok)
        throw std::runtime_error("cannot encode image");
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    g_free(buffer);
    return bytes;
}

void write_pdf(std::filesystem::path const& path, std::uint32_t colour)
{
    cairo_surface_t* surface = cairo_pdf_surface_create(path.c_str(), 595, 842);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, ((colour >> 16) & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0, (colour & 0xFF) / 255.0);
    cairo_paint(cr);
    // A title band and a few lines of "text" at the top, so the page looks
    // like one; the middle of the page stays the ground colour.
    cairo_set_source_rgb(cr, 0.18, 0.32, 0.62);
    cairo_rectangle(cr, 60, 60, 475, 70);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.55, 0.57, 0.6);
    for (int line = 0; line < 8; ++line) {
        cairo_rectangle(cr, 60, 160 + line * 22, line % 3 == 2 ? 300 : 475, 9);
        cairo_fill(cr);
    }
    cairo_show_page(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_show_page(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

void write_epub(std::filesystem::path const& path, std::uint32_t cover_colour)
{
    std::vector<std::uint8_t> cover = image_bytes(120, 180, cover_colour, "jpeg");
    archive* a = archive_write_new();
    archive_write_set_format_zip(a);
    archive_write_open_filename(a, path.c_str());
    add_entry(a, "mimetype", "application/epub+zip");
    add_entry(a, "META-INF/container.xml",
        R"(<?xml version="1.0"?><container version="1.0" xmlns="urn:oasis:names:tc:opendocument:xmlns:container">)"
        R"(<rootfiles><rootfile full-path="OEBPS/content.opf" media-type="application/oebps-package+xml"/>)"
        R"(</rootfiles></container>)");
    std::vector<std::uint8_t> decoy = image_bytes(8, 8, 0x000000, "png");
    add_entry(a, "OEBPS/images/decoy.png", std::string(decoy.begin(), decoy.end()));
    add_entry(a, "OEBPS/content.opf",
        R"(<?xml version="1.0"?><package xmlns="http://www.idpf.org/2007/opf" version="2.0">)"
        R"(<metadata><meta name="cover" content="art"/></metadata><manifest>)"
        R"(<item id="decoy" href="images/decoy.png" media-type="image/png"/>)"
        R"(<item id="art" href="images/front.jpg" media-type="image/jpeg"/></manifest></package>)");
    add_entry(a, "OEBPS/images/front.jpg", std::string(cover.begin(), cover.end()));
    archive_write_close(a);
    archive_write_free(a);
}

void set_attribute(std::filesystem::path const& path, char const* name, std::vector<std::uint8_t> const& value)
{
    if (::lsetxattr(path.c_str(), name, value.data(), value.size(), 0) != 0)
        throw std::runtime_error(std::string("lsetxattr: ") + std::strerror(errno));
}

OpenWatch::OpenWatch(std::filesystem::path const& path)
    : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    if (m_fd < 0 || inotify_add_watch(m_fd, path.c_str(), IN_OPEN | IN_ACCESS) < 0)
        throw std::runtime_error(std::string("inotify: ") + std::strerror(errno));
}

OpenWatch::~OpenWatch()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int OpenWatch::events()
{
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        ssize_t got = ::read(m_fd, buffer, sizeof buffer);
        if (got <= 0)
            return m_seen;
        for (char* p = buffer; p < buffer + got;) {
            auto* event = reinterpret_cast<inotify_event*>(p);
            if (event->mask & (IN_OPEN | IN_ACCESS))
                ++m_seen;
            p += sizeof(inotify_event) + event->len;
        }
    }
}

}
