#include "scenes/fixture_documents.h"

#include <array>
#include <cstdio>

namespace files::scenes {

namespace {

    // The page's drawing: a green band with the title, a range of hills and
    // a few lines of text. The title sits in the middle of the page, the part
    // a square thumbnail keeps.
    std::string page_content()
    {
        std::string content;
        content += "0.95 0.93 0.86 rg 0 0 300 400 re f\n";
        content += "0.18 0.42 0.31 rg 0 226 300 174 re f\n";
        content += "0.55 0.70 0.50 rg 0 132 m 50 196 l 100 162 l 160 214 l 226 168 l 300 206 l 300 132 l f\n";
        content += "0.33 0.52 0.36 rg 0 132 m 80 176 l 140 150 l 210 186 l 300 156 l 300 132 l f\n";
        content += "BT /F1 40 Tf 1 1 1 rg 24 276 Td " + pdf_string_literal("Field Guide") + " Tj ET\n";
        content += "BT /F1 12 Tf 0.84 0.92 0.85 rg 24 252 Td " + pdf_string_literal("Coastal trails (spring edition)")
            + " Tj ET\n";
        std::array<std::string_view, 4> const lines {
            "Paths, tides and shelters",
            "Trail \\ tide tables (p. 12)",
            "Birds of the headland",
            "Notes and sketches",
        };
        int y = 108;
        for (auto line : lines) {
            content += "BT /F1 10 Tf 0.20 0.24 0.22 rg 24 " + std::to_string(y) + " Td " + pdf_string_literal(line)
                + " Tj ET\n";
            y -= 17;
        }
        return content;
    }

}

std::string pdf_string_literal(std::string_view text)
{
    std::string literal = "(";
    for (char c : text) {
        if (c == '(' || c == ')' || c == '\\')
            literal += '\\';
        literal += c;
    }
    literal += ')';
    return literal;
}

std::string field_guide_pdf()
{
    auto content = page_content();
    std::array<std::string, 5> const objects {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 400] /Resources << /Font << /F1 4 0 R >> >> "
        "/Contents 5 0 R >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>",
        "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream",
    };
    std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::array<std::size_t, objects.size()> offsets {};
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets[i] = pdf.size();
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    auto const xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (auto offset : offsets) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        pdf += entry;
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
        + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

}
