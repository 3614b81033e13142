#pragma once

// The documents of the thumbnails fixture, written by the program itself.

#include "base/result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace files::scenes {

// `text` as a PDF string literal: in parentheses, with "(", ")" and "\"
// escaped by a backslash.
std::string pdf_string_literal(std::string_view text);

// A one-page PDF 1.4 document, 300 x 400 points, with the title "Field
// Guide" in Helvetica over a small illustration.
std::string field_guide_pdf();

// Writes an EPUB titled `title` whose cover is `cover_png`: the stored
// "mimetype" first, then the container, the package, one chapter and the
// cover. Fails with the archive library's error.
[[nodiscard]] base::Result<void> write_epub(
    std::filesystem::path const& path, std::string_view title, std::string_view cover_png);

}
