#include "scenes/detail/fixture_files.h"
#include "scenes/detail/zip_file.h"
#include "scenes/fixture_documents.h"

#include <array>

namespace files::scenes {

namespace {

    std::string xml_text(std::string_view text)
    {
        std::string escaped;
        for (char c : text) {
            switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
            }
        }
        return escaped;
    }

    std::string package_document(std::string_view title)
    {
        return R"(<?xml version="1.0" encoding="UTF-8"?>
<package xmlns="http://www.idpf.org/2007/opf" version="3.0" unique-identifier="book-id">
  <metadata xmlns:dc="http://purl.org/dc/elements/1.1/">
    <dc:identifier id="book-id">urn:uuid:6f1c2a4e-3b7d-4c55-9a61-0c2f7d8e9b10</dc:identifier>
    <dc:title>)"
            + xml_text(title) + R"(</dc:title>
    <dc:language>en</dc:language>
    <meta property="dcterms:modified">2024-06-03T09:41:00Z</meta>
    <meta name="cover" content="cover-image"/>
  </metadata>
  <manifest>
    <item id="ch1" href="ch1.xhtml" media-type="application/xhtml+xml"/>
    <item id="cover-image" href="cover.png" media-type="image/png" properties="cover-image"/>
  </manifest>
  <spine>
    <itemref idref="ch1"/>
  </spine>
</package>
)";
    }

    std::string chapter(std::string_view title)
    {
        return R"(<?xml version="1.0" encoding="UTF-8"?>
<html xmlns="http://www.w3.org/1999/xhtml">
  <head><title>)"
            + xml_text(title) + R"(</title></head>
  <body><p>Chapter one.</p></body>
</html>
)";
    }

    constexpr char const* container = R"(<?xml version="1.0" encoding="UTF-8"?>
<container version="1.0" xmlns="urn:oasis:names:tc:opendocument:xmlns:container">
  <rootfiles>
    <rootfile full-path="OEBPS/content.opf" media-type="application/oebps-package+xml"/>
  </rootfiles>
</container>
)";

}

base::Result<void> write_epub(std::filesystem::path const& path, std::string_view title, std::string_view cover_png)
{
    using detail::ZipCompression;
    // Readers recognise an EPUB by its first member: "mimetype", stored.
    std::array<detail::ZipMember, 5> const members { {
        { "mimetype", "application/epub+zip", ZipCompression::Store },
        { "META-INF/container.xml", container, ZipCompression::Deflate },
        { "OEBPS/content.opf", package_document(title), ZipCompression::Deflate },
        { "OEBPS/ch1.xhtml", chapter(title), ZipCompression::Deflate },
        { "OEBPS/cover.png", std::string(cover_png), ZipCompression::Store },
    } };
    return detail::write_zip(path, members, detail::fixture_time(0));
}

}
