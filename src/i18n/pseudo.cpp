#include "i18n/pseudo.h"

#include <vector>

namespace files::i18n {

namespace {

    std::string_view accented(char c)
    {
        switch (c) {
        case 'A':
            return "Á";
        case 'C':
            return "Ç";
        case 'E':
            return "É";
        case 'I':
            return "Í";
        case 'N':
            return "Ñ";
        case 'O':
            return "Ó";
        case 'U':
            return "Ú";
        case 'a':
            return "á";
        case 'c':
            return "ç";
        case 'e':
            return "é";
        case 'i':
            return "í";
        case 'n':
            return "ñ";
        case 'o':
            return "ó";
        case 'u':
            return "ú";
        default:
            return {};
        }
    }

    void append_accented(std::string& out, char c)
    {
        std::string_view const replacement = accented(c);
        if (replacement.empty())
            out += c;
        else
            out += replacement;
    }

}

std::string pseudolocalize(std::string_view text) { return pseudolocalize(text, {}); }

// Arguments are protected in the same pass that transforms the text, so an
// argument can never be mistaken for a marker or for part of another one.
std::string pseudolocalize(std::string_view text, fluent::Arguments const& arguments)
{
    std::vector<std::string> protected_texts;
    for (auto const& argument : arguments) {
        std::string value = fluent::value_text(argument.value);
        if (!value.empty())
            protected_texts.push_back(std::move(value));
    }
    std::string out = "[";
    out.reserve(text.size() * 2 + 4);
    for (std::size_t i = 0; i < text.size();) {
        std::string const* longest = nullptr;
        for (auto const& candidate : protected_texts) {
            if (text.substr(i).starts_with(candidate) && (!longest || candidate.size() > longest->size()))
                longest = &candidate;
        }
        if (longest) {
            out += *longest;
            i += longest->size();
        } else {
            append_accented(out, text[i]);
            ++i;
        }
    }
    out += " !!]";
    return out;
}

}
