#include "favorites/path_suggestions.h"

#include "favorites/path_text.h"
#include "favorites/typed_path.h"

#include <algorithm>
#include <system_error>

#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace files::favorites {

namespace {

    struct Candidate {
        std::filesystem::path path;
        std::string lower_name;
        bool is_folder;
    };

    std::string lower_case(std::string_view text)
    {
        std::string lower;
        auto unicode
            = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
        unicode.toLower(icu::Locale::getRoot()).toUTF8String(lower);
        return lower;
    }

    struct TypedParts {
        std::string_view folder;
        std::string_view prefix;
    };

    TypedParts split_typed(std::string_view typed)
    {
        auto slash = typed.rfind('/');
        if (slash == std::string_view::npos)
            return { typed, {} };
        return { typed.substr(0, slash + 1), typed.substr(slash + 1) };
    }

    // Every entry of `folder` that the prefix admits, in listing order; nullopt
    // when the folder cannot be listed.
    std::optional<std::vector<Candidate>> matching_entries(std::filesystem::path const& folder, std::string_view prefix)
    {
        bool show_hidden = prefix.starts_with('.');
        auto lower_prefix = lower_case(lossy_utf8(prefix));
        std::error_code error;
        std::filesystem::directory_iterator it(folder, error);
        if (error)
            return std::nullopt;
        std::vector<Candidate> candidates;
        for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
            std::string name = it->path().filename().native();
            if (name.starts_with('.') && !show_hidden)
                continue;
            auto lower_name = lower_case(lossy_utf8(name));
            if (!lower_name.starts_with(lower_prefix))
                continue;
            std::error_code kind_error;
            bool is_folder = it->is_directory(kind_error);
            candidates.push_back({ it->path(), std::move(lower_name), is_folder });
        }
        if (error)
            return std::nullopt;
        return candidates;
    }

    PathSuggestion suggestion_for(Candidate const& candidate, std::optional<std::filesystem::path> const& home)
    {
        auto text = display_with_home(candidate.path, home);
        if (candidate.is_folder && !text.ends_with('/'))
            text += '/';
        auto kind = candidate.is_folder ? ui::PathKind::Folder : ui::PathKind::File;
        return { std::move(text), candidate.path, kind, ui::icon_for_path(candidate.path, kind) };
    }

}

std::vector<PathSuggestion> path_suggestions(std::string_view typed, std::optional<std::filesystem::path> const& home)
{
    auto parts = split_typed(typed);
    auto candidates = matching_entries(expand_home(parts.folder, home), parts.prefix);
    if (!candidates)
        return {};
    std::stable_sort(candidates->begin(), candidates->end(), [](Candidate const& a, Candidate const& b) {
        if (a.is_folder != b.is_folder)
            return a.is_folder;
        return a.lower_name < b.lower_name;
    });
    std::vector<PathSuggestion> suggestions;
    auto count = std::min(candidates->size(), max_path_suggestions);
    suggestions.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        suggestions.push_back(suggestion_for((*candidates)[i], home));
    return suggestions;
}

}
