#pragma once

// Real files for thumbnail tests: images written by gdk-pixbuf, a PDF drawn
// with cairo's PDF surface, an EPUB written by libarchive, and an inotify
// watch that proves a file's content was never opened.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace test_support {

// A width x height picture: the left half `left` (0xRRGGBB), the right half
// `right`, saved as "png" or "jpeg" by gdk-pixbuf.
void write_image(std::filesystem::path const& path, int width, int height, std::uint32_t left, std::uint32_t right,
    char const* format);
std::vector<std::uint8_t> image_bytes(int width, int height, std::uint32_t colour, char const* format);

// A two-page A4 PDF whose first page is filled with `colour`.
void write_pdf(std::filesystem::path const& path, std::uint32_t colour);

// An EPUB (a ZIP with container.xml, an OPF package naming its cover image
// by EPUB 2 meta and a plain-colour JPEG cover).
void write_epub(std::filesystem::path const& path, std::uint32_t cover_colour);

void set_attribute(std::filesystem::path const& path, char const* name, std::vector<std::uint8_t> const& value);

// Watches one file for IN_OPEN and IN_ACCESS from construction on.
class OpenWatch {
public:
    explicit OpenWatch(std::filesystem::path const& path);
    ~OpenWatch();
    OpenWatch(OpenWatch const&) = delete;
    OpenWatch& operator=(OpenWatch const&) = delete;
    // Events seen so far (drains the queue).
    int events();

private:
    int m_fd { -1 };
    int m_seen { 0 };
};

}
